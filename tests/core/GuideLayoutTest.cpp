// How the builder lays the guide out: entries in keyword order on large
// pages, found by id through an index; a guide laid out by an older builder
// is laid out anew even when its sources are unchanged, and keeps its
// bookmarks; the file stays plain SQLite.
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"
#include "tools/guide/GuideSources.h"
#include "tools/guide/GuideWriter.h"
#include "tools/guide/SyntheticGuide.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::string firstValue(sqlite3* db, const char* sql)
{
    sqlite3_stmt* s = nullptr;
    std::string value = "<none>";
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW
        && sqlite3_column_text(s, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
    return value;
}

// The plan SQLite makes for sql, one detail line after the other.
std::string queryPlan(sqlite3* db, const std::string& sql)
{
    sqlite3_stmt* s = nullptr;
    std::string plan;
    if (sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + sql).c_str(), -1, &s, nullptr) == SQLITE_OK)
        while (sqlite3_step(s) == SQLITE_ROW)
            plan += std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, 3))) + "\n";
    sqlite3_finalize(s);
    return plan;
}

TEST(GuideLayout, AGuideWithTheOldIndexesIsRebuiltAndKeepsItsBookmarks)
{
    const std::string folder = freshFolder();
    const std::string path = buildDatabase(fixtureSources(), folder);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    // What the previous builder left: one-column indexes, layout "1", a bookmark.
    ASSERT_EQ(sqlite3_exec(db,
                           "DROP INDEX vinaria_Land; CREATE INDEX vinaria_Land ON vinaria (Land);"
                           "UPDATE Ausgabe_Info SET Wert = '1' WHERE Schluessel = 'schema';"
                           "INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (2, 'Mosel', 'kühl')",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    const guide::BuildResult rebuilt = guide::buildGuide(fixtureSources(), path);
    ASSERT_EQ(rebuilt.outcome, guide::BuildOutcome::Built) << rebuilt.message;
    EXPECT_EQ(guide::buildGuide(fixtureSources(), path).outcome, guide::BuildOutcome::UpToDate);

    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(firstValue(db, "SELECT id_vinaria || ':' || Beschreibung || ':' || Notiz FROM Lesezeichen"), "2:Mosel:kühl");
    // Searches run in keyword order straight from the indexes, never sorting.
    const std::string keyword = queryPlan(db, "SELECT * FROM vinaria WHERE Stichwort_Klein LIKE '%a%' ORDER BY STICHWORT");
    EXPECT_NE(keyword.find("vinaria_Stichwort"), std::string::npos) << keyword;
    const std::string country = queryPlan(db, "SELECT * FROM vinaria WHERE Land = 'FRA' AND Rot > 0 ORDER BY STICHWORT");
    EXPECT_NE(country.find("vinaria_Land"), std::string::npos) << country;
    EXPECT_EQ(country.find("TEMP B-TREE"), std::string::npos) << country;
    EXPECT_EQ(firstValue(db, "PRAGMA integrity_check"), "ok");
    sqlite3_close(db);
}

guide::Wine wine(int id, std::u16string keyword)
{
    guide::Wine w;
    w.id = id;
    w.keyword = std::move(keyword);
    w.country = u"FRA";
    w.region = u"Bordeaux";
    w.red = true;
    w.text = u"Kirsche und Pflaume.";
    return w;
}

guide::GuideContent bordeauxWith(std::vector<guide::Wine> wines)
{
    guide::GuideContent c;
    c.countries.push_back({u"FRA", u"Frankreich"});
    c.regions.push_back({u"FRA", u"Bordeaux"});
    c.wines = std::move(wines);
    return c;
}

TEST(GuideLayout, EntriesAreStoredInKeywordOrderAndFoundByTheirId)
{
    const std::string folder = freshFolder();
    // Given entries whose ids run against their keywords, two keywords equal,
    // and one that sorts behind "Z" because of its accented first letter.
    const std::string path = buildDatabase(
        bordeauxWith({wine(1, u"Zeltinger"), wine(2, u"Bernkasteler"), wine(3, u"Ürziger"), wine(4, u"Bernkasteler"),
                      wine(5, u"Margaux")}),
        folder);
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(firstValue(db, "SELECT group_concat(ID, ',') FROM (SELECT ID FROM vinaria ORDER BY rowid)"), "2,4,5,1,3");
    EXPECT_EQ(firstValue(db, "SELECT STICHWORT FROM vinaria WHERE ID = 1"), "Zeltinger");
    const std::string byId = queryPlan(db, "SELECT * FROM vinaria WHERE ID = 3");
    EXPECT_NE(byId.find("vinaria_ID"), std::string::npos) << byId;
    EXPECT_EQ(firstValue(db, "PRAGMA page_size"), "65536");
    EXPECT_EQ(firstValue(db, "PRAGMA integrity_check"), "ok");
    sqlite3_close(db);
}

TEST(GuideLayout, TwoEntriesWithOneIdAreRefusedAndTheOldGuideStays)
{
    const std::string folder = freshFolder();
    const std::string path = buildDatabase(bordeauxWith({wine(1, u"Margaux")}), folder);
    const guide::WriteResult written =
        guide::writeGuideDatabase(bordeauxWith({wine(7, u"Pauillac"), wine(7, u"Listrac")}), path, "doppelt");
    EXPECT_FALSE(written.ok);
    EXPECT_NE(written.error.find("UNIQUE"), std::string::npos) << written.error;
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    EXPECT_EQ(firstValue(db, "SELECT group_concat(STICHWORT) FROM vinaria"), "Margaux");
    sqlite3_close(db);
}

TEST(GuideLayout, TheSyntheticGuideHandsOverItsEntriesInKeywordOrderTheSameForOneSeed)
{
    const auto base = guide::loadGuideSources(sourceDir() + "/data/guide", guide::SourceParts::WithoutWines);
    ASSERT_FALSE(base.error);
    const auto draw = [&](int count, std::uint64_t seed) {
        std::vector<guide::Wine> wines;
        const guide::WineSource next = guide::syntheticWines(base.content, count, seed);
        for (guide::Wine w; next(w);)
            wines.push_back(w);
        return wines;
    };
    const std::vector<guide::Wine> wines = draw(2000, 7);
    ASSERT_EQ(wines.size(), 2000u);
    EXPECT_TRUE(std::is_sorted(wines.begin(), wines.end(), [](const guide::Wine& a, const guide::Wine& b) {
        const std::string ka = guide::storedKeyword(a.keyword), kb = guide::storedKeyword(b.keyword);
        return ka != kb ? ka < kb : a.id < b.id;
    }));
    std::vector<int> ids;
    for (const guide::Wine& w : wines)
        ids.push_back(w.id);
    std::sort(ids.begin(), ids.end());
    EXPECT_EQ(ids.front(), 1);
    EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end());
    EXPECT_EQ(ids.back(), 2000);

    const std::vector<guide::Wine> again = draw(2000, 7);
    const std::vector<guide::Wine> other = draw(2000, 8);
    std::size_t same = 0, sameWithOtherSeed = 0;
    for (std::size_t i = 0; i < wines.size(); ++i) {
        same += again[i].id == wines[i].id && again[i].text == wines[i].text && again[i].keyword == wines[i].keyword;
        sameWithOtherSeed += other[i].id == wines[i].id && other[i].text == wines[i].text;
    }
    EXPECT_EQ(same, wines.size());
    EXPECT_LT(sameWithOtherSeed, 10u);
}

} // namespace
