// vinaria-guidebuild: builds the guide database from its readable sources.
//   vinaria-guidebuild --sources data/guide --output build/vinaria2007_db.cdb
#include "tools/guide/GuideWriter.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv)
{
    std::string sources, output;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--sources") == 0)
            sources = argv[i + 1];
        else if (std::strcmp(argv[i], "--output") == 0)
            output = argv[i + 1];
    }
    if (sources.empty() || output.empty()) {
        std::fprintf(stderr, "usage: %s --sources DIR --output FILE\n", argv[0]);
        return 2;
    }
    const guide::BuildResult result = guide::buildGuide(sources, output);
    std::fprintf(result.outcome == guide::BuildOutcome::Failed ? stderr : stdout, "%s\n", result.message.c_str());
    return result.outcome == guide::BuildOutcome::Failed ? 1 : 0;
}
