// vinaria-rebuildloop GUIDE ENTRIES: rebuilds the guide with the builder
// again and again, a moment apart, as a developer's build does while the
// program runs, until its input ends; says "rebuilding" after the first
// rebuild and, at the end, how many it made.
#include "tests/crash/SaveCrashTexts.h"
#include "tools/guide/GuideWriter.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

constexpr int kUsage = 64;
constexpr int kRebuildFailed = 65;
constexpr auto kPause = std::chrono::milliseconds(20);

bool inputEnded()
{
    pollfd p{STDIN_FILENO, POLLIN, 0};
    char byte;
    return poll(&p, 1, 0) > 0 && read(STDIN_FILENO, &byte, 1) <= 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s GUIDE ENTRIES\n", argv[0]);
        return kUsage;
    }
    const guide::GuideContent content = save_crash::guideWithEntries(std::atoi(argv[2]));
    long rebuilds = 0;
    do {
        const guide::WriteResult written = guide::writeGuideDatabase(content, argv[1], "test");
        if (!written.ok) {
            std::fprintf(stderr, "rebuild %ld failed: %s\n", rebuilds + 1, written.error.c_str());
            return kRebuildFailed;
        }
        if (++rebuilds == 1) {
            std::printf("rebuilding\n");
            std::fflush(stdout);
        }
        // A rebuild every few saves is plenty; more would only take the
        // processor from the saving process.
        std::this_thread::sleep_for(kPause);
    } while (!inputEnded());
    std::printf("%ld rebuilds\n", rebuilds);
    return 0;
}
