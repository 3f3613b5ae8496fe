// Opening a guide that is missing, no guide, of another layout, damaged,
// locked or read-only: the open or the operation fails, says why, and never
// writes a bookmark into such a file.
#include "db/WineDatabase.h"
#include "db/Sql.h"
#include "platform/ado/Objects.h"
#include "platform/text/Utf16.h"
#include "services/DatabaseErrorText.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

constexpr char16_t kSaveBookmark[] = u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','a','b')";

sqlite3* rawOpen(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    return db;
}

int count(const std::string& path, const char* sql)
{
    sqlite3* db = rawOpen(path);
    sqlite3_stmt* s = nullptr;
    int n = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &s, nullptr) == SQLITE_OK && sqlite3_step(s) == SQLITE_ROW)
        n = sqlite3_column_int(s, 0);
    sqlite3_finalize(s);
    sqlite3_close(db);
    return n;
}

// Runs body in a child process as an unprivileged user, since root may
// write into any file; true when the child's checks all held.
bool runUnprivileged(const std::function<bool()>& body)
{
    const pid_t child = fork();
    if (child == 0) {
        const bool ok = setgid(65534) == 0 && setuid(65534) == 0 && body();
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class GuideOpening : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = freshFolder();
        path = folder + "/vinaria2007_db.cdb";
        placeProgramIn(folder);
        db.allocateTextBuffer();
    }
    void TearDown() override
    {
        db.close();
        ado::Connection::busyTimeoutMs = ado::Connection::kBusyTimeoutMs;
    }
    GuideFailure openFails()
    {
        EXPECT_FALSE(db.open());
        EXPECT_EQ(text::toUtf8(db.lastFailure().path), path);
        return db.lastFailure().reason;
    }

    std::string folder, path;
    WineDatabase db;
};

} // namespace

TEST_F(GuideOpening, FilesThatAreNoGuideFailWithTheirReasonAndTakeNoBookmark)
{
    EXPECT_EQ(openFails(), GuideFailure::Missing);
    EXPECT_FALSE(fs::exists(path));

    std::ofstream(path, std::ios::binary).close(); // empty
    EXPECT_EQ(openFails(), GuideFailure::NotAGuide);

    std::ofstream(path, std::ios::binary | std::ios::trunc) << std::string(8192, '\x5A'); // random bytes
    EXPECT_EQ(openFails(), GuideFailure::NotAGuide);
    EXPECT_EQ(db.execute(kSaveBookmark), 1);

    fs::remove(path);
    fs::create_directory(path); // a folder where the file should be
    EXPECT_EQ(openFails(), GuideFailure::NotAFile);

    fs::remove(path);
    fs::create_symlink(path, path); // a link that leads back to itself
    EXPECT_EQ(openFails(), GuideFailure::SymlinkLoop);
}

TEST_F(GuideOpening, AGuideMissingAColumnOrWithAColumnMovedIsRefused)
{
    buildDatabase(fixtureSources(), folder);
    sqlite3* raw = rawOpen(path);
    ASSERT_EQ(sqlite3_exec(raw, "ALTER TABLE vinaria DROP COLUMN Jahrgang15", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(raw);
    EXPECT_EQ(openFails(), GuideFailure::WrongLayout);
    EXPECT_EQ(db.execute(kSaveBookmark), 1);
    EXPECT_EQ(count(path, "SELECT count(*) FROM Lesezeichen"), 0);

    // Every column there, but the bookmark's note and description swapped.
    buildDatabase(fixtureSources(), freshFolder());
    fs::remove(path);
    buildDatabase(fixtureSources(), folder);
    raw = rawOpen(path);
    ASSERT_EQ(sqlite3_exec(raw,
                           "DROP TABLE Lesezeichen; CREATE TABLE Lesezeichen (ID_Lesezeichen INTEGER PRIMARY KEY, "
                           "id_vinaria INTEGER, Notiz TEXT, Beschreibung TEXT)",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    sqlite3_close(raw);
    EXPECT_EQ(openFails(), GuideFailure::WrongLayout);
}

TEST_F(GuideOpening, ADamagedWineTableIsFoundOnOpening)
{
    buildDatabase(wordyGuide(), folder);
    damageWineTable(path);
    EXPECT_EQ(openFails(), GuideFailure::Damaged);
    EXPECT_EQ(db.execute(kSaveBookmark), 1);
    EXPECT_EQ(count(path, "SELECT count(*) FROM Lesezeichen"), 0);
}

TEST_F(GuideOpening, ADeferredCheckFindsTheDamageBeforeAnyStatementRuns)
{
    buildDatabase(wordyGuide(), folder);
    damageWineTable(path);
    // Opening says nothing yet; the first statement runs the check first.
    ASSERT_TRUE(db.open(WineDatabase::WholeFileCheck::Deferred));
    EXPECT_EQ(db.execute(kSaveBookmark), 1);
    EXPECT_EQ(db.lastFailure().reason, GuideFailure::Damaged);
    EXPECT_TRUE(db.guideLost());
    EXPECT_EQ(count(path, "SELECT count(*) FROM Lesezeichen"), 0);

    // A file once found damaged is checked at once on every reopen.
    EXPECT_FALSE(db.open(WineDatabase::WholeFileCheck::Deferred));
    EXPECT_EQ(db.lastFailure().reason, GuideFailure::Damaged);
}

TEST_F(GuideOpening, ADeferredCheckOfASoundGuideLetsEveryStatementThrough)
{
    buildDatabase(wordyGuide(), folder);
    ASSERT_TRUE(db.open(WineDatabase::WholeFileCheck::Deferred));
    EXPECT_TRUE(db.runDeferredCheck());
    EXPECT_TRUE(db.runDeferredCheck());
    EXPECT_EQ(db.execute(kSaveBookmark), 0);
    EXPECT_EQ(db.lastFailure().reason, GuideFailure::None);
    EXPECT_EQ(count(path, "SELECT count(*) FROM Lesezeichen"), 1);
}

TEST_F(GuideOpening, DamageMetWhileReadingIsAFailureNotTheEndOfTheRows)
{
    buildDatabase(wordyGuide(), folder);
    ASSERT_TRUE(db.open());
    damageWineTable(path); // behind the open connection's back
    bumpChangeCounter(path);

    RecordingList list;
    db.setText(u"select STICHWORT from vinaria order by ID");
    EXPECT_FALSE(db.fillComboBox(list));
    EXPECT_LT(list.items.size(), 300u);
    EXPECT_EQ(db.lastFailure().reason, GuideFailure::Damaged);
    EXPECT_FALSE(db.recordset()->isOpen());

    // The damaged file takes no bookmark any more.
    EXPECT_EQ(db.execute(kSaveBookmark), 1);
    EXPECT_EQ(count(path, "SELECT count(*) FROM Lesezeichen"), 0);
}

TEST_F(GuideOpening, TheRecordsetThrowsWhenAWalkMeetsDamage)
{
    buildDatabase(wordyGuide(), folder);
    auto connection = ado::createConnection(ado::kConnectionProgId);
    ASSERT_TRUE(ado::succeeded(connection->open(text::fromUtf8(path), u"", u"", -1)));
    damageWineTable(path);
    auto rs = ado::createRecordset(ado::kRecordsetProgId);
    rs->setActiveConnection(connection);
    for (int cursor : {ado::kOpenDynamic, ado::kOpenStatic}) {
        EXPECT_THROW(
            {
                if (ado::succeeded(rs->open(ado::Variant::fromText(u"select * from vinaria"), ado::Variant(), cursor,
                                            ado::kLockReadOnly, ado::kCmdUnspecified))) {
                    if (cursor == ado::kOpenStatic)
                        rs->recordCount();
                    for (rs->moveFirst(); !rs->eof(); rs->moveNext()) {
                    }
                }
            },
            ado::Fault);
        rs->close();
    }
}

TEST_F(GuideOpening, AGuideHeldByAnotherConnectionIsReportedAsLocked)
{
    buildDatabase(fixtureSources(), folder);
    ado::Connection::busyTimeoutMs = 0;
    sqlite3* other = rawOpen(path);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(openFails(), GuideFailure::Locked);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);

    // Opened first, then locked: a query fails as locked, and works again after.
    ASSERT_TRUE(db.open());
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    char16_t out[101] = u"default";
    db.setText(u"select STICHWORT from vinaria where ID = 1");
    EXPECT_FALSE(db.queryValue(out, 100));
    EXPECT_EQ(db.lastFailure().reason, GuideFailure::Locked);
    EXPECT_EQ(db.execute(kSaveBookmark), 1);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_TRUE(db.queryValue(out, 100));
    EXPECT_EQ(std::u16string_view(out), u"Pomerol");
    EXPECT_EQ(db.execute(kSaveBookmark), 0);
}

TEST_F(GuideOpening, AReadOnlyGuideOrFolderIsReadButRefusesBookmarksWithTheReason)
{
    // A folder an unprivileged user can reach, outside root's own folders.
    char pattern[] = "/tmp/vinaria-ro-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string roFolder = pattern;
    fs::permissions(roFolder, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                  fs::perms::others_read | fs::perms::others_exec);
    const std::string guide = buildDatabase(fixtureSources(), roFolder);
    placeProgramIn(roFolder);
    const auto readsButRefuses = [] {
        WineDatabase unprivileged;
        unprivileged.allocateTextBuffer();
        char16_t out[101] = {};
        unprivileged.setText(u"select STICHWORT from vinaria where ID = 1");
        return unprivileged.open() && unprivileged.queryValue(out, 100) && std::u16string_view(out) == u"Pomerol"
            && unprivileged.execute(kSaveBookmark) == 1 && unprivileged.lastFailure().reason == GuideFailure::ReadOnly;
    };

    fs::permissions(guide, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_TRUE(runUnprivileged(readsButRefuses)) << "read-only file";

    // The file may be written, but its folder takes no journal.
    fs::permissions(guide, fs::perms::all);
    EXPECT_TRUE(runUnprivileged(readsButRefuses)) << "read-only folder";
    EXPECT_EQ(count(guide, "SELECT count(*) FROM Lesezeichen"), 0);

    // A file only its owner may read says so, not that it is missing.
    fs::permissions(guide, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(runUnprivileged([] {
        WineDatabase unprivileged;
        return !unprivileged.open() && unprivileged.lastFailure().reason == GuideFailure::NoPermission;
    })) << "file without read permission";
    fs::remove_all(roFolder);
}

TEST(DatabaseErrorText, SaysWhyWhichFileAndWhatToDoForEveryReason)
{
    const std::u16string path = u"/opt/vinaria/vinaria2007_db.cdb";
    std::vector<std::u16string_view> reasons;
    for (GuideFailure r : {GuideFailure::Missing, GuideFailure::NotAGuide, GuideFailure::WrongLayout,
                           GuideFailure::Damaged, GuideFailure::Locked, GuideFailure::Unreadable, GuideFailure::ReadOnly,
                           GuideFailure::DiskFull, GuideFailure::SymlinkLoop, GuideFailure::NotAFile,
                           GuideFailure::NoPermission}) {
        const std::u16string text = databaseErrorText({r, path});
        EXPECT_EQ(text.rfind(u"Die Datenbank kann nicht ge\u00f6ffnet werden. \n\r", 0), 0u) << utf8(text);
        EXPECT_NE(text.find(path), std::u16string::npos);
        EXPECT_NE(text.find(guideFailureText(r)), std::u16string::npos);
        EXPECT_EQ(text.find(u"Hotline"), std::u16string::npos);
        EXPECT_EQ(text.find(u"Platzhalter"), std::u16string::npos);
        reasons.push_back(guideFailureText(r));
    }
    std::sort(reasons.begin(), reasons.end());
    EXPECT_EQ(std::unique(reasons.begin(), reasons.end()), reasons.end()) << "each reason reads differently";
    EXPECT_NE(databaseErrorText({GuideFailure::Damaged, path}).find(u"besch\u00e4digt"), std::u16string::npos);

    // A failed save names the disk's folder and the room a save needs.
    EXPECT_EQ(guideWriteErrorText(u"Nicht gespeichert.", {GuideFailure::DiskFull, path, 4 * 65536}),
              u"Nicht gespeichert. \n\rAuf dem Datentr\u00e4ger ist nicht genug Platz frei.\n\r"
              u"Datei: /opt/vinaria/vinaria2007_db.cdb\n\r"
              u"Schaffen Sie im Ordner /opt/vinaria mindestens 256 KB Platz und versuchen Sie es dann erneut.");
    EXPECT_NE(databaseErrorText({GuideFailure::DiskFull, path}).find(u"im Ordner /opt/vinaria Platz"),
              std::u16string::npos);
    EXPECT_EQ(guideWriteErrorText(u"Nicht gespeichert.", {GuideFailure::None, path}), u"Nicht gespeichert.");
}
