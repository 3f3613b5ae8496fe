// The program's database work against the same SQL run straight on SQLite:
// filling the country list, a broad search with its count and first 80 rows,
// a full-text search through the scrambled prose, and reading one entry.
#include "services/ShellServices.h"
#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "results/EntryTexts.h"
#include "results/WineRow.h"
#include "search/QueryBuilder.h"
#include "tools/guide/GuideSources.h"
#include "tools/guide/GuideWriter.h"
#include "tools/guide/SyntheticGuide.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kShownHits = 80;
int g_entries = 20000;

std::string sourcesFolder()
{
    const std::string real = std::string(VINARIA_SOURCE_DIR) + "/data/guide";
    if (!guide::loadGuideSources(real, guide::SourceParts::WithoutWines).error)
        return real;
    return std::string(VINARIA_SOURCE_DIR) + "/tests/fixtures/guide";
}

// One synthetic guide per size and state of the sources, made once and kept.
std::string databaseFolder()
{
    static const std::string folder = std::string(VINARIA_BENCH_TMP) + "/" + std::to_string(g_entries) + "-" +
                                      guide::sourcesDigest(sourcesFolder());
    return folder;
}

void prepareGuide()
{
    const std::string folder = databaseFolder();
    const std::string path = folder + "/vinaria2007_db.cdb";
    std::filesystem::create_directories(folder);
    if (!std::filesystem::exists(path)) {
        const auto base = guide::loadGuideSources(sourcesFolder(), guide::SourceParts::WithoutWines);
        const auto written = guide::writeGuideDatabase(guide::syntheticGuide(base.content, g_entries, 7), path, "bench");
        if (!written.ok) {
            std::fprintf(stderr, "%s\n", written.error.c_str());
            std::exit(1);
        }
    }
    shell::setProgramPathForTesting(text::fromUtf8(folder + "/vinaria"));
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

struct Program {
    Program()
    {
        db.allocateTextBuffer();
        if (!db.open())
            std::abort();
    }
    WineDatabase db;
};

struct Straight {
    Straight()
    {
        const std::string path = databaseFolder() + "/vinaria2007_db.cdb";
        if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            std::abort();
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

struct NullList : ui::StringListTarget {
    void addString(std::u16string_view text) override { benchmark::DoNotOptimize(text.data()); ++count; }
    int count = 0;
};

void BM_CountryList_Program(benchmark::State& state)
{
    Program p;
    for (auto _ : state) {
        NullList list;
        p.db.setText(sql::kCountryNames);
        p.db.fillComboBox(list);
        benchmark::DoNotOptimize(list.count);
    }
}

void BM_CountryList_SQLite(benchmark::State& state)
{
    Straight s;
    for (auto _ : state) {
        sqlite3_stmt* stmt = s.prepare(sql::kCountryNames);
        int count = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            benchmark::DoNotOptimize(sqlite3_column_text16(stmt, 0));
            ++count;
        }
        sqlite3_finalize(stmt);
        benchmark::DoNotOptimize(count);
    }
}

SearchCriteria frenchRed()
{
    SearchCriteria c;
    c.countryName = u"Frankreich";
    c.red = true;
    return c;
}

// Count the hits and label the first 80, as the results dialog does.
void BM_FrenchRedSearch_Program(benchmark::State& state)
{
    Program p;
    long hits = 0;
    for (auto _ : state) {
        buildSearchStatement(frenchRed(), p.db);
        p.db.openRecordset(p.db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly);
        ado::Recordset* rs = p.db.recordset();
        hits = rs->recordCount();
        rs->moveFirst();
        for (int i = 0; i < kShownHits && !rs->eof(); ++i, rs->moveNext()) {
            auto label = treeLabel(std::u16string(p.db.columnValue(wine_row::kKeyword).text()),
                                   std::u16string(p.db.columnValue(wine_row::kRegion).text()));
            benchmark::DoNotOptimize(label);
        }
        p.db.closeRecordset();
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.counters["peak_MB"] = peakMegabytes();
}

void BM_FrenchRedSearch_SQLite(benchmark::State& state)
{
    Straight s;
    const std::u16string statement = composeSearchStatement(frenchRed(), u"FRA");
    long hits = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = s.prepare(statement);
        hits = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            if (hits < kShownHits) {
                benchmark::DoNotOptimize(sqlite3_column_text16(stmt, wine_row::kKeyword));
                benchmark::DoNotOptimize(sqlite3_column_text16(stmt, wine_row::kRegion));
            }
            ++hits;
        }
        sqlite3_finalize(stmt);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

SearchCriteria fullText()
{
    SearchCriteria c;
    c.term = u"Kirsche";
    c.fullText = true;
    return c;
}

void BM_FullTextSearch_Program(benchmark::State& state)
{
    Program p;
    long hits = 0;
    for (auto _ : state) {
        buildSearchStatement(fullText(), p.db);
        p.db.openRecordset(p.db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly);
        hits = p.db.recordset()->recordCount();
        p.db.closeRecordset();
    }
    state.counters["hits"] = static_cast<double>(hits);
}

// SQLite's own LIKE with '%' wildcards over the same columns and patterns.
void BM_FullTextSearch_SQLite(benchmark::State& state)
{
    Straight s;
    std::u16string hidden = u"kirsche";
    ShellServices::scramble(hidden);
    const std::u16string statement = u"SELECT * FROM vinaria WHERE ((Stichwort_Klein LIKE '%kirsche%') OR (Text_Klein LIKE '%" +
                                     hidden + u"%') OR (Regio_Lang LIKE '%kirsche%')) ORDER BY STICHWORT";
    long hits = 0;
    for (auto _ : state) {
        sqlite3_stmt* stmt = s.prepare(statement);
        hits = 0;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            ++hits;
        sqlite3_finalize(stmt);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

struct NullText : ui::TextTarget {
    void setText(std::u16string_view text) override { value = text; }
    std::u16string text() const override { return value; }
    std::u16string value;
};

void BM_ShowEntry_Program(benchmark::State& state)
{
    Program p;
    NullText info, vintages;
    int id = 1;
    for (auto _ : state) {
        p.db.setText(text::format(sql::kEntryRow, {text::format(u"%i", {id})}));
        showEntryTexts(p.db, info, vintages);
        id = id % g_entries + 1;
    }
}

void BM_ShowEntry_SQLite(benchmark::State& state)
{
    Straight s;
    int id = 1;
    for (auto _ : state) {
        sqlite3_stmt* stmt = s.prepare(text::format(sql::kEntryRow, {text::format(u"%i", {id})}));
        if (sqlite3_step(stmt) == SQLITE_ROW)
            for (int c = 1; c <= wine_row::kLastRead; ++c)
                benchmark::DoNotOptimize(sqlite3_column_text16(stmt, c));
        sqlite3_finalize(stmt);
        id = id % g_entries + 1;
    }
}

BENCHMARK(BM_CountryList_Program);
BENCHMARK(BM_CountryList_SQLite);
BENCHMARK(BM_FrenchRedSearch_Program)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrenchRedSearch_SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullTextSearch_Program)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FullTextSearch_SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowEntry_Program)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ShowEntry_SQLite)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--entries=", 0) == 0)
            g_entries = std::max(1, std::atoi(argv[i] + 10));
    prepareGuide();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
