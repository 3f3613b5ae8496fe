// A guide laid out by an older builder is laid out anew even when its sources
// are unchanged, and keeps its bookmarks; the file stays plain SQLite.
#include "tests/support/GuideFixture.h"
#include "tools/guide/GuideWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>

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

} // namespace
