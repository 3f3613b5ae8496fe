// Test support for guide databases.
#include "tests/support/GuideFixture.h"

#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "tools/guide/GuideSources.h"
#include "tools/guide/GuideWriter.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace fs = std::filesystem;

namespace testing_support {

std::string sourceDir()
{
    return VINARIA_SOURCE_DIR;
}

std::string fixtureSources()
{
    return sourceDir() + "/tests/fixtures/guide";
}

std::string freshFolder()
{
    // A suite's shared folder (made before any test runs) carries the process
    // id: ctest runs each test of a suite in its own process, in parallel.
    const auto* unit = ::testing::UnitTest::GetInstance();
    const auto* info = unit->current_test_info();
    const auto* suite = unit->current_test_suite();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name()
                     : suite ? std::string(suite->name()) + ".suite-" + std::to_string(::getpid())
                             : "unnamed-" + std::to_string(::getpid());
    for (char& c : name)
        if (c == '/')
            c = '_';
    const fs::path folder = fs::path(VINARIA_TEST_TMP) / name;
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder);
    return folder.string();
}

std::string buildDatabase(const std::string& sources, const std::string& folder)
{
    const std::string path = folder + "/vinaria2007_db.cdb";
    const guide::BuildResult result = guide::buildGuide(sources, path);
    EXPECT_NE(result.outcome, guide::BuildOutcome::Failed) << result.message;
    return path;
}

std::string buildDatabase(const guide::GuideContent& content, const std::string& folder)
{
    const std::string path = folder + "/vinaria2007_db.cdb";
    const guide::WriteResult result = guide::writeGuideDatabase(content, path, "test");
    EXPECT_TRUE(result.ok) << result.error;
    return path;
}

void placeProgramIn(const std::string& folder)
{
    shell::setProgramPathForTesting(text::fromUtf8(folder + "/vinaria"));
}

void GuideTest::SetUp()
{
    folder = freshFolder();
    buildDatabase(fixtureSources(), folder);
    placeProgramIn(folder);
    db.allocateTextBuffer();
    ASSERT_TRUE(db.open());
}

void GuideTest::TearDown()
{
    db.close();
    shell::setProgramPathForTesting(u"");
}

std::string utf8(std::u16string_view text)
{
    return text::toUtf8(text);
}

std::string firstValue(const std::string& db, const std::string& sql)
{
    sqlite3* h = nullptr;
    sqlite3_open_v2(db.c_str(), &h, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* s = nullptr;
    std::string value = "<none>";
    if (sqlite3_prepare_v2(h, sql.c_str(), -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW
        && sqlite3_column_text(s, 0))
        value = reinterpret_cast<const char*>(sqlite3_column_text(s, 0));
    sqlite3_finalize(s);
    sqlite3_close(h);
    return value;
}

guide::GuideContent wordyGuide()
{
    guide::GuideContent c;
    c.countries.push_back({u"FRA", u"Frankreich"});
    c.regions.push_back({u"FRA", u"Bordeaux"});
    for (int i = 1; i <= 300; ++i) {
        guide::Wine w;
        w.id = i;
        w.keyword = u"Riesling " + text::fromUtf8(std::to_string(i));
        w.country = u"FRA";
        w.region = u"Bordeaux";
        w.white = true;
        w.text = std::u16string(600, u'a');
        c.wines.push_back(w);
    }
    return c;
}

// Overwrites the middle leaf pages of the wine table with garbage.
void damageWineTable(const std::string& path)
{
    std::vector<int> pages;
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* s = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db, "SELECT pageno FROM dbstat WHERE name = 'vinaria' AND pagetype = 'leaf'", -1, &s, nullptr),
              SQLITE_OK);
    while (sqlite3_step(s) == SQLITE_ROW)
        pages.push_back(sqlite3_column_int(s, 0));
    sqlite3_finalize(s);
    ASSERT_EQ(sqlite3_prepare_v2(db, "PRAGMA page_size", -1, &s, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(s), SQLITE_ROW);
    const int pageSize = sqlite3_column_int(s, 0);
    sqlite3_finalize(s);
    sqlite3_close(db);
    ASSERT_GT(pages.size(), 6u);
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    const std::string garbage(static_cast<std::size_t>(pageSize), '\xA5');
    for (std::size_t i = pages.size() / 3; i < 2 * pages.size() / 3; ++i) {
        file.seekp(static_cast<std::streamoff>(pages[i] - 1) * pageSize);
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
}

// Bumps the file's change counter, so an open connection reads its pages
// afresh instead of from its cache, as it would after another writer.
void bumpChangeCounter(const std::string& path)
{
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    unsigned char counter[4];
    file.seekg(24);
    file.read(reinterpret_cast<char*>(counter), 4);
    counter[3] = static_cast<unsigned char>(counter[3] + 1);
    file.seekp(24);
    file.write(reinterpret_cast<const char*>(counter), 4);
}

} // namespace testing_support
