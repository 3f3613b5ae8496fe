// Test support for guide databases.
#include "tests/support/GuideFixture.h"

#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "tools/guide/GuideSources.h"
#include "tools/guide/GuideWriter.h"

#include <filesystem>

namespace fs = std::filesystem;

namespace testing_support {

std::string sourceDir()
{
    return VINARIA_SOURCE_DIR;
}

std::string fixtureSources()
{
    return sourceDir() + "/tests/fixtures/guide";
}

std::string freshFolder()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "unnamed";
    for (char& c : name)
        if (c == '/')
            c = '_';
    const fs::path folder = fs::path(VINARIA_TEST_TMP) / name;
    std::error_code ec;
    fs::remove_all(folder, ec);
    fs::create_directories(folder);
    return folder.string();
}

std::string buildDatabase(const std::string& sources, const std::string& folder)
{
    const std::string path = folder + "/vinaria2007_db.cdb";
    const guide::BuildResult result = guide::buildGuide(sources, path);
    EXPECT_NE(result.outcome, guide::BuildOutcome::Failed) << result.message;
    return path;
}

std::string buildDatabase(const guide::GuideContent& content, const std::string& folder)
{
    const std::string path = folder + "/vinaria2007_db.cdb";
    const guide::WriteResult result = guide::writeGuideDatabase(content, path, "test");
    EXPECT_TRUE(result.ok) << result.error;
    return path;
}

void placeProgramIn(const std::string& folder)
{
    shell::setProgramPathForTesting(text::fromUtf8(folder + "/vinaria"));
}

void GuideTest::SetUp()
{
    folder = freshFolder();
    buildDatabase(fixtureSources(), folder);
    placeProgramIn(folder);
    db.allocateTextBuffer();
    ASSERT_TRUE(db.open());
}

void GuideTest::TearDown()
{
    db.close();
    shell::setProgramPathForTesting(u"");
}

std::string utf8(std::u16string_view text)
{
    return text::toUtf8(text);
}

} // namespace testing_support
