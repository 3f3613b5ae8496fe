// Two programs saving into one guide at once, and a save killed between
// removing the old row and writing the new one: no save fails that could
// have waited, and no confirmed bookmark is lost.
#include "tests/crash/ChildProcess.h"
#include "tests/crash/CrashTestSupport.h"
#include "tools/guide/GuideWriter.h"

#include <gtest/gtest.h>

#include <chrono>

using namespace crash_testing;
using testing_support::ChildProcess;

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kTimeout = std::chrono::seconds(60);
constexpr int kEntries = 60;

class BookmarkConcurrencyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = memoryFolder() + "/vinaria2007_db.cdb";
        ASSERT_TRUE(guide::writeGuideDatabase(save_crash::guideWithEntries(kEntries), path, "test").ok);
    }
    void TearDown() override { fs::remove_all(fs::path(path).parent_path()); }

    std::string path;
    std::string quickCheck;
};

} // namespace

TEST_F(BookmarkConcurrencyTest, TwoProgramsSavingAThousandTimesEachNeverFail)
{
    constexpr int kSaves = 1000;
    ChildProcess first(saveCommand(path, kEntries, 1, kSaves));
    ChildProcess second(saveCommand(path, kEntries, 1, kSaves));
    ASSERT_TRUE(first.readUntilSaid("ready\n", Clock::now() + kTimeout));
    ASSERT_TRUE(second.readUntilSaid("ready\n", Clock::now() + kTimeout));
    first.closeInput();
    second.closeInput();
    // Each exits with 0 only when every one of its saves was committed.
    EXPECT_TRUE(first.exitedWith(0));
    EXPECT_TRUE(second.exitedWith(0));
    EXPECT_NE(first.output().find("\n1000\n"), std::string::npos);
    EXPECT_NE(second.output().find("\n1000\n"), std::string::npos);

    // Both wrote the same texts for the same save, so each entry holds its
    // last save's, whichever program wrote it.
    const std::map<int, Stored> rows = storedBookmarks(path, quickCheck);
    EXPECT_EQ(quickCheck, "ok");
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(kEntries));
    for (int save = kSaves - kEntries + 1; save <= kSaves; ++save)
        EXPECT_TRUE(holdsSave(rows, save_crash::entryOf(save, kEntries), save)) << "save " << save;
}

TEST_F(BookmarkConcurrencyTest, AKillBetweenTheDeleteAndTheInsertKeepsTheOldRow)
{
    // Save 1 bookmarks entry 1; save 2 replaces it and stops half way.
    std::vector<std::string> command = saveCommand(path, 1, 1, 2);
    command.push_back("pause");
    ChildProcess saver(command);
    ASSERT_TRUE(saver.readUntilSaid("ready\n", Clock::now() + kTimeout));
    saver.closeInput();
    ASSERT_TRUE(saver.readUntilSaid("between\n", Clock::now() + kTimeout)) << saver.output();
    EXPECT_NE(saver.output().find("1\n"), std::string::npos);
    saver.kill();
    saver.wait();

    const std::map<int, Stored> rows = storedBookmarks(path, quickCheck);
    EXPECT_EQ(quickCheck, "ok");
    EXPECT_EQ(rows.size(), 1u);
    EXPECT_TRUE(holdsSave(rows, 1, 1));
}
