// The buying guide's pages: the entry page exists and every link lands on a page.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string read(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Ratgeber, EntryPageLinksToAtLeastFivePagesAndNoLinkIsBroken)
{
    const fs::path folder = fs::path(VINARIA_SOURCE_DIR) / "data" / "ratgeber";
    ASSERT_TRUE(fs::exists(folder / "0100.htm"));
    const std::regex link(R"(href="([^"#]+))");
    std::set<std::string> fromEntry;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".htm")
            continue;
        const std::string html = read(entry.path());
        EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos) << entry.path();
        EXPECT_NE(html.find("lang=\"de\""), std::string::npos) << entry.path();
        for (std::sregex_iterator it(html.begin(), html.end(), link), end; it != end; ++it) {
            const std::string target = (*it)[1];
            EXPECT_TRUE(fs::exists(folder / target)) << entry.path() << " links to missing " << target;
            if (entry.path().filename() == "0100.htm" && target.ends_with(".htm"))
                fromEntry.insert(target);
        }
    }
    EXPECT_GE(fromEntry.size(), 5u);
}

} // namespace
