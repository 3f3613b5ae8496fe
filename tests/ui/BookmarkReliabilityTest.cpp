// Bookmarks while the guide changes under the program: rebuilt by the
// builder, locked by another process, overwritten in place, on a full disk.
// A save is confirmed exactly when its row is stored; a failure names its
// reason and the file, and leaves the stored rows and the typed texts alone.
#include "tests/ui/ResultsFixture.h"

#include "platform/ado/Connection.h"
#include "platform/text/Utf16.h"
#include "resources/dialogs/ResultsIds.h"
#include "results/ResultsDialogState.h"
#include "services/Singletons.h"
#include "tests/crash/ChildProcess.h"
#include "tests/support/GuideFixture.h"
#include "tools/guide/GuideSources.h"

#include <sqlite3.h>

#include <sys/mount.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>

using namespace results_testing;
using testing_support::ChildProcess;
using Lines = std::vector<std::u16string>;
namespace fs = std::filesystem;

namespace {

using namespace ids::results;
using Clock = std::chrono::steady_clock;

constexpr auto kTimeout = std::chrono::seconds(60);
constexpr int kShortWaitMs = 50;
const std::u16string kSaved = u"HINWEIS: Das Lesezeichen wurde gespeichert.";
const std::u16string kSaveFailed =
    u"FEHLER: Das Lesezeichen konnte nicht gespeichert werden. Ihre Eingaben bleiben erhalten.";

// A file system that reports a full disk: the system's own, except that
// while full is set every write to a journal fails as it does on a disk
// without room.
namespace full_disk {

struct File {
    sqlite3_file base;
    sqlite3_file* system; // the system's file, right behind this record
    bool journal;
};

bool full = false;
sqlite3_vfs* systemVfs = nullptr;
sqlite3_vfs vfs;
sqlite3_io_methods methods;

sqlite3_file* systemFile(sqlite3_file* file)
{
    return reinterpret_cast<File*>(file)->system;
}

int write(sqlite3_file* file, const void* data, int amount, sqlite3_int64 offset)
{
    if (full && reinterpret_cast<File*>(file)->journal)
        return SQLITE_FULL;
    return systemFile(file)->pMethods->xWrite(systemFile(file), data, amount, offset);
}

int open(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    File* own = reinterpret_cast<File*>(file);
    own->system = reinterpret_cast<sqlite3_file*>(own + 1);
    own->journal = (flags & SQLITE_OPEN_MAIN_JOURNAL) != 0;
    const int rc = systemVfs->xOpen(systemVfs, name, own->system, flags, outFlags);
    own->base.pMethods = rc == SQLITE_OK ? &methods : nullptr;
    return rc;
}

// Every other call goes to the system's file as it is.
void forwardTheRest()
{
    methods.iVersion = 1;
    methods.xClose = [](sqlite3_file* f) { return systemFile(f)->pMethods->xClose(systemFile(f)); };
    methods.xRead = [](sqlite3_file* f, void* d, int n, sqlite3_int64 o) {
        return systemFile(f)->pMethods->xRead(systemFile(f), d, n, o);
    };
    methods.xWrite = write;
    methods.xTruncate = [](sqlite3_file* f, sqlite3_int64 n) { return systemFile(f)->pMethods->xTruncate(systemFile(f), n); };
    methods.xSync = [](sqlite3_file* f, int flags) { return systemFile(f)->pMethods->xSync(systemFile(f), flags); };
    methods.xFileSize = [](sqlite3_file* f, sqlite3_int64* n) { return systemFile(f)->pMethods->xFileSize(systemFile(f), n); };
    methods.xLock = [](sqlite3_file* f, int l) { return systemFile(f)->pMethods->xLock(systemFile(f), l); };
    methods.xUnlock = [](sqlite3_file* f, int l) { return systemFile(f)->pMethods->xUnlock(systemFile(f), l); };
    methods.xCheckReservedLock = [](sqlite3_file* f, int* r) {
        return systemFile(f)->pMethods->xCheckReservedLock(systemFile(f), r);
    };
    methods.xFileControl = [](sqlite3_file* f, int op, void* a) {
        return systemFile(f)->pMethods->xFileControl(systemFile(f), op, a);
    };
    methods.xSectorSize = [](sqlite3_file* f) { return systemFile(f)->pMethods->xSectorSize(systemFile(f)); };
    methods.xDeviceCharacteristics = [](sqlite3_file* f) {
        return systemFile(f)->pMethods->xDeviceCharacteristics(systemFile(f));
    };
}

// Installed as the default file system while it lives.
class Installed {
public:
    Installed()
    {
        systemVfs = sqlite3_vfs_find(nullptr);
        vfs = *systemVfs;
        vfs.zName = "vinaria-full-disk";
        vfs.szOsFile = static_cast<int>(sizeof(File)) + systemVfs->szOsFile;
        vfs.xOpen = open;
        vfs.pNext = nullptr;
        forwardTheRest();
        sqlite3_vfs_register(&vfs, 1);
    }
    ~Installed()
    {
        full = false;
        sqlite3_vfs_unregister(&vfs);
    }
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;
};

} // namespace full_disk

// A small memory file system mounted at a folder, while it lives; mounted()
// is false where the test may not mount one.
class SmallDisk {
public:
    SmallDisk(const std::string& folder, const char* size) : folder_(folder)
    {
        fs::create_directories(folder_);
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", 0, size) == 0;
    }
    ~SmallDisk()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;
    bool mounted() const { return mounted_; }

    // Fills every byte left with a file of its own; emptyFiller() gives the room back.
    void fill()
    {
        std::ofstream filler(filler_ = folder_ + "/fueller", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
            filler.flush();
    }
    void emptyFiller() { fs::remove(filler_); }

private:
    std::string folder_, filler_;
    bool mounted_ = false;
};

std::string quickCheck(const std::string& path)
{
    return testing_support::firstValue(path, "PRAGMA quick_check");
}

class BookmarkReliabilityTest : public ResultsTest {
protected:
    // Another process holding the guide's write lock ("write": others may
    // still read) or all of it ("exclusive"), for milliseconds or until its
    // input ends; returns once the lock is taken.
    std::unique_ptr<ChildProcess> holdLock(const std::string& mode, int milliseconds = 0)
    {
        std::vector<std::string> command{VINARIA_LOCKHOLDER, databasePath, mode};
        if (milliseconds > 0)
            command.push_back(std::to_string(milliseconds));
        auto holder = std::make_unique<ChildProcess>(command);
        EXPECT_TRUE(holder->readUntilSaid("locked\n", Clock::now() + kTimeout));
        return holder;
    }

    // The state of the bookmark tab, to compare before and after a failure.
    static std::vector<std::u16string> tabState(ui::Dialog& d)
    {
        return {d.edit(kDescriptionEdit).text(), d.edit(kNoteEdit).text(), checked(d) ? u"ticked" : u"unticked",
                saveShown(d) ? u"Speichern" : u"-", bookmarkedFlag() ? u"bookmarked" : u"not bookmarked",
                d.staticControl(kHeader).text()};
    }

    // A save on a full disk fails with the disk-full text, naming the folder
    // and the room a save needs, and keeps the old row and the typed texts;
    // once there is room the same texts are saved. full(true) takes the room
    // away, full(false) gives it back.
    void checkSaveOnAFullDisk(const std::function<void(bool)>& full)
    {
        runOnGuide("INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (7, 'alt', 'alte Notiz')");
        const std::u16string guideFolder = text::fromUtf8(fs::path(databasePath).parent_path().string());
        openResults([&](ui::Dialog& d) {
            showOnBookmarkTab(d, u"Pomerol");
            type(d, u"neu", u"neue Notiz");
            const std::vector<std::u16string> before = tabState(d);
            full(true);
            save(d);
            EXPECT_EQ(messageTexts(), Lines{failedSave(u"Auf dem Datentr\u00e4ger ist nicht genug Platz frei.")
                                            + u"Schaffen Sie im Ordner " + guideFolder
                                            + u" mindestens 257 KB Platz und versuchen Sie es dann erneut."});
            EXPECT_EQ(tabState(d), before);
            EXPECT_EQ(storedBookmarks(), Lines{u"7|alt|alte Notiz"});
            full(false);
            save(d);
            EXPECT_EQ(messageTexts(), Lines{kSaved});
        });
        EXPECT_EQ(storedBookmarks(), Lines{u"7|neu|neue Notiz"});
        EXPECT_EQ(quickCheck(databasePath), "ok");
    }

    // The message of a failed save for reason's text, on this guide.
    std::u16string failedSave(std::u16string_view why) const
    {
        return kSaveFailed + u" \n\r" + std::u16string(why) + u"\n\rDatei: " + text::fromUtf8(databasePath) + u"\n\r";
    }
};

} // namespace

TEST_F(BookmarkReliabilityTest, ARebuildBetweenTwoSavesLeavesTheSecondConfirmedAndStoredInTheNewGuide)
{
    const std::string sources = folder + "/quellen";
    fs::copy(testing_support::fixtureSources(), sources, fs::copy_options::recursive);
    openGuide(guide::loadGuideSources(sources).content);
    SearchCriteria red;
    red.red = true;
    search(red);
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Pomerol");
        clickBookmarkCheck(d);
        type(d, u"Erster", u"vor dem Umbau");
        save(d);
        EXPECT_EQ(messageTexts(), Lines{kSaved});

        // The builder puts a new guide in place while the program is open.
        std::ofstream(sources + "/weine/01_weine.csv", std::ios::app) << "7,Neuer Eintrag,DEU,Baden,rot,,,,,,Neu.\n";
        ChildProcess builder({VINARIA_GUIDEBUILD, "--sources", sources, "--output", databasePath});
        ASSERT_TRUE(builder.exitedWith(0)) << builder.output();

        type(d, u"Zweiter", u"nach dem Umbau");
        takeStatements();
        save(d);
        EXPECT_EQ(messageTexts(), Lines{kSaved});
        // Met on the old file, the transaction is abandoned and run whole on the new one.
        EXPECT_EQ(takeStatements(), (Lines{u"BEGIN IMMEDIATE", u"ROLLBACK", u"BEGIN IMMEDIATE",
                                           u"select id_vinaria from Lesezeichen where id_vinaria = 1",
                                           u"DELETE FROM Lesezeichen WHERE id_vinaria = 1",
                                           u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) "
                                           u"VALUES ('1','Zweiter','nach dem Umbau')",
                                           u"COMMIT"}));
        EXPECT_TRUE(checked(d));
    });
    EXPECT_EQ(storedBookmarks(), Lines{u"1|Zweiter|nach dem Umbau"});
    EXPECT_EQ(testing_support::firstValue(databasePath, "select count(*) from vinaria"), "7");
    EXPECT_EQ(quickCheck(databasePath), "ok");
}

TEST_F(BookmarkReliabilityTest, ASaveWaitsOutAWriteLockOfOneSecondAndIsStored)
{
    openRedPomerolAndChianti();
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Pomerol");
        clickBookmarkCheck(d);
        type(d, u"Gewartet", u"eine Sekunde");
        // The other process reads freely; only writers wait.
        const auto holder = holdLock("write", 1000);
        save(d);
        EXPECT_EQ(messageTexts(), Lines{kSaved});
        EXPECT_TRUE(holder->exitedWith(0));
    });
    EXPECT_EQ(storedBookmarks(), Lines{u"7|Gewartet|eine Sekunde"});
}

TEST_F(BookmarkReliabilityTest, ASaveMeetingAWriteLockOfThreeSecondsFailsAndChangesNothing)
{
    openRedPomerolAndChianti();
    runOnGuide("INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (7, 'alt', 'alte Notiz')");
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Pomerol");
        type(d, u"neu", u"neue Notiz");
        const std::vector<std::u16string> before = tabState(d);
        const auto holder = holdLock("write", 3000);
        save(d);
        EXPECT_EQ(messageTexts(), Lines{failedSave(u"Die Datei wird gerade von einem anderen Programm benutzt.")
                                        + u"Warten Sie, bis das andere Programm fertig ist, oder schlie\u00dfen Sie "
                                          u"es, und versuchen Sie es dann erneut."});
        EXPECT_EQ(tabState(d), before);
        EXPECT_EQ(storedBookmarks(), Lines{u"7|alt|alte Notiz"});

        // Once the other program is done, the same texts are saved.
        EXPECT_TRUE(holder->exitedWith(0));
        save(d);
        EXPECT_EQ(messageTexts(), Lines{kSaved});
    });
    EXPECT_EQ(storedBookmarks(), Lines{u"7|neu|neue Notiz"});
}

TEST_F(BookmarkReliabilityTest, ALookupThatFailsKeepsTheEntryShownAndWhatWasTyped)
{
    openRedPomerolAndChianti();
    runOnGuide("INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (7, 'Pomerol', 'Notiz')");
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Pomerol");
        type(d, u"getippt", u"nicht gespeichert");
        const std::vector<std::u16string> before = tabState(d);
        // The program gives up on the lock soon, and opens the guide anew after.
        sqlite3_busy_timeout(g_wineDatabase->connection()->handle(), kShortWaitMs);
        ado::Connection::busyTimeoutMs = kShortWaitMs;
        auto holder = holdLock("exclusive");

        // Neither "no bookmark" nor another wine's fields under this one.
        selectItem(d, u"Chianti");
        const Lines shown = messageTexts();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].rfind(u"FEHLER: Der Weinf\u00fchrer konnte nicht vollst\u00e4ndig gelesen werden.", 0), 0u)
            << utf8(shown[0]);
        EXPECT_NE(shown[0].find(u"von einem anderen Programm benutzt"), std::u16string::npos);
        EXPECT_EQ(tabState(d), before);
        EXPECT_EQ(std::u16string_view(g_resultsDialogState->currentId), u"7");

        // Once the lock is gone, entries show again.
        holder->closeInput();
        EXPECT_TRUE(holder->exitedWith(0));
        selectItem(d, u"Pomerol");
        EXPECT_TRUE(checked(d));
        selectItem(d, u"Chianti");
        EXPECT_EQ(d.staticControl(kHeader).text(), u"Italien: Toskana");
        EXPECT_FALSE(checked(d));
    });
    ado::Connection::busyTimeoutMs = ado::Connection::kBusyTimeoutMs;
    EXPECT_EQ(storedBookmarks(), Lines{u"7|Pomerol|Notiz"});
}

TEST_F(BookmarkReliabilityTest, AGuideOverwrittenInPlaceIsReopenedAndADamagedOneGetsNoBookmark)
{
    // Two guides as the builder writes them with one bookmark each, alike in
    // size and header, so the engine alone would not notice one copied over
    // the other.
    guide::GuideContent otherContent = testing_support::wordyGuide();
    for (guide::Wine& w : otherContent.wines)
        w.text = std::u16string(600, u'b');
    fs::create_directories(folder + "/andere");
    const std::string other = testing_support::buildDatabase(otherContent, folder + "/andere");
    const std::string otherBookmark = "INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (1, 'andere', '')";
    const std::string ourBookmark = "INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (3, 'unsere', '')";
    runOn(other, otherBookmark);
    openGuide(testing_support::wordyGuide());
    runOnGuide(ourBookmark);
    ASSERT_TRUE(g_wineDatabase->open());
    const std::string damaged = folder + "/beschaedigt.cdb";
    fs::copy_file(databasePath, damaged);
    testing_support::damageWineTable(damaged);
    SearchCriteria one;
    one.term = u"Riesling 250";
    search(one);
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Riesling 250");
        // Another guide copied over the open one: the save goes into it whole.
        ChildProcess copyOther({"/bin/cp", other, databasePath});
        ASSERT_TRUE(copyOther.exitedWith(0));
        clickBookmarkCheck(d);
        type(d, u"Kopie", u"geht");
        save(d);
        EXPECT_EQ(messageTexts(), Lines{kSaved});
        EXPECT_EQ(storedBookmarks(), (Lines{u"1|andere|", u"250|Kopie|geht"}));
        EXPECT_EQ(quickCheck(databasePath), "ok");

        // A damaged one is found by the opening checks and takes nothing.
        ChildProcess copyDamaged({"/bin/cp", damaged, databasePath});
        ASSERT_TRUE(copyDamaged.exitedWith(0));
        type(d, u"Nicht", u"in eine kaputte Datei");
        save(d);
        EXPECT_EQ(messageTexts(), Lines{failedSave(u"Die Datei ist besch\u00e4digt.")
                                        + u"Legen Sie die Datei beiseite und bauen Sie den Weinf\u00fchrer neu "
                                          u"(cmake --build) oder installieren Sie das Programm neu. Ihre Lesezeichen "
                                          u"bleiben in der beiseite gelegten Datei."});
        EXPECT_EQ(d.edit(kDescriptionEdit).text(), u"Nicht");
    });
    std::ifstream stored(databasePath, std::ios::binary), copied(damaged, std::ios::binary);
    EXPECT_TRUE(std::equal(std::istreambuf_iterator<char>(stored), {}, std::istreambuf_iterator<char>(copied), {}))
        << "the damaged guide was written to";
}


TEST_F(BookmarkReliabilityTest, ASaveOnAFullMemoryDiskGivesTheDiskFullTextAndLosesNothing)
{
    openRedPomerolAndChianti();
    SmallDisk disk(folder + "/klein", "size=2m");
    if (!disk.mounted())
        GTEST_SKIP() << "no file system can be mounted here; the next test fills a disk as the engine sees it";
    const std::string onDisk = folder + "/klein/vinaria2007_db.cdb";
    fs::copy_file(databasePath, onDisk);
    databasePath = onDisk;
    g_wineDatabase->guidePath = text::fromUtf8(onDisk);
    ASSERT_TRUE(g_wineDatabase->open());
    checkSaveOnAFullDisk([&](bool full) { full ? disk.fill() : disk.emptyFiller(); });
    g_wineDatabase->close();
    g_wineDatabase->guidePath.clear();
}

TEST_F(BookmarkReliabilityTest, ASaveOnADiskTheEngineFindsFullGivesTheDiskFullTextAndLosesNothing)
{
    openRedPomerolAndChianti();
    const full_disk::Installed fullDisk;
    ASSERT_TRUE(g_wineDatabase->open());
    checkSaveOnAFullDisk([](bool full) { full_disk::full = full; });
    g_wineDatabase->close();
}
