// What the benchmarks share: their clocks, the medians they report, the
// options they take and the wildcards of SQLite's own LIKE.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

namespace bench {

inline double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

inline double wallSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

inline double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Both sides' medians (in ms) and their ratio as the benchmark's counters.
inline void setMedianCounters(benchmark::State& state, const std::vector<double>& programTimes,
                              const std::vector<double>& rawTimes)
{
    const double p = median(programTimes), r = median(rawTimes);
    state.counters["program_ms"] = p * 1e3;
    state.counters["sqlite_ms"] = r * 1e3;
    state.counters["ratio"] = r > 0 ? p / r : 0;
}

// --guide=DIR and --iterations=N; other arguments are Google Benchmark's.
inline void readArguments(int argc, char** argv, std::string& folder, int& iterations)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--guide=", 0) == 0)
            folder = arg.substr(8);
        else if (arg.rfind("--iterations=", 0) == 0)
            iterations = std::max(1, std::atoi(arg.c_str() + 13));
    }
}

// SQLite's own LIKE reads '%' and '_' where the handheld's reads '*' and '?';
// only the wildcards inside the LIKE literals change, nothing else.
inline std::u16string withSqliteWildcards(std::u16string sql)
{
    bool inLiteral = false;
    for (char16_t& u : sql) {
        if (u == u'\'')
            inLiteral = !inLiteral;
        else if (inLiteral && u == u'*')
            u = u'%';
        else if (inLiteral && u == u'?')
            u = u'_';
    }
    return sql;
}

} // namespace bench
