// The program's searches as the user sees them, next to the same SQL run
// straight on SQLite, on one synthetic guide (made by bench/run.sh).
//
// Each benchmark runs both sides in every iteration, alternating which goes
// first, so a busy machine slows both alike. The program side is the
// iteration time; the counters give both medians (thread CPU time, or wall
// time for the cold-cache cases), their ratio, the hits, and the search's own
// peak memory (SQLite's heap and the program's allocations during the search).
//   vinaria_bench --guide=DIR [--iterations=N] [benchmark options]
// DIR holds vinaria2007_db.cdb.
#include "services/ShellServices.h"
#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "results/EntryTexts.h"
#include "results/WineRow.h"
#include "search/QueryBuilder.h"
#include "search/TolerantSearch.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <new>
#include <string>
#include <vector>

// Counts the program's own allocations, so a search's peak is its own and
// not the process's.
namespace {
std::atomic<long long> g_liveBytes{0};
std::atomic<long long> g_peakBytes{0};

void* counted(std::size_t n)
{
    auto* block = static_cast<std::size_t*>(std::malloc(n + sizeof(std::max_align_t)));
    if (!block)
        throw std::bad_alloc();
    *block = n;
    const long long live = g_liveBytes += static_cast<long long>(n);
    long long peak = g_peakBytes.load();
    while (live > peak && !g_peakBytes.compare_exchange_weak(peak, live)) {
    }
    return reinterpret_cast<char*>(block) + sizeof(std::max_align_t);
}

void uncounted(void* p)
{
    if (!p)
        return;
    auto* block = reinterpret_cast<std::size_t*>(static_cast<char*>(p) - sizeof(std::max_align_t));
    g_liveBytes -= static_cast<long long>(*block);
    std::free(block);
}
} // namespace

void* operator new(std::size_t n) { return counted(n); }
void* operator new[](std::size_t n) { return counted(n); }
void operator delete(void* p) noexcept { uncounted(p); }
void operator delete[](void* p) noexcept { uncounted(p); }
void operator delete(void* p, std::size_t) noexcept { uncounted(p); }
void operator delete[](void* p, std::size_t) noexcept { uncounted(p); }

namespace {

constexpr int kShownHits = 80;
// The raw side maps the file as the program's connection does.
constexpr char kRawPragmas[] = "PRAGMA mmap_size = 4294967296;";

std::string g_folder;
int g_entries = 0;
int g_iterations = 9;

std::string guidePath()
{
    return g_folder + "/vinaria2007_db.cdb";
}

// Drops the guide's pages from the page cache (the file must be unmapped).
void dropGuideFromCache()
{
    const int fd = ::open(guidePath().c_str(), O_RDONLY);
    if (fd >= 0) {
        fdatasync(fd);
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        ::close(fd);
    }
}

struct PeakWatch {
    PeakWatch()
    {
        sqlite3_int64 cur = 0, high = 0;
        sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &cur, &high, 1);
        sqliteStart = cur;
        programStart = g_liveBytes.load();
        g_peakBytes = programStart;
    }
    double kilobytes() const
    {
        sqlite3_int64 cur = 0, high = 0;
        sqlite3_status64(SQLITE_STATUS_MEMORY_USED, &cur, &high, 0);
        return static_cast<double>((high - sqliteStart) + (g_peakBytes.load() - programStart)) / 1024.0;
    }
    sqlite3_int64 sqliteStart = 0;
    long long programStart = 0;
};

struct Program {
    Program() { open(); }
    void open()
    {
        db.allocateTextBuffer();
        if (!db.open())
            std::abort();
    }
    void reopenCold()
    {
        db.close();
        dropGuideFromCache();
        open();
    }
    WineDatabase db;
};

struct Straight {
    Straight() { open(); }
    ~Straight() { sqlite3_close(db); }
    void open()
    {
        if (sqlite3_open_v2(guidePath().c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            std::abort();
        sqlite3_exec(db, kRawPragmas, nullptr, nullptr, nullptr);
    }
    void reopenCold()
    {
        sqlite3_close(db);
        dropGuideFromCache();
        open();
    }
    sqlite3_stmt* prepare(std::u16string_view sql)
    {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare16_v2(db, sql.data(), static_cast<int>(sql.size() * 2), &s, nullptr);
        return s;
    }
    sqlite3* db = nullptr;
};

// Runs program and raw alternately, first one then the other; the program's
// time is the iteration time.
void interleave(benchmark::State& state, bool cold, const std::function<long()>& program,
                const std::function<long()>& raw, const std::function<void()>& beforeProgram,
                const std::function<void()>& beforeRaw)
{
    std::vector<double> programTimes, rawTimes;
    long programHits = 0, rawHits = 0;
    double peak = 0;
    bool rawFirst = false;
    auto clock = cold ? bench::wallSeconds : bench::cpuSeconds;
    for (auto _ : state) {
        auto runProgram = [&] {
            beforeProgram();
            const PeakWatch watch;
            const double start = clock();
            programHits = program();
            programTimes.push_back(clock() - start);
            peak = std::max(peak, watch.kilobytes());
        };
        auto runRaw = [&] {
            beforeRaw();
            const double start = clock();
            rawHits = raw();
            rawTimes.push_back(clock() - start);
        };
        if (rawFirst) {
            runRaw();
            runProgram();
        } else {
            runProgram();
            runRaw();
        }
        rawFirst = !rawFirst;
        state.SetIterationTime(programTimes.back());
    }
    bench::setMedianCounters(state, programTimes, rawTimes);
    state.counters["hits"] = static_cast<double>(programHits);
    state.counters["sqlite_hits"] = static_cast<double>(rawHits);
    state.counters["peak_kB"] = peak;
}

// The search as the user sees it: statement built, run, counted, and the
// tree's first 80 labels made from keyword and region.
long programRun(Program& p)
{
    if (!p.db.openRecordset(p.db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly)) {
        p.db.closeRecordset();
        return -1;
    }
    ado::Recordset* rs = p.db.recordset();
    const long hits = rs->recordCount();
    std::vector<std::u16string> tree;
    rs->moveFirst();
    for (int i = 0; i < kShownHits && !rs->eof(); ++i, rs->moveNext()) {
        const ado::Variant keyword = p.db.columnValue(wine_row::kKeyword);
        const ado::Variant region = p.db.columnValue(wine_row::kRegion);
        auto label = treeLabel(keyword.isText() ? std::optional<std::u16string>(keyword.text()) : std::nullopt,
                               region.isText() ? std::optional<std::u16string>(region.text()) : std::nullopt);
        tree.push_back(label.value_or(u""));
    }
    p.db.closeRecordset();
    benchmark::DoNotOptimize(tree.data());
    return hits;
}

long programSearch(Program& p, const SearchCriteria& criteria)
{
    buildSearchStatement(criteria, p.db);
    return programRun(p);
}

// What the results dialog does after the exact search found nothing: the
// tolerant searches composed (country and synonym looked up), run in turn
// until one finds rows.
long programTolerantSearch(Program& p, const SearchCriteria& criteria)
{
    for (const TolerantSearch& t : tolerantSearches(criteria, p.db)) {
        p.db.setText(t.statement);
        const long hits = programRun(p);
        if (hits > 0)
            return hits;
    }
    return 0;
}

long rawSearch(Straight& s, const std::u16string& statement)
{
    sqlite3_stmt* stmt = s.prepare(statement);
    if (!stmt)
        return -1;
    long hits = 0;
    std::vector<std::u16string> tree;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        if (hits < kShownHits) {
            const auto* keyword = static_cast<const char16_t*>(sqlite3_column_text16(stmt, wine_row::kKeyword));
            std::u16string label = keyword ? keyword : u"";
            const auto* region = static_cast<const char16_t*>(sqlite3_column_text16(stmt, wine_row::kRegion));
            label += u", ";
            label += region ? region : u"";
            tree.push_back(std::move(label));
        }
        ++hits;
    }
    sqlite3_finalize(stmt);
    benchmark::DoNotOptimize(tree.data());
    return hits;
}

// The country code the builder's lookup finds, for the raw side's statement.
std::u16string countryCode(Program& p, const SearchCriteria& c)
{
    if (c.countryName.size() < 3)
        return u"\n";
    char16_t code[151] = u"\n";
    p.db.setText(text::format(sql::kCountryCode, {c.countryName}));
    p.db.queryValue(code, 150);
    return code;
}

void search(benchmark::State& state, const SearchCriteria& criteria, bool cold)
{
    Program p;
    Straight s;
    const std::u16string statement = bench::withSqliteWildcards(composeSearchStatement(criteria, countryCode(p, criteria)));
    auto nothing = [] {};
    interleave(
        state, cold, [&] { return programSearch(p, criteria); }, [&] { return rawSearch(s, statement); },
        cold ? std::function<void()>([&] { p.reopenCold(); }) : nothing,
        cold ? std::function<void()>([&] { s.reopenCold(); }) : nothing);
}

// The same tolerant statements straight on SQLite, in the same turn.
void tolerantSearch(benchmark::State& state, const SearchCriteria& criteria)
{
    Program p;
    Straight s;
    std::vector<std::u16string> statements;
    for (const TolerantSearch& t : tolerantSearches(criteria, p.db))
        statements.push_back(bench::withSqliteWildcards(t.statement));
    auto nothing = [] {};
    interleave(
        state, false, [&] { return programTolerantSearch(p, criteria); },
        [&] {
            for (const std::u16string& statement : statements)
                if (const long hits = rawSearch(s, statement); hits > 0)
                    return hits;
            return 0L;
        },
        nothing, nothing);
}

SearchCriteria frenchRed()
{
    SearchCriteria c;
    c.countryName = u"Frankreich";
    c.red = true;
    return c;
}

SearchCriteria keyword()
{
    SearchCriteria c;
    c.term = u"Saint";
    return c;
}

SearchCriteria fullText()
{
    SearchCriteria c;
    c.term = u"Kirsche";
    c.fullText = true;
    return c;
}

SearchCriteria region()
{
    SearchCriteria c;
    c.regionText = u"Bordeaux";
    return c;
}

SearchCriteria quality()
{
    SearchCriteria c;
    c.qualityLevel = 3;
    c.especiallyGood = true;
    return c;
}

SearchCriteria combination()
{
    SearchCriteria c;
    c.countryName = u"Deutschland";
    c.term = u"berg";
    c.white = true;
    c.dry = c.medium = true;
    c.qualityLevel = 2;
    return c;
}

// Terms the exact search does not find: an accent too many, and a synonym.
SearchCriteria tolerantKeyword()
{
    SearchCriteria c;
    c.term = u"Säint";
    return c;
}

SearchCriteria tolerantFullText()
{
    SearchCriteria c;
    c.term = u"Kirsché";
    c.fullText = true;
    return c;
}

SearchCriteria synonym()
{
    SearchCriteria c;
    c.term = u"Pinot Nero";
    return c;
}

SearchCriteria allRed()
{
    SearchCriteria c;
    c.red = true;
    return c;
}

struct NullList : ui::StringListTarget {
    void addString(std::u16string_view text) override { benchmark::DoNotOptimize(text.data()); ++count; }
    long count = 0;
};

void BM_CountryList(benchmark::State& state)
{
    Program p;
    Straight s;
    auto nothing = [] {};
    interleave(
        state, false,
        [&] {
            NullList list;
            p.db.setText(sql::kCountryNames);
            p.db.fillComboBox(list);
            return list.count;
        },
        [&] {
            sqlite3_stmt* stmt = s.prepare(sql::kCountryNames);
            long count = 0;
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                benchmark::DoNotOptimize(sqlite3_column_text16(stmt, 0));
                ++count;
            }
            sqlite3_finalize(stmt);
            return count;
        },
        nothing, nothing);
}

struct NullText : ui::TextTarget {
    void setText(std::u16string_view text) override { value = text; }
    std::u16string text() const override { return value; }
    std::u16string value;
};

void BM_ShowEntry(benchmark::State& state)
{
    Program p;
    Straight s;
    NullText info, vintages;
    int programId = 1, rawId = 1;
    auto nothing = [] {};
    interleave(
        state, false,
        [&] {
            p.db.setText(text::format(sql::kEntryRow, {text::format(u"%i", {programId})}));
            showEntryTexts(p.db, info, vintages);
            programId = programId % g_entries + 1;
            return 1L;
        },
        [&] {
            sqlite3_stmt* stmt = s.prepare(text::format(sql::kEntryRow, {text::format(u"%i", {rawId})}));
            long rows = 0;
            if (sqlite3_step(stmt) == SQLITE_ROW) {
                for (int c = 1; c <= wine_row::kLastRead; ++c)
                    benchmark::DoNotOptimize(sqlite3_column_text16(stmt, c));
                rows = 1;
            }
            sqlite3_finalize(stmt);
            rawId = rawId % g_entries + 1;
            return rows;
        },
        nothing, nothing);
}

void registerSearches()
{
    struct Case {
        const char* name;
        SearchCriteria (*criteria)();
        bool cold;
    };
    static const Case cases[] = {
        {"FrenchRed", frenchRed, false},     {"Keyword_Saint", keyword, false},
        {"FullText_Kirsche", fullText, false}, {"Region_Bordeaux", region, false},
        {"Quality3_besGut", quality, false}, {"Combination", combination, false},
        {"AllRed", allRed, false},           {"Keyword_Saint_Cold", keyword, true},
    };
    for (const Case& c : cases) {
        auto* b = benchmark::RegisterBenchmark((std::string("Search/") + c.name).c_str(),
                                               [c](benchmark::State& state) { search(state, c.criteria(), c.cold); });
        b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(g_iterations);
    }
    static const Case tolerantCases[] = {
        {"Keyword_Saeint", tolerantKeyword, false},
        {"FullText_Kirsche", tolerantFullText, false},
        {"Synonym_PinotNero", synonym, false},
    };
    for (const Case& c : tolerantCases) {
        auto* b = benchmark::RegisterBenchmark((std::string("Tolerant/") + c.name).c_str(),
                                               [c](benchmark::State& state) { tolerantSearch(state, c.criteria()); });
        b->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(g_iterations);
    }
}

int entriesOf(const std::string& path)
{
    sqlite3* db = nullptr;
    int n = 0;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db, "SELECT max(ID) FROM vinaria", -1, &s, nullptr) == SQLITE_OK
            && sqlite3_step(s) == SQLITE_ROW)
            n = sqlite3_column_int(s, 0);
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
    return n;
}

} // namespace

int main(int argc, char** argv)
{
    bench::readArguments(argc, argv, g_folder, g_iterations);
    g_entries = entriesOf(guidePath());
    if (g_entries <= 0) {
        std::fprintf(stderr, "usage: %s --guide=DIR [benchmark options]; DIR/vinaria2007_db.cdb is a guide\n", argv[0]);
        return 2;
    }
    shell::setProgramPathForTesting(text::fromUtf8(g_folder + "/vinaria"));
    benchmark::AddCustomContext("guide", guidePath());
    benchmark::AddCustomContext("entries", std::to_string(g_entries));
    benchmark::RegisterBenchmark("CountryList", BM_CountryList)->UseManualTime()->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("ShowEntry", BM_ShowEntry)->UseManualTime()->Unit(benchmark::kMicrosecond);
    registerSearches();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
