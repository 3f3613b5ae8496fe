// Which guide the program opens, and how the user's copy of an installed
// guide is made and kept up to date without losing a bookmark.
#include "services/GuideLocation.h"
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"
#include "tools/guide/GuideWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <fstream>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

void addBookmark(const fs::path& guide, std::u16string_view insert)
{
    WineDatabase db;
    db.guidePath = text::fromUtf8(guide.string());
    ASSERT_TRUE(db.open());
    ASSERT_EQ(db.execute(std::u16string(insert).c_str()), 0);
    db.close();
}

std::string bookmarks(const fs::path& guide)
{
    return firstValue(guide, "select group_concat(id_vinaria || ':' || Beschreibung || ':' || Notiz, '|') from Lesezeichen");
}

// A program in <root>/bin with its installed data in <root>/share/vinaria,
// and a user data folder of its own.
struct Installed {
    explicit Installed(const std::string& root)
    {
        places.programFolder = fs::path(root) / "bin";
        places.userFolder = fs::path(root) / "home" / "vinaria";
        share = fs::path(root) / "share" / "vinaria";
        fs::create_directories(places.programFolder);
        fs::create_directories(share);
    }
    location::Places places;
    fs::path share;
};

// Which file is opened, given where the guides lie.

TEST(GuideLocation, AWritableGuideBesideTheProgramIsUsedInPlace)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    buildDatabase(fixtureSources(), setup.places.programFolder.string());
    buildDatabase(fixtureSources(), setup.share.string());

    const location::Choice choice = location::chooseGuide(setup.places);
    EXPECT_EQ(choice.use, location::Use::InPlace);
    EXPECT_EQ(choice.file, setup.places.programFolder / "vinaria2007_db.cdb");
    EXPECT_EQ(location::prepareGuide(setup.places), choice.file);
    EXPECT_FALSE(fs::exists(setup.places.userFolder));
}

TEST(GuideLocation, ALinkLoopBesideTheProgramIsOpenedAndReportedNotPassedOver)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    buildDatabase(fixtureSources(), setup.share.string());
    const fs::path beside = setup.places.programFolder / "vinaria2007_db.cdb";
    fs::create_symlink(beside, beside);
    setup.places.userFolder.clear();

    const location::Choice choice = location::chooseGuide(setup.places);
    EXPECT_EQ(choice.file, beside);
    WineDatabase db;
    db.guidePath = text::fromUtf8(location::prepareGuide(setup.places).string());
    EXPECT_FALSE(db.open());
    EXPECT_EQ(db.lastFailure().reason, GuideFailure::SymlinkLoop);
}

TEST(GuideLocation, AReadOnlyGuideBesideTheProgramIsCopiedOnceWithItsBookmarks)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    const fs::path beside = buildDatabase(fixtureSources(), setup.places.programFolder.string());
    addBookmark(beside, u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','Alt','mit')");
    fs::permissions(beside, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    setup.places.writable = [](const fs::path&) { return false; };

    const fs::path copy = setup.places.userFolder / "vinaria2007_db.cdb";
    EXPECT_EQ(location::chooseGuide(setup.places).use, location::Use::UserCopy);
    EXPECT_EQ(location::prepareGuide(setup.places), copy);
    EXPECT_EQ(bookmarks(copy), "1:Alt:mit");
    // The copy takes bookmarks even though the original could not.
    addBookmark(copy, u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('2','Neu','ohne')");

    // The next start finds the same guide and leaves the copy alone.
    EXPECT_EQ(location::refreshUserCopy(beside, copy).outcome, location::Refresh::Current);
    EXPECT_EQ(bookmarks(copy), "1:Alt:mit|2:Neu:ohne");
    EXPECT_EQ(bookmarks(beside), "1:Alt:mit");
}

TEST(GuideLocation, AnInstalledGuideIsAlwaysOpenedThroughTheUsersCopy)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    buildDatabase(fixtureSources(), setup.share.string());

    // Even where the user could write it: the next install would overwrite it.
    const location::Choice choice = location::chooseGuide(setup.places);
    EXPECT_EQ(choice.use, location::Use::UserCopy);
    EXPECT_EQ(choice.origin, setup.share / "vinaria2007_db.cdb");
    EXPECT_FALSE(fs::exists(choice.file)) << "choosing copies nothing";

    EXPECT_EQ(location::prepareGuide(setup.places), choice.file);
    EXPECT_EQ(firstValue(choice.file, "select count(*) from vinaria"), firstValue(choice.origin, "select count(*) from vinaria"));
    // The copy of a read-only installed file can be written by its owner.
    EXPECT_TRUE((fs::status(choice.file).permissions() & fs::perms::owner_write) != fs::perms::none);
}

TEST(GuideLocation, WithNoGuideAnywhereTheProgramLooksBesideItselfAndCopiesNothing)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    const location::Choice choice = location::chooseGuide(setup.places);
    EXPECT_EQ(choice.use, location::Use::Missing);
    EXPECT_EQ(location::prepareGuide(setup.places), setup.places.programFolder / "vinaria2007_db.cdb");
    EXPECT_FALSE(fs::exists(setup.places.userFolder));
}

// A newer installed guide.

TEST(GuideLocation, ANewGuideReplacesTheCopysContentAndKeepsEveryBookmark)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    const fs::path installed = buildDatabase(fixtureSources(), setup.share.string());
    const fs::path copy = location::prepareGuide(setup.places);
    addBookmark(copy, u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','Mein Pomerol','Zu Lamm')");
    addBookmark(copy, u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('3','It''s','gut')");

    // The package installs a guide built from other sources, with a stray bookmark of its own.
    guide::GuideContent content;
    content.countries.push_back({u"DEU", u"Deutschland"});
    ASSERT_TRUE(guide::writeGuideDatabase(content, installed.string() + ".x", "neue Quellen").ok);
    fs::rename(installed.string() + ".x", installed);
    addBookmark(installed, u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','Fremd','weg')");

    const location::RefreshResult result = location::refreshUserCopy(installed, copy);
    EXPECT_EQ(result.outcome, location::Refresh::Replaced) << result.message;
    EXPECT_EQ(location::storedDigest(copy), "neue Quellen");
    EXPECT_EQ(firstValue(copy, "select count(*) from vinaria"), "0");
    EXPECT_EQ(bookmarks(copy), "1:Mein Pomerol:Zu Lamm|3:It's:gut");
    EXPECT_FALSE(fs::exists(copy.string() + ".neu"));
    EXPECT_EQ(location::refreshUserCopy(installed, copy).outcome, location::Refresh::Current);
}

TEST(GuideLocation, TheSameGuideInANewerLayoutReplacesTheCopyAndKeepsItsBookmarks)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    const fs::path installed = buildDatabase(fixtureSources(), setup.share.string());
    const fs::path copy = location::prepareGuide(setup.places);
    addBookmark(copy, u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('2','Mosel','kühl')");
    // The copy was made by an older program from the same sources.
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(copy.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(db, "UPDATE Ausgabe_Info SET Wert = '2' WHERE Schluessel = 'schema'", nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(db);

    const location::RefreshResult result = location::refreshUserCopy(installed, copy);
    EXPECT_EQ(result.outcome, location::Refresh::Replaced) << result.message;
    EXPECT_EQ(location::storedInfo(copy, "schema"), location::storedInfo(installed, "schema"));
    EXPECT_EQ(bookmarks(copy), "2:Mosel:kühl");
    EXPECT_EQ(location::refreshUserCopy(installed, copy).outcome, location::Refresh::Current);
}

TEST(GuideLocation, ADamagedCopyIsNotReplacedSoItsBookmarksCanBeRescued)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    const fs::path installed = buildDatabase(fixtureSources(), setup.share.string());
    const fs::path copy = setup.places.userFolder / "vinaria2007_db.cdb";
    fs::create_directories(copy.parent_path());
    std::ofstream(copy, std::ios::binary) << std::string("SQLite format 3") + std::string(200, '\x7f');

    const location::RefreshResult result = location::refreshUserCopy(installed, copy);
    EXPECT_EQ(result.outcome, location::Refresh::Failed);
    EXPECT_NE(result.message.find("bookmarks"), std::string::npos) << result.message;
    EXPECT_EQ(fs::file_size(copy), 215u);
    EXPECT_FALSE(fs::exists(copy.string() + ".neu"));
}

// Folders.

TEST(GuideLocation, TheUsersDataFolderFollowsXdgDataHomeAndIgnoresARelativeOne)
{
    if (!std::getenv("HOME"))
        GTEST_SKIP() << "no HOME";
    const char* savedXdg = std::getenv("XDG_DATA_HOME");
    const std::string restoreXdg = savedXdg ? savedXdg : "";
    setenv("XDG_DATA_HOME", "/srv/daten", 1);
    EXPECT_EQ(shell::userDataFolder("vinaria"), fs::path("/srv/daten/vinaria"));
    setenv("XDG_DATA_HOME", "daten", 1);
    EXPECT_EQ(shell::userDataFolder("vinaria"), fs::path(std::getenv("HOME")) / ".local/share/vinaria");
    if (savedXdg)
        setenv("XDG_DATA_HOME", restoreXdg.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

TEST(GuideLocation, TheRatgeberIsFoundBesideTheProgramElseInTheInstalledFolder)
{
    const std::string folder = freshFolder();
    Installed setup(folder);
    const std::u16string program = text::fromUtf8((setup.places.programFolder / "vinaria").string());
    // Neither there: the handheld's path beside the program.
    EXPECT_EQ(location::ratgeberEntryPage(program), text::fromUtf8(setup.places.programFolder.string() + "/ratgeber/0100.htm"));
    fs::create_directories(setup.share / "ratgeber");
    std::ofstream(setup.share / "ratgeber" / "0100.htm") << "<html></html>";
    EXPECT_EQ(location::ratgeberEntryPage(program), text::fromUtf8((setup.share / "ratgeber" / "0100.htm").string()));
    fs::create_directories(setup.places.programFolder / "ratgeber");
    std::ofstream(setup.places.programFolder / "ratgeber" / "0100.htm") << "<html></html>";
    EXPECT_EQ(location::ratgeberEntryPage(program), text::fromUtf8(setup.places.programFolder.string() + "/ratgeber/0100.htm"));
    EXPECT_EQ(location::ratgeberEntryPage(u"\\Programme\\Wein\\app.exe"), u"\\Programme\\Wein\\ratgeber\\0100.htm");
}

} // namespace
