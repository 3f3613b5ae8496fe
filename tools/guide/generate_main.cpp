// vinaria-guidegen: writes a synthetic guide of N entries for measuring.
//   vinaria-guidegen --sources data/guide --entries 100000 --seed 7 --output /tmp/big.cdb
#include "tools/guide/GuideSources.h"
#include "tools/guide/GuideWriter.h"
#include "tools/guide/SyntheticGuide.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    std::string sources, output;
    long entries = 1000;
    unsigned long long seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--sources")
            sources = argv[i + 1];
        else if (flag == "--output")
            output = argv[i + 1];
        else if (flag == "--entries")
            entries = std::strtol(argv[i + 1], nullptr, 10);
        else if (flag == "--seed")
            seed = std::strtoull(argv[i + 1], nullptr, 10);
    }
    if (sources.empty() || output.empty() || entries < 0 || entries > 10'000'000) {
        std::fprintf(stderr, "usage: %s --sources DIR --entries N --seed S --output FILE\n", argv[0]);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    const guide::SourcesResult base = guide::loadGuideSources(sources, guide::SourceParts::WithoutWines);
    if (base.error) {
        std::fprintf(stderr, "%s\n", base.error->message().c_str());
        return 1;
    }
    std::error_code ec;
    std::filesystem::remove(output, ec); // a synthetic guide never holds bookmarks worth keeping
    // Entries go straight from the generator into the file, one at a time.
    const guide::WriteResult written = guide::writeGuideDatabase(
        base.content, guide::syntheticWines(base.content, static_cast<int>(entries), seed), output, "synthetic");
    if (!written.ok) {
        std::fprintf(stderr, "%s\n", written.error.c_str());
        return 1;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %ld synthetic entries (seed %llu) in %.1f s\n", output.c_str(), entries, seed, seconds);
    return 0;
}
