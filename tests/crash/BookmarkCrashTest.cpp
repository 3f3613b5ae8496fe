// Bookmark saving killed at random moments: a process saves bookmarks and
// reports each confirmed save; the test kills it with SIGKILL after a random
// delay, restarts it where it left off, and checks that every confirmed
// bookmark is stored intact and the guide is sound.
#include "tests/crash/SaveCrashTexts.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <string_view>

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

// Sanitizer builds start and save many times slower: fewer saves, later kills.
#ifdef VINARIA_CRASH_SANITIZED
constexpr int kDefaultSaves = 300;
constexpr int kSlowdown = 3;
#else
constexpr int kDefaultSaves = 1000;
constexpr int kSlowdown = 1;
#endif
constexpr int kEntries = 60;
constexpr unsigned kDefaultSeed = 20071;
// Most kills come a random time after the go-ahead to save, within a few
// saves (one takes about 0.1 ms on a memory file system); every few runs one
// comes a random time after the start, to hit the opening of the guide and
// the recovery of an interrupted save.
constexpr int kMaxKillDelayUs = 1000 * kSlowdown;
constexpr int kMaxStartupKillDelayUs = 80000 * kSlowdown;
constexpr int kStartupKillEvery = 5;
constexpr auto kReadyTimeout = std::chrono::seconds(30);
// Runs in a row without a confirmed save before the test gives up.
constexpr int kMaxIdleRuns = 200;
constexpr int kMaxStretch = 64;
// The guide is checked from outside after every this many kills as well.
constexpr int kCheckEveryKills = 3;

int envNumber(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

// Saves run on a memory file system where there is one, so that a kill can
// land anywhere in a save rather than almost always in the wait for the disk;
// a kill keeps what was written either way.
std::string memoryFolder()
{
    const fs::path shm = "/dev/shm";
    const fs::path folder = (fs::is_directory(shm) ? shm : fs::path(VINARIA_TEST_TMP))
        / ("vinaria-savecrash-" + std::to_string(getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    return folder.string();
}

guide::GuideContent guideWithEntries(int entries)
{
    guide::GuideContent c;
    c.countries = {{u"FRA", u"Frankreich"}};
    c.regions = {{u"FRA", u"Bordeaux"}};
    for (int id = 1; id <= entries; ++id) {
        guide::Wine w;
        w.id = id;
        w.keyword = u"Wein " + save_crash::idText(id);
        w.country = u"FRA";
        w.region = u"Bordeaux";
        w.red = w.dry = true;
        w.quality1 = 3;
        w.text = u"Ein Wein zum Testen.";
        c.wines.push_back(w);
    }
    return c;
}

constexpr std::string_view kReady = "ready\n";

// One run of the saving process, its stdout read through a pipe.
class SaveProcess {
public:
    SaveProcess(const std::string& guide, int first, int last)
    {
        int fds[2], in[2];
        if (pipe(fds) != 0 || pipe(in) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], STDOUT_FILENO);
            dup2(in[0], STDIN_FILENO);
            close(fds[0]);
            close(fds[1]);
            close(in[0]);
            close(in[1]);
            const std::string entries = std::to_string(kEntries), from = std::to_string(first),
                              to = std::to_string(last);
            execl(VINARIA_SAVECRASH, VINARIA_SAVECRASH, guide.c_str(), entries.c_str(), from.c_str(), to.c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        close(in[0]);
        fd_ = fds[0];
        goFd_ = in[1];
    }
    ~SaveProcess()
    {
        if (pid_ > 0 && !reaped_) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
        if (fd_ >= 0)
            close(fd_);
        if (goFd_ >= 0)
            close(goFd_);
    }
    // Lets a ready process start saving.
    void go()
    {
        close(goFd_);
        goFd_ = -1;
    }
    bool started() const { return pid_ > 0 && fd_ >= 0; }

    // Reads what arrives until the deadline or the end of output; false at the
    // end. With untilReady, stops as soon as the process said it is ready.
    bool readUntil(Clock::time_point deadline, bool untilReady = false)
    {
        for (;;) {
            if (untilReady && buffer_.find(kReady) != std::string::npos)
                return true;
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return true;
            pollfd p{fd_, POLLIN, 0};
            timespec wait{0, 0};
            wait.tv_sec = left.count() / 1000000;
            wait.tv_nsec = (left.count() % 1000000) * 1000;
            if (ppoll(&p, 1, &wait, nullptr) > 0 && !readSome())
                return false;
        }
    }
    // Kills the process, keeps what it printed before it died, and reaps it.
    void kill()
    {
        ::kill(pid_, SIGKILL);
        while (readSome()) {
        }
    }
    int wait()
    {
        while (readSome()) {
        }
        int status = 0;
        waitpid(pid_, &status, 0);
        reaped_ = true;
        return status;
    }
    // Takes the complete lines read so far.
    std::string takeLines()
    {
        const auto end = buffer_.rfind('\n');
        if (end == std::string::npos)
            return {};
        std::string lines = buffer_.substr(0, end + 1);
        buffer_.erase(0, end + 1);
        return lines;
    }

private:
    bool readSome()
    {
        char chunk[4096];
        const ssize_t n = read(fd_, chunk, sizeof chunk);
        if (n <= 0)
            return false;
        buffer_.append(chunk, static_cast<std::size_t>(n));
        return true;
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    int goFd_ = -1;
    bool reaped_ = false;
    std::string buffer_;
};

struct Stored {
    std::u16string description, note;
};

std::u16string column16(sqlite3_stmt* stmt, int column)
{
    const auto* text = static_cast<const char16_t*>(sqlite3_column_text16(stmt, column));
    return text ? std::u16string(text) : std::u16string();
}

class BookmarkCrashTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (!path.empty())
            fs::remove_all(fs::path(path).parent_path());
    }

    // Rows per entry id as stored; a second row for an entry counts as damage.
    std::map<int, Stored> readBookmarks()
    {
        std::map<int, Stored> rows;
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        sqlite3_stmt* stmt = nullptr;
        EXPECT_EQ(sqlite3_prepare_v2(db, "SELECT id_vinaria, Beschreibung, Notiz FROM Lesezeichen", -1, &stmt, nullptr),
                  SQLITE_OK);
        while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
            const int id = sqlite3_column_int(stmt, 0);
            EXPECT_FALSE(rows.contains(id)) << "two bookmark rows for entry " << id;
            rows[id] = {column16(stmt, 1), column16(stmt, 2)};
        }
        sqlite3_finalize(stmt);
        quickCheck = {};
        if (sqlite3_prepare_v2(db, "PRAGMA quick_check", -1, &stmt, nullptr) == SQLITE_OK
            && sqlite3_step(stmt) == SQLITE_ROW)
            quickCheck = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
        sqlite3_finalize(stmt);
        sqlite3_close(db);
        return rows;
    }

    // Compares the guide with the saves confirmed so far; a save not yet
    // confirmed may or may not have reached it.
    void checkGuide(int confirmed, bool maybeOneMore)
    {
        const std::map<int, Stored> rows = readBookmarks();
        EXPECT_EQ(quickCheck, "ok");
        std::map<int, int> latest;
        for (int save = 1; save <= confirmed; ++save)
            latest[save_crash::entryOf(save, kEntries)] = save;
        const int pending = confirmed + 1;
        const int pendingEntry = save_crash::entryOf(pending, kEntries);
        found = losses = 0;
        for (const auto& [entry, save] : latest) {
            const auto row = rows.find(entry);
            const bool intact = row != rows.end() && row->second.note == save_crash::noteOf(save)
                && row->second.description == save_crash::descriptionOf(save);
            const bool pendingLanded = maybeOneMore && entry == pendingEntry && row != rows.end()
                && row->second.note == save_crash::noteOf(pending)
                && row->second.description == save_crash::descriptionOf(pending);
            if (intact || pendingLanded) {
                ++found;
            } else {
                ++losses;
                ADD_FAILURE() << "bookmark of entry " << entry << " from save " << save << " lost or changed";
            }
        }
        for (const auto& [entry, row] : rows)
            if (!latest.contains(entry) && !(maybeOneMore && entry == pendingEntry))
                ADD_FAILURE() << "bookmark of entry " << entry << " was never saved";
    }

    std::string path;
    std::string quickCheck;
    int found = 0;
    int losses = 0;
};

TEST_F(BookmarkCrashTest, EveryConfirmedSaveSurvivesKillsAtRandomMoments)
{
    const int saves = envNumber("VINARIA_CRASH_SAVES", kDefaultSaves);
    const unsigned seed = static_cast<unsigned>(envNumber("VINARIA_CRASH_SEED", kDefaultSeed));
    const std::string built = testing_support::buildDatabase(guideWithEntries(kEntries), testing_support::freshFolder());
    path = memoryFolder() + "/vinaria2007_db.cdb";
    ASSERT_TRUE(fs::copy_file(built, path, fs::copy_options::overwrite_existing));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, kMaxKillDelayUs);
    std::uniform_int_distribution<int> startupDelayUs(0, kMaxStartupKillDelayUs);

    int confirmed = 0, kills = 0, runs = 0, idleRuns = 0;
    // On a busy machine a process may not get to save before its kill; each
    // run in a row without a save doubles the next delay.
    int stretch = 1;
    while (confirmed < saves && idleRuns < kMaxIdleRuns) {
        SaveProcess process(path, confirmed + 1, saves);
        ASSERT_TRUE(process.started());
        const auto started = Clock::now();
        bool running;
        if (++runs % kStartupKillEvery == 0) {
            process.go();
            running = process.readUntil(started + std::chrono::microseconds(startupDelayUs(random)));
        } else {
            running = process.readUntil(started + kReadyTimeout, true);
            const auto deadline = Clock::now() + std::chrono::microseconds(delayUs(random) * stretch);
            process.go();
            running = running && process.readUntil(deadline);
        }
        if (running) {
            process.kill();
            ++kills;
        }
        const int status = process.wait();
        const int before = confirmed;
        std::string lines = process.takeLines();
        for (std::size_t at = 0; at < lines.size();) {
            const std::size_t end = lines.find('\n', at);
            if (lines.compare(at, end + 1 - at, kReady) == 0) {
                at = end + 1;
                continue;
            }
            ASSERT_EQ(std::stoi(lines.substr(at, end - at)), confirmed + 1) << "saves reported out of order";
            ++confirmed;
            at = end + 1;
        }
        if (!running) {
            ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "saving process failed, status " << status;
        }
        idleRuns = confirmed > before ? 0 : idleRuns + 1;
        stretch = idleRuns == 0 ? 1 : std::min(stretch * 2, kMaxStretch);
        if (running && kills % kCheckEveryKills == 0) {
            checkGuide(confirmed, true);
            ASSERT_EQ(losses, 0) << "after kill " << kills;
        }
    }
    ASSERT_EQ(confirmed, saves) << "no progress in " << kMaxIdleRuns << " runs in a row";

    checkGuide(confirmed, false);
    EXPECT_EQ(found, std::min(saves, kEntries));
    EXPECT_EQ(losses, 0);
    std::printf("seed %u: %d saves confirmed in %d runs, %d kills; %d confirmed bookmarks found, %d lost\n", seed,
                confirmed, runs, kills, found, losses);
}

} // namespace
