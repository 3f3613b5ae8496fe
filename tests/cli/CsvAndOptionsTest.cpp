// The bookmark file's reader on its own (where a row spanning lines puts
// the line numbers, what a spreadsheet may add), and the help: every option
// is named by --help and by the manual page.
#include "cli/BookmarkCsv.h"
#include "cli/Options.h"
#include "platform/text/Utf16.h"
#include "tests/cli/ProgramRun.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

namespace {

using namespace cli;

CsvReading read(const std::string& bytes)
{
    std::istringstream in(bytes);
    return readBookmarkCsv(in);
}

TEST(BookmarkCsvTest, WrittenRowsReadBackUnchanged)
{
    const std::vector<BookmarkRow> rows = {
        {3, u"Côte; Rôtie", u"Rhône", u"Frankreich", u"\"Beste\"", u"eins\ntwo\r\ndrei;vier \u00df"},
        {12, u"", u"", u"", u"", u""},
        {2147483647, u"a\"b", u"r", u"l", u"\u00e9\u00e8\u00f4\u00e7", u"\r"},
    };
    const CsvReading back = read(bookmarkCsv(rows));
    ASSERT_EQ(back.problemLine, 0) << testing_support::utf8(back.problem);
    ASSERT_EQ(back.rows.size(), rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(back.rows[i].id, rows[i].id);
        EXPECT_EQ(back.rows[i].keyword, rows[i].keyword);
        EXPECT_EQ(back.rows[i].region, rows[i].region);
        EXPECT_EQ(back.rows[i].description, rows[i].description);
        EXPECT_EQ(back.rows[i].note, rows[i].note);
    }
    EXPECT_EQ(back.rows[1].line, 5); // the first row's note spans three lines
}

TEST(BookmarkCsvTest, ASpreadsheetsFileWithoutMarkWithLineFeedsAndBlankLinesReads)
{
    const CsvReading r = read("id;Stichwort;Region;Land;Beschreibung;Notiz\n\n5;A;B;C;D;\"x\ny\"\n\n6;A;B;C;D;E");
    ASSERT_EQ(r.problemLine, 0) << testing_support::utf8(r.problem);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].line, 3);
    EXPECT_EQ(r.rows[0].note, u"x\ny");
    EXPECT_EQ(r.rows[1].line, 6);
}

TEST(BookmarkCsvTest, AFaultNamesTheLineWhereItStandsAndKeepsNoRow)
{
    const std::string header = "id;Stichwort;Region;Land;Beschreibung;Notiz\r\n";
    // Invalid UTF-8 on the second line of a note that starts on line 2.
    CsvReading r = read(header + "5;A;B;C;D;\"gut\r\n\xFF\"\r\n");
    EXPECT_EQ(r.problemLine, 3);
    EXPECT_TRUE(r.rows.empty());
    r = read(header + "5;A;B;C;D;\"x\ny\"\n6;A;B;C;D;E;F\n");
    EXPECT_EQ(r.problemLine, 4);
    EXPECT_TRUE(r.rows.empty());
    r = read("");
    EXPECT_EQ(r.problemLine, 1);
    // A 499-character note fits, a 500-character one does not; characters, not bytes, count.
    std::string note;
    for (int i = 0; i < 499; ++i)
        note += "\xC3\xA4";
    EXPECT_EQ(read(header + "5;A;B;C;D;" + note + "\n").problemLine, 0);
    EXPECT_EQ(read(header + "5;A;B;C;D;" + note + "x\n").problemLine, 2);
    EXPECT_EQ(read(header + "2147483648;A;B;C;D;E\n").problemLine, 2);
    EXPECT_EQ(read(header + "-5;A;B;C;D;E\n").problemLine, 2);
}

TEST(OptionsTest, HelpAndTheManualPageNameEveryOption)
{
    const std::string folder = testing_support::freshFolder();
    const cli_testing::Outcome help = cli_testing::runProgram({"--help"}, folder);
    ASSERT_EQ(help.status, 0);
    std::string manual = cli_testing::readFile(testing_support::sourceDir() + "/packaging/vinaria.1");
    manual = std::regex_replace(manual, std::regex(R"(\\-)"), "-");
    for (std::u16string_view name : optionNames()) {
        const std::string option = "--" + text::toUtf8(name);
        const std::regex word(option + "([^a-z-]|$)");
        EXPECT_TRUE(std::regex_search(help.out, word)) << option;
        EXPECT_TRUE(std::regex_search(manual, word)) << option;
    }
}

TEST(OptionsTest, WithoutAnOptionOfOursTheWindowOpensAsBefore)
{
    auto parse = [](QStringList args) {
        args.prepend(QStringLiteral("vinaria"));
        return hasOptions(args) ? parseArguments(args) : Parsed{};
    };
    EXPECT_EQ(parse({}).request.task, Task::Window);
    EXPECT_EQ(parse({QStringLiteral("-platform"), QStringLiteral("xcb")}).request.task, Task::Window);
    const Parsed guide = parse({QStringLiteral("--guide"), QStringLiteral("g.cdb")});
    EXPECT_EQ(guide.request.task, Task::Window);
    EXPECT_EQ(guide.request.guideFile, u"g.cdb");
    EXPECT_EQ(parse({QStringLiteral("--search"), QStringLiteral("x"), QStringLiteral("-h")}).request.task, Task::Help);
}

} // namespace
