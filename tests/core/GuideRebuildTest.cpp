// Rebuilding the guide: texts come back exactly as written, a null or odd
// source digest means "rebuild", and a bookmark saved while a rebuild runs is
// neither lost nor confirmed too early.
#include "db/WineDatabase.h"
#include "platform/ado/Connection.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "services/ShellServices.h"
#include "tests/support/GuideFixture.h"
#include "tools/guide/GuideSources.h"
#include "tools/guide/GuideWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

constexpr char16_t kSaveBookmark[] = u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('2','Gespeichert','im Umbau')";

std::string copyOfFixture(const std::string& folder)
{
    const std::string sources = folder + "/quellen";
    fs::copy(fixtureSources(), sources, fs::copy_options::recursive);
    return sources;
}

void run(const std::string& path, const char* sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
}

// Every character the sources use, and scripts whose scrambled units are
// surrogates or land next to them.
std::u16string everyCharacter()
{
    std::u16string all;
    for (const char* file : {"laender.csv", "rebsorten.csv"}) {
        std::ifstream in(sourceDir() + "/data/guide/" + file, std::ios::binary);
        all += text::fromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
    }
    for (const auto& entry : fs::recursive_directory_iterator(sourceDir() + "/data/guide/weine")) {
        std::ifstream in(entry.path(), std::ios::binary);
        all += text::fromUtf8(std::string(std::istreambuf_iterator<char>(in), {}));
    }
    std::u16string alphabet;
    for (char16_t u : all)
        if (u >= u' ' && alphabet.find(u) == std::u16string::npos)
            alphabet.push_back(u);
    return alphabet + u" Wein \uD7A3 gut \uAC00\uD7A0 \u4E2D\u6587\u8461\u8404 \U0001F377\U0001F347 \uFFFD\uE000";
}

} // namespace

TEST(GuideRebuild, TextsComeBackExactlyAsWrittenInEveryScript)
{
    const std::u16string text = everyCharacter();
    guide::GuideContent c;
    c.countries.push_back({u"KOR", u"\uD55C\uAD6D"});
    c.regions.push_back({u"KOR", u"\uC11C\uC6B8 \U0001F377"});
    c.varieties.push_back({u"\uD7A3\uD7A3", guide::VarietyColour::White, text});
    guide::Wine w;
    w.id = 1;
    w.keyword = u"Wein \uD7A3 gut \U0001F377";
    w.country = u"KOR";
    w.region = c.regions[0].name;
    w.text = text;
    c.wines.push_back(w);
    const std::string folder = freshFolder();
    buildDatabase(c, folder);
    placeProgramIn(folder);

    WineDatabase db;
    db.allocateTextBuffer();
    ASSERT_TRUE(db.open());
    db.setText(u"select * from vinaria where ID = 1");
    ASSERT_TRUE(db.openRecordset(db.textBuffer));
    std::u16string prose(db.columnValue(2).text());
    EXPECT_EQ(db.columnValue(1).text(), w.keyword);
    EXPECT_EQ(db.columnValue(4).text(), w.region);
    db.closeRecordset();
    ShellServices::unscramble(prose);
    EXPECT_EQ(prose, text) << utf8(prose);

    static char16_t description[2001];
    db.setText(u"SELECT [Text] from Rebsorten WHERE [Rebsorte] LIKE '\uD7A3*' ");
    ASSERT_TRUE(db.queryValue(description, 2000));
    ShellServices::unscramble(description);
    EXPECT_EQ(std::u16string_view(description), text);
    db.close();
    shell::setProgramPathForTesting(u"");
}

TEST(GuideRebuild, ANullOrOddDigestMeansRebuildAndKeepsTheBookmarks)
{
    const std::string folder = freshFolder();
    const std::string sources = copyOfFixture(folder);
    const std::string db = buildDatabase(sources, folder);
    run(db, "INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (1, 'Mein Pomerol', 'Zu Lamm')");

    for (const char* digest : {"UPDATE Ausgabe_Info SET Wert = NULL WHERE Schluessel = 'quellen'",
                               "UPDATE Ausgabe_Info SET Wert = x'00ff' WHERE Schluessel = 'quellen'",
                               "UPDATE Ausgabe_Info SET Wert = 42 WHERE Schluessel = 'quellen'",
                               "DELETE FROM Ausgabe_Info"}) {
        run(db, digest);
        const guide::BuildResult result = guide::buildGuide(sources, db);
        EXPECT_EQ(result.outcome, guide::BuildOutcome::Built) << digest << ": " << result.message;
        EXPECT_EQ(guide::builtDigest(db), guide::sourcesDigest(sources));
        EXPECT_EQ(firstValue(db, "select Beschreibung || ':' || Notiz from Lesezeichen"), "Mein Pomerol:Zu Lamm");
    }
}

TEST(GuideRebuild, ABookmarkSavedDuringARebuildWaitsAndLandsInTheNewGuide)
{
    const std::string folder = freshFolder();
    const std::string sources = copyOfFixture(folder);
    const std::string path = buildDatabase(sources, folder);
    placeProgramIn(folder);
    WineDatabase program;
    program.allocateTextBuffer();
    ASSERT_TRUE(program.open());
    std::ofstream(sources + "/weine/01_weine.csv", std::ios::app) << "7,Neuer Eintrag,DEU,Baden,rot,,,,,,Neu.\n";

    // From the carry-over until the rename the old guide is locked: a save
    // is not confirmed there; once the lock outlasts the wait it is refused.
    ado::Connection::busyTimeoutMs = 0;
    int savedDuringRebuild = -1;
    guide::SourcesResult content = guide::loadGuideSources(sources);
    ASSERT_FALSE(content.error);
    const guide::WriteResult written = guide::writeGuideDatabase(content.content, path, guide::sourcesDigest(sources), [&] {
        savedDuringRebuild = program.execute(kSaveBookmark);
    });
    ASSERT_TRUE(written.ok) << written.error;
    EXPECT_EQ(savedDuringRebuild, 1);
    EXPECT_EQ(program.lastFailure().reason, GuideFailure::Locked);
    EXPECT_EQ(firstValue(path, "select count(*) from Lesezeichen"), "0");

    // Saved again after the rename, through the connection opened on the old
    // file: the write goes into the new guide, not into the replaced one.
    EXPECT_EQ(program.execute(kSaveBookmark), 0);
    EXPECT_EQ(firstValue(path, "select Beschreibung || ':' || Notiz from Lesezeichen"), "Gespeichert:im Umbau");
    EXPECT_EQ(firstValue(path, "select count(*) from vinaria"), "7");

    program.close();
    ado::Connection::busyTimeoutMs = ado::Connection::kBusyTimeoutMs;
    shell::setProgramPathForTesting(u"");
}
