// The command line's work on one synthetic guide, next to the same work done
// straight on SQLite: a search printed as hit lines (to /dev/null), and the
// CSV export of 10 000 bookmarks. Both sides run in every iteration, in
// turns, so a busy machine slows both alike; the counters give both medians
// and their ratio.
//   vinaria_cli_bench --guide=DIR [--iterations=N] [benchmark options]
// DIR holds vinaria2007_db.cdb (made by bench/run-cli.sh).
#include "cli/BookmarkTransfer.h"
#include "cli/Search.h"
#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "results/EntryTexts.h"
#include "resources/ResultsTexts.h"
#include "search/QueryBuilder.h"

#include "bench/BenchSupport.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int kBookmarks = 10000;
constexpr char kRawPragmas[] = "PRAGMA mmap_size = 4294967296;";

std::string g_folder;
int g_iterations = 9;
std::FILE* g_sink = nullptr;

// Runs both sides in turns; the program's time is the iteration time.
void inTurns(benchmark::State& state, bool wall, const std::function<long()>& program,
             const std::function<long()>& raw)
{
    std::vector<double> programTimes, rawTimes;
    long programCount = 0, rawCount = 0;
    bool rawFirst = false;
    auto clock = wall ? bench::wallSeconds : bench::cpuSeconds;
    auto time = [&](const std::function<long()>& side, std::vector<double>& times, long& count) {
        const double start = clock();
        count = side();
        times.push_back(clock() - start);
    };
    for (auto _ : state) {
        if (rawFirst)
            time(raw, rawTimes, rawCount);
        time(program, programTimes, programCount);
        if (!rawFirst)
            time(raw, rawTimes, rawCount);
        rawFirst = !rawFirst;
        state.SetIterationTime(programTimes.back());
    }
    bench::setMedianCounters(state, programTimes, rawTimes);
    state.counters["rows"] = static_cast<double>(programCount);
    state.counters["sqlite_rows"] = static_cast<double>(rawCount);
}

struct Program {
    explicit Program(const std::string& guide)
    {
        db.guidePath = text::fromUtf8(guide);
        db.allocateTextBuffer();
        if (!db.open())
            std::abort();
    }
    WineDatabase db;
};

struct Straight {
    explicit Straight(const std::string& guide)
    {
        if (sqlite3_open_v2(guide.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            std::abort();
        sqlite3_exec(db, kRawPragmas, nullptr, nullptr, nullptr);
    }
    ~Straight() { sqlite3_close(db); }
    sqlite3_stmt* prepare(std::u16string_view sql)
    {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare16_v2(db, sql.data(), static_cast<int>(sql.size() * 2), &s, nullptr);
        return s;
    }
    sqlite3* db = nullptr;
};

std::string columnText(sqlite3_stmt* s, int column)
{
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(s, column));
    return t ? std::string(t, static_cast<std::size_t>(sqlite3_column_bytes(s, column))) : std::string();
}

long programSearch(Program& p, const SearchCriteria& criteria)
{
    std::string lines;
    cli::HitLineWriter writer;
    long hits = 0;
    std::u16string notice;
    cli::searchGuide(p.db, criteria, [&](const cli::Hit& hit) {
        writer.append(lines, hit);
        ++hits;
    }, notice);
    std::fwrite(lines.data(), 1, lines.size(), g_sink);
    return hits;
}

// The same statement, and the same line printed from the engine's own UTF-8.
long rawSearch(Straight& s, const std::u16string& statement, const std::map<std::string, std::string>& countries)
{
    static const std::string colourNames[] = {text::toUtf8(texts::results::kRedNode), text::toUtf8(texts::results::kRoseNode),
                                              text::toUtf8(texts::results::kWhiteNode), text::toUtf8(texts::results::kBrownNode)};
    sqlite3_stmt* stmt = s.prepare(statement);
    std::string lines;
    long hits = 0;
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        if (sqlite3_column_type(stmt, 1) == SQLITE_NULL)
            continue;
        lines += std::to_string(sqlite3_column_int(stmt, 0));
        for (int column : {1, 4}) {
            lines += '\t';
            lines.append(reinterpret_cast<const char*>(sqlite3_column_text(stmt, column)),
                         static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)));
        }
        lines += '\t';
        const std::string code = columnText(stmt, 3);
        const auto name = countries.find(code);
        lines += name != countries.end() ? name->second : code;
        lines += '\t';
        bool first = true;
        for (int c = 0; c < 4; ++c) {
            if (sqlite3_column_int(stmt, 5 + c) <= 0)
                continue;
            lines += (first ? "" : ", ") + colourNames[c];
            first = false;
        }
        lines += '\t';
        lines += text::toUtf8(qualityLine(sqlite3_column_int(stmt, 28), sqlite3_column_int(stmt, 30)));
        lines += '\n';
        ++hits;
    }
    sqlite3_finalize(stmt);
    std::fwrite(lines.data(), 1, lines.size(), g_sink);
    return hits;
}

std::map<std::string, std::string> rawCountryNames(Straight& s)
{
    std::map<std::string, std::string> names;
    sqlite3_stmt* stmt = s.prepare(sql::kCountryNamesByCode);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        names.emplace(columnText(stmt, 0), columnText(stmt, 1));
    sqlite3_finalize(stmt);
    return names;
}

std::u16string countryCode(Straight& s, const SearchCriteria& c)
{
    if (c.countryName.size() < 3)
        return u"\n";
    sqlite3_stmt* stmt = s.prepare(text::format(sql::kCountryCode, {c.countryName}));
    std::u16string code = u"\n";
    if (sqlite3_step(stmt) == SQLITE_ROW)
        code = text::fromUtf8(columnText(stmt, 0));
    sqlite3_finalize(stmt);
    return code;
}

void search(benchmark::State& state, const SearchCriteria& criteria)
{
    const std::string guide = g_folder + "/vinaria2007_db.cdb";
    Program p(guide);
    Straight s(guide);
    const auto countries = rawCountryNames(s);
    const std::u16string statement = bench::withSqliteWildcards(composeSearchStatement(criteria, countryCode(s, criteria)));
    inTurns(state, false, [&] { return programSearch(p, criteria); },
            [&] { return rawSearch(s, statement, countries); });
}

// The export: the program through its task, SQLite reading the same rows
// and writing the same quoting through a temporary file and a rename.
void exportBookmarks(benchmark::State& state)
{
    const std::string guide = g_folder + "/bookmarks/vinaria2007_db.cdb";
    Program p(guide);
    Straight s(guide);
    const std::u16string programFile = text::fromUtf8(g_folder + "/bookmarks/program.csv");
    const std::string rawFile = g_folder + "/bookmarks/sqlite.csv";
    const cli::Console quiet{g_sink, g_sink};
    inTurns(state, true,
            [&] { return cli::exportBookmarks(p.db, programFile, quiet) == 0 ? long(kBookmarks) : -1L; },
            [&] {
                sqlite3_stmt* stmt = s.prepare(sql::kBookmarksWithWines);
                std::string csv = "\xEF\xBB\xBFid;Stichwort;Region;Land;Beschreibung;Notiz\r\n";
                long rows = 0;
                while (sqlite3_step(stmt) == SQLITE_ROW) {
                    csv += std::to_string(sqlite3_column_int(stmt, 0));
                    for (int c = 1; c < 6; ++c) {
                        const std::string v = columnText(stmt, c);
                        csv += ';';
                        if (v.find_first_of(";\"\r\n") == std::string::npos) {
                            csv += v;
                            continue;
                        }
                        csv += '"';
                        for (char ch : v)
                            csv += ch == '"' ? std::string("\"\"") : std::string(1, ch);
                        csv += '"';
                    }
                    csv += "\r\n";
                    ++rows;
                }
                sqlite3_finalize(stmt);
                std::FILE* f = std::fopen((rawFile + ".tmp").c_str(), "wb");
                std::fwrite(csv.data(), 1, csv.size(), f);
                std::fflush(f);
                fdatasync(fileno(f));
                std::fclose(f);
                std::rename((rawFile + ".tmp").c_str(), rawFile.c_str());
                return rows;
            });
}

// A copy of the guide with kBookmarks bookmarks, every tenth entry, each
// with a note that needs quoting.
void makeBookmarkGuide()
{
    const fs::path dir = g_folder + "/bookmarks";
    fs::create_directories(dir);
    fs::copy_file(g_folder + "/vinaria2007_db.cdb", dir / "vinaria2007_db.cdb", fs::copy_options::overwrite_existing);
    sqlite3* db = nullptr;
    sqlite3_open((dir / "vinaria2007_db.cdb").c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (?1, ?2, ?3)", -1, &s,
                       nullptr);
    for (int i = 1; i <= kBookmarks; ++i) {
        const std::string description = "Lesezeichen " + std::to_string(i);
        const std::string note = "Für den Keller; \"zwei\" Flaschen, Winzer's Wahl, gekühlt trinken";
        sqlite3_bind_int(s, 1, i * 10);
        sqlite3_bind_text(s, 2, description.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 3, note.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

SearchCriteria criteria(std::u16string country, std::u16string term, bool fullText, bool red)
{
    SearchCriteria c;
    c.countryName = std::move(country);
    c.term = std::move(term);
    c.fullText = fullText;
    c.red = red;
    return c;
}

} // namespace

int main(int argc, char** argv)
{
    bench::readArguments(argc, argv, g_folder, g_iterations);
    if (g_folder.empty() || !fs::exists(g_folder + "/vinaria2007_db.cdb")) {
        std::fprintf(stderr, "usage: %s --guide=DIR [benchmark options]; DIR/vinaria2007_db.cdb is a guide\n", argv[0]);
        return 2;
    }
    g_sink = std::fopen("/dev/null", "w");
    makeBookmarkGuide();
    struct Case {
        const char* name;
        SearchCriteria criteria;
    };
    const Case cases[] = {
        {"AllRed", criteria(u"", u"", false, true)},
        {"FrenchRed", criteria(u"Frankreich", u"", false, true)},
        {"Keyword_Saint", criteria(u"", u"Saint", false, false)},
        {"FullText_Kirsche", criteria(u"", u"Kirsche", true, false)},
    };
    for (const Case& c : cases)
        benchmark::RegisterBenchmark((std::string("CliSearch/") + c.name).c_str(),
                                     [c](benchmark::State& state) { search(state, c.criteria); })
            ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(g_iterations);
    benchmark::RegisterBenchmark("CliExport/10000_bookmarks", exportBookmarks)
        ->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(g_iterations);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::fclose(g_sink);
    return 0;
}
