// The searches give the same hits in the same order on the guide as the
// builder lays it out (row order, page size, indexes, connection settings,
// the UTF-8 LIKE) as on a plain copy of it: entries stored by id, only the
// keyword and country indexes, SQLite's defaults, and the UTF-16 reference
// LIKE.
#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/ado/Like.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "search/QueryBuilder.h"
#include "tests/support/GuideFixture.h"
#include "tools/guide/GuideSources.h"
#include "tools/guide/GuideWriter.h"
#include "tools/guide/SyntheticGuide.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace testing_support;

constexpr int kEntries = 10000;
constexpr int kCombinations = 240;

// The guide as it was laid out before the search work: entries stored by id
// on small pages, with only the keyword and country indexes.
std::string plainLayoutOf(const std::string& guide)
{
    std::string tables = sql::schema::kCreateTables;
    const std::string idColumn = "ID INTEGER NOT NULL,";
    tables.replace(tables.find(idColumn), idColumn.size(), "ID INTEGER PRIMARY KEY,");
    std::string script = "PRAGMA page_size = 4096;" + tables + "ATTACH '" + guide + "' AS g;";
    for (const char* table : {"Land", "Region", "Rebsorten", "Lesezeichen", "Ausgabe_Info"})
        script += std::string("INSERT INTO ") + table + " SELECT * FROM g." + table + ";";
    return script + "INSERT INTO vinaria SELECT * FROM g.vinaria ORDER BY ID;"
                    "CREATE INDEX vinaria_Land ON vinaria (Land);"
                    "CREATE INDEX vinaria_Stichwort ON vinaria (STICHWORT);"
                    "DETACH g;";
}

void referenceLike(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    const std::u16string pattern(static_cast<const char16_t*>(sqlite3_value_text16(argv[0])),
                                 static_cast<std::size_t>(sqlite3_value_bytes16(argv[0])) / 2);
    const std::u16string value(static_cast<const char16_t*>(sqlite3_value_text16(argv[1])),
                               static_cast<std::size_t>(sqlite3_value_bytes16(argv[1])) / 2);
    sqlite3_result_int(context, ado::likeMatch(pattern, value) ? 1 : 0);
}

// Hit ids in order, or nothing when the engine refuses the statement.
using Hits = std::optional<std::vector<int>>;

class SearchEquivalence : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder_ = new std::string(freshFolder());
        fs::create_directories(*folder_ + "/plain");
        const auto base = guide::loadGuideSources(sourceDir() + "/data/guide", guide::SourceParts::WithoutWines);
        ASSERT_FALSE(base.error);
        base_ = new guide::GuideContent(base.content);
        const std::string path = *folder_ + "/vinaria2007_db.cdb";
        ASSERT_TRUE(guide::writeGuideDatabase(*base_, guide::syntheticWines(*base_, kEntries, 7), path, "test").ok);
        sqlite3* plain = nullptr;
        ASSERT_EQ(sqlite3_open_v2((*folder_ + "/plain/vinaria2007_db.cdb").c_str(), &plain,
                                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
                  SQLITE_OK);
        const int made = sqlite3_exec(plain, plainLayoutOf(path).c_str(), nullptr, nullptr, nullptr);
        sqlite3_close(plain);
        ASSERT_EQ(made, SQLITE_OK);
    }

    static void TearDownTestSuite()
    {
        delete folder_;
        delete base_;
    }

    void SetUp() override
    {
        placeProgramIn(*folder_);
        db.allocateTextBuffer();
        ASSERT_TRUE(db.open());
        const std::string plain = *folder_ + "/plain/vinaria2007_db.cdb";
        ASSERT_EQ(sqlite3_open_v2(plain.c_str(), &reference, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
        for (int args : {2, 3})
            sqlite3_create_function(reference, "like", args, SQLITE_UTF16, nullptr, referenceLike, nullptr, nullptr);
    }

    void TearDown() override
    {
        db.close();
        sqlite3_close(reference);
        shell::setProgramPathForTesting(u"");
    }

    Hits programHits()
    {
        if (!db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly))
            return std::nullopt;
        std::vector<int> ids;
        ado::Recordset* rs = db.recordset();
        const long count = rs->recordCount();
        for (rs->moveFirst(); !rs->eof(); rs->moveNext())
            ids.push_back(db.columnValue(0).intValue());
        db.closeRecordset();
        EXPECT_EQ(count, static_cast<long>(ids.size()));
        return ids;
    }

    Hits referenceHits(std::u16string_view sql)
    {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare16_v2(reference, sql.data(), static_cast<int>(sql.size() * 2), &stmt, nullptr) != SQLITE_OK)
            return std::nullopt;
        std::vector<int> ids;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            ids.push_back(sqlite3_column_int(stmt, 0));
        sqlite3_finalize(stmt);
        return ids;
    }

    static std::string* folder_;
    static guide::GuideContent* base_;
    WineDatabase db;
    sqlite3* reference = nullptr;
};

std::string* SearchEquivalence::folder_ = nullptr;
guide::GuideContent* SearchEquivalence::base_ = nullptr;

// Criteria the form can compose, drawn so that every condition occurs alone
// and together with the others.
class CriteriaDraw {
public:
    explicit CriteriaDraw(std::uint64_t seed) : state_(seed) {}

    SearchCriteria next()
    {
        static const std::u16string countries[] = {u"", u"", u"Frankreich", u"Deutschland", u"Italien",
                                                   u"Spanien", u"Atlantis"};
        static const std::u16string regions[] = {u"", u"", u"", u" ", u"Mosel", u"BORDEAUX", u"rhein",
                                                 u"Württemberg", u"Toskana"};
        static const std::u16string terms[] = {u"", u"", u"saint", u"Kirsche", u"berg", u"ÜRZ", u"côtes",
                                               u"b?rg", u"s*t", u"e", u"Hölle", u"zzz", u"pfeffer und", u" "};
        SearchCriteria c;
        c.countryName = pick(countries);
        c.regionText = pick(regions);
        c.term = pick(terms);
        c.fullText = flip(2);
        c.red = flip(3), c.rose = flip(6), c.white = flip(3), c.brown = flip(8);
        c.dry = flip(4), c.medium = flip(6), c.sweet = flip(6), c.sparkling = flip(8);
        c.qualityLevel = static_cast<std::int16_t>(below(3) == 0 ? below(5) : 0);
        c.especiallyGood = flip(3);
        return c;
    }

private:
    std::size_t below(std::size_t n)
    {
        state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::size_t>((state_ >> 33) % n);
    }
    bool flip(std::size_t oneIn) { return below(oneIn) == 0; }
    template <std::size_t N>
    const std::u16string& pick(const std::u16string (&items)[N]) { return items[below(N)]; }

    std::uint64_t state_;
};

TEST_F(SearchEquivalence, EverySearchFindsTheSameHitsInTheSameOrderAsOnThePlainGuide)
{
    CriteriaDraw draw(2026);
    int withHits = 0;
    for (int i = 0; i < kCombinations; ++i) {
        const SearchCriteria criteria = draw.next();
        buildSearchStatement(criteria, db);
        const std::u16string statement(db.textBuffer);
        const Hits expected = referenceHits(statement);
        const Hits actual = programHits();
        ASSERT_EQ(actual.has_value(), expected.has_value()) << utf8(statement);
        if (!expected)
            continue;
        ASSERT_EQ(*actual, *expected) << utf8(statement);
        withHits += !expected->empty();
    }
    // The draw must reach real hits, not only empty results.
    EXPECT_GT(withHits, kCombinations / 4);
}

} // namespace
