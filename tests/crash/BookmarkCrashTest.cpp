// Bookmark saving killed at random moments while the guide is rebuilt
// alongside: a process saves bookmarks and reports each confirmed save,
// another rebuilds the guide over and over; the test kills the saving one
// with SIGKILL after a random delay, restarts it where it left off, and
// checks that every confirmed bookmark is stored intact and the guide is
// sound.
#include "tests/crash/ChildProcess.h"
#include "tests/crash/CrashTestSupport.h"
#include "tools/guide/GuideWriter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

using namespace crash_testing;
using testing_support::ChildProcess;

namespace {

using Clock = std::chrono::steady_clock;

// Sanitizer builds start and save many times slower: fewer kills, later.
#ifdef VINARIA_CRASH_SANITIZED
constexpr int kDefaultKills = 300;
constexpr int kSlowdown = 3;
#else
constexpr int kDefaultKills = 1000;
constexpr int kSlowdown = 1;
#endif
constexpr int kEntries = 60;
constexpr unsigned kDefaultSeed = 20071;
// A run saves until it is killed.
constexpr long kEndlessSaves = 100000000;
// Most kills come a random time after the go-ahead to save, within a few
// saves (one takes well under a millisecond on a memory file system); every
// few runs one comes a random time after the start, to hit the opening of
// the guide and the recovery of an interrupted save.
constexpr int kMaxKillDelayUs = 1000 * kSlowdown;
constexpr int kMaxStartupKillDelayUs = 20000 * kSlowdown;
constexpr int kStartupKillEvery = 5;
constexpr auto kReadyTimeout = std::chrono::seconds(30);
// Runs in a row without a confirmed save before the test gives up.
constexpr int kMaxIdleRuns = 200;
constexpr int kMaxStretch = 64;
// The guide is checked from outside after every this many kills as well.
constexpr int kCheckEveryKills = 10;

constexpr std::string_view kReady = "ready\n";

int envNumber(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value && *value ? std::atoi(value) : fallback;
}

class BookmarkCrashTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        if (!path.empty())
            fs::remove_all(fs::path(path).parent_path());
    }

    // Compares the guide with the saves confirmed so far; a save not yet
    // confirmed may or may not have reached it.
    void checkGuide(int confirmed, bool maybeOneMore)
    {
        const std::map<int, Stored> rows = storedBookmarks(path, quickCheck);
        EXPECT_EQ(quickCheck, "ok");
        std::map<int, int> latest;
        for (int save = 1; save <= confirmed; ++save)
            latest[save_crash::entryOf(save, kEntries)] = save;
        const int pending = confirmed + 1;
        const int pendingEntry = save_crash::entryOf(pending, kEntries);
        found = losses = 0;
        for (const auto& [entry, save] : latest) {
            if (holdsSave(rows, entry, save) || (maybeOneMore && entry == pendingEntry && holdsSave(rows, entry, pending))) {
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

    // Takes the saves a run confirmed, in order; false when out of order.
    bool countConfirmed(ChildProcess& process, int& confirmed)
    {
        const std::string lines = process.takeLines();
        for (std::size_t at = 0; at < lines.size();) {
            const std::size_t end = lines.find('\n', at);
            const std::string line = lines.substr(at, end + 1 - at);
            at = end + 1;
            if (line == kReady)
                continue;
            if (std::stoi(line) != confirmed + 1)
                return false;
            ++confirmed;
        }
        return true;
    }

    std::string path;
    std::string quickCheck;
    int found = 0;
    int losses = 0;
};

} // namespace

TEST_F(BookmarkCrashTest, EveryConfirmedSaveSurvivesKillsWhileTheGuideIsRebuilt)
{
    const int targetKills = envNumber("VINARIA_CRASH_KILLS", kDefaultKills);
    const unsigned seed = static_cast<unsigned>(envNumber("VINARIA_CRASH_SEED", kDefaultSeed));
    path = memoryFolder() + "/vinaria2007_db.cdb";
    ASSERT_TRUE(guide::writeGuideDatabase(save_crash::guideWithEntries(kEntries), path, "test").ok);
    ChildProcess rebuilds({VINARIA_REBUILDLOOP, path, std::to_string(kEntries)});
    ASSERT_TRUE(rebuilds.readUntilSaid("rebuilding\n", Clock::now() + kReadyTimeout));

    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayUs(0, kMaxKillDelayUs);
    std::uniform_int_distribution<int> startupDelayUs(0, kMaxStartupKillDelayUs);
    int confirmed = 0, kills = 0, runs = 0, idleRuns = 0;
    // On a busy machine a process may not get to save before its kill; each
    // run in a row without a save doubles the next delay.
    int stretch = 1;
    while (kills < targetKills && idleRuns < kMaxIdleRuns) {
        ChildProcess process(saveCommand(path, kEntries, confirmed + 1, kEndlessSaves));
        ASSERT_TRUE(process.started());
        const auto started = Clock::now();
        bool running;
        if (++runs % kStartupKillEvery == 0) {
            process.closeInput();
            running = process.readUntil(started + std::chrono::microseconds(startupDelayUs(random)));
        } else {
            running = process.readUntilSaid(std::string(kReady), started + kReadyTimeout);
            const auto deadline = Clock::now() + std::chrono::microseconds(delayUs(random) * stretch);
            process.closeInput();
            running = running && process.readUntil(deadline);
        }
        if (running) {
            process.kill();
            ++kills;
        }
        const int status = process.wait();
        const int before = confirmed;
        ASSERT_TRUE(countConfirmed(process, confirmed)) << "saves reported out of order";
        ASSERT_TRUE(running) << "saving process ended by itself, status " << status;
        idleRuns = confirmed > before ? 0 : idleRuns + 1;
        stretch = idleRuns == 0 ? 1 : std::min(stretch * 2, kMaxStretch);
        if (kills % kCheckEveryKills == 0) {
            checkGuide(confirmed, true);
            ASSERT_EQ(losses, 0) << "after kill " << kills;
        }
    }
    ASSERT_EQ(kills, targetKills) << "no progress in " << kMaxIdleRuns << " runs in a row";
    rebuilds.closeInput();
    ASSERT_TRUE(rebuilds.exitedWith(0)) << rebuilds.output();

    // The last run was killed too, perhaps after its save was committed
    // but before it said so.
    checkGuide(confirmed, true);
    EXPECT_EQ(found, std::min(confirmed, kEntries));
    EXPECT_EQ(losses, 0);
    const std::string rebuilt = rebuilds.output().substr(rebuilds.output().find('\n') + 1);
    std::printf("seed %u: %d saves confirmed in %d runs, %d kills, %.*s alongside; %d confirmed bookmarks found, "
                "%d lost, quick_check %s\n",
                seed, confirmed, runs, kills, static_cast<int>(rebuilt.size()) - 1, rebuilt.c_str(), found, losses,
                quickCheck.c_str());
}
