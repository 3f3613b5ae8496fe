// Starting the browser: the launcher's chatter never reaches the terminal,
// and a launcher that cannot start or finds no browser is noted only in the
// debug output.
#include "platform/shell/DebugOutput.h"
#include "platform/shell/Shell.h"
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <mutex>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class BrowserLaunch : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = testing_support::freshFolder();
        shell::setDebugSink([this](std::u16string_view line) {
            std::lock_guard lock(mutex);
            debugLines.push_back(text::toUtf8(line));
        });
    }
    void TearDown() override
    {
        shell::waitForBrowserLaunchesForTesting();
        shell::setDebugSink({});
        shell::setBrowserProgramForTesting("");
    }

    // A launcher that writes to both streams, as one that finds no browser does.
    std::string chattyLauncher(int exitStatus)
    {
        const std::string path = folder + "/xdg-open";
        std::ofstream(path) << "#!/bin/sh\n"
                               "for i in 1 2 3 4 5 6 7 8 9; do echo \"no browser $i\"; echo \"error $i\" >&2; done\n"
                               "echo \"$1\" > \"$(dirname \"$0\")/opened\"\n"
                               "exit "
                            << exitStatus << "\n";
        fs::permissions(path, fs::perms::owner_all);
        return path;
    }

    // What this process writes to its own stdout and stderr while fn runs,
    // including anything a child inherits.
    template <class Fn> std::string terminalOutputOf(Fn fn)
    {
        const std::string capture = folder + "/terminal";
        std::fflush(stdout);
        std::fflush(stderr);
        const int savedOut = dup(1), savedErr = dup(2);
        const int file = ::open(capture.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        dup2(file, 1);
        dup2(file, 2);
        fn();
        shell::waitForBrowserLaunchesForTesting();
        std::fflush(stdout);
        std::fflush(stderr);
        dup2(savedOut, 1);
        dup2(savedErr, 2);
        ::close(file);
        ::close(savedOut);
        ::close(savedErr);
        std::ifstream in(capture);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    std::vector<std::string> lines()
    {
        std::lock_guard lock(mutex);
        return debugLines;
    }

    std::string folder;
    std::mutex mutex;
    std::vector<std::string> debugLines;
};

TEST_F(BrowserLaunch, ALauncherThatFindsNoBrowserIsSilentAndNotedInTheDebugOutput)
{
    shell::setBrowserProgramForTesting(chattyLauncher(3));
    bool started = false;
    const std::string output = terminalOutputOf([&] { started = shell::startBrowser(u"/opt/vinaria/ratgeber/0100.htm"); });
    EXPECT_TRUE(started);
    EXPECT_EQ(output, "");
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_NE(lines()[0].find("status 3"), std::string::npos) << lines()[0];
    // The page did reach the launcher.
    std::ifstream opened(folder + "/opened");
    std::string page;
    std::getline(opened, page);
    EXPECT_EQ(page, "/opt/vinaria/ratgeber/0100.htm");
}

TEST_F(BrowserLaunch, ABrowserThatOpensThePageLeavesNoTrace)
{
    shell::setBrowserProgramForTesting(chattyLauncher(0));
    const std::string output = terminalOutputOf([] { EXPECT_TRUE(shell::startBrowser(u"-seite.htm")); });
    EXPECT_EQ(output, "");
    EXPECT_TRUE(lines().empty());
    std::ifstream opened(folder + "/opened");
    std::string page;
    std::getline(opened, page);
    EXPECT_EQ(page, "./-seite.htm") << "a dash-led path is not taken for an option";
}

TEST_F(BrowserLaunch, AMissingLauncherFailsWithOneDebugLine)
{
    shell::setBrowserProgramForTesting(folder + "/nicht-da");
    const std::string output = terminalOutputOf([] { EXPECT_FALSE(shell::startBrowser(u"/tmp/0100.htm")); });
    EXPECT_EQ(output, "");
    ASSERT_EQ(lines().size(), 1u);
    EXPECT_NE(lines()[0].find("nicht-da"), std::string::npos) << lines()[0];
}

} // namespace
