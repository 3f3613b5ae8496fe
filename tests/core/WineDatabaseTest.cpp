// The connection and its query operations against databases the builder made.
#include "services/ShellServices.h"
#include "db/Sql.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace testing_support;
namespace fs = std::filesystem;

class WineDatabaseQueries : public GuideTest {};

TEST_F(WineDatabaseQueries, QueryValueReadsTheFirstColumnOfTheFirstRow)
{
    char16_t out[101] = u"default";
    query(u"select STICHWORT from vinaria where ID = 2");
    ASSERT_TRUE(db.queryValue(out, 100));
    EXPECT_EQ(std::u16string_view(out), u"Ürziger Würzgarten");
}

TEST_F(WineDatabaseQueries, NoRowLeavesTheCallersDefault)
{
    char16_t out[151] = u"\n";
    query(text::format(sql::kCountryCode, {u"Atlantis"}));
    ASSERT_TRUE(db.queryValue(out, 150));
    EXPECT_EQ(std::u16string_view(out), u"\n");
}

TEST_F(WineDatabaseQueries, IntegerZeroReadsAsZeroAndNullAsEmpty)
{
    char16_t out[20] = u"x";
    query(u"select Rot from vinaria where ID = 2");
    ASSERT_TRUE(db.queryValue(out, 19));
    EXPECT_EQ(std::u16string_view(out), u"0");
    query(u"select Jahrgang1 from vinaria where ID = 3");
    ASSERT_TRUE(db.queryValue(out, 19));
    EXPECT_EQ(std::u16string_view(out), u"");
}

TEST_F(WineDatabaseQueries, QueryValueNeverWritesPastItsLimit)
{
    // "Pomerol" is 7 characters: a limit of 7 copies it whole, 4 cuts it.
    char16_t out[12];
    std::fill(std::begin(out), std::end(out), u'#');
    query(u"select STICHWORT from vinaria where ID = 1");
    ASSERT_TRUE(db.queryValue(out, 7));
    EXPECT_EQ(std::u16string_view(out), u"Pomerol");
    EXPECT_EQ(out[8], u'#');
    ASSERT_TRUE(db.queryValue(out, 4));
    EXPECT_EQ(std::u16string_view(out), u"Pome");
    EXPECT_EQ(out[5], u'o'); // past the limit nothing is written
    std::fill(std::begin(out), std::end(out), u'#');
    ASSERT_TRUE(db.queryValue(out, 10));
    EXPECT_EQ(std::u16string_view(out), u"Pomerol");
    EXPECT_EQ(std::u16string_view(out + 7, 4), std::u16string_view(u"\0\0\0\0", 4)); // zeroed up to the limit
    EXPECT_EQ(out[11], u'#');
}

TEST_F(WineDatabaseQueries, InvalidSqlFailsAndLeavesTheRecordsetClosed)
{
    char16_t out[10] = u"keep";
    RecordingList list;
    query(u"SELECT * FROM vinaria WHERE () ORDER by STICHWORT");
    EXPECT_FALSE(db.queryValue(out, 9));
    EXPECT_FALSE(db.fillComboBox(list));
    EXPECT_EQ(std::u16string_view(out), u"keep");
    EXPECT_FALSE(db.recordset()->isOpen());
    query(u"select 1; DROP TABLE Lesezeichen");
    EXPECT_FALSE(db.queryValue(out, 9));
    query(u"select count(*) from Lesezeichen");
    EXPECT_TRUE(db.queryValue(out, 9));
}

TEST_F(WineDatabaseQueries, FillAddsRowsInQueryOrderSkippingNullsAndKeepsEntriesOnNoRows)
{
    RecordingList list;
    list.addString(u" ");
    query(sql::kAllRegions);
    ASSERT_TRUE(db.fillComboBox(list));
    EXPECT_EQ(list.items, (std::vector<std::u16string>{u" ", u"Mosel", u"Baden", u"Bordeaux", u"Côte d'Or",
                                                       u"Champagne", u"Valle d'Aosta"}));
    query(u"select Jahrgang1 from vinaria order by ID");
    list.items.clear();
    ASSERT_TRUE(db.fillComboBox(list));
    EXPECT_EQ(list.items.size(), 1u); // only Pomerol has a vintage in the first category
    query(u"select Land from Land where Land = 'XXX'");
    ASSERT_TRUE(db.fillComboBox(list));
    EXPECT_EQ(list.items.size(), 1u);
    EXPECT_FALSE(db.recordset()->isOpen());
}

TEST_F(WineDatabaseQueries, TheCancelFlagStopsAFillBeforeItsNextRow)
{
    struct CancellingList : ui::StringListTarget {
        WineDatabase* db = nullptr;
        std::vector<std::u16string> items;
        void addString(std::u16string_view text) override
        {
            items.emplace_back(text);
            db->cancelFill = true;
        }
    } list;
    list.db = &db;
    query(sql::kCountryNames);
    EXPECT_TRUE(db.fillComboBox(list));
    EXPECT_EQ(list.items, std::vector<std::u16string>{u"Deutschland"});
    EXPECT_FALSE(db.cancelFill);
}

TEST_F(WineDatabaseQueries, ExecuteRunsStatementsAndReportsRefusals)
{
    EXPECT_EQ(db.execute(u""), 0);
    EXPECT_EQ(db.execute(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','Pomerol','O''Neill''s Notiz')"), 0);
    char16_t note[4001] = {};
    query(text::format(sql::kBookmarkNote, {u"1"}));
    ASSERT_TRUE(db.queryValue(note, 4000));
    EXPECT_EQ(std::u16string_view(note), u"O'Neill's Notiz");
    EXPECT_EQ(db.execute(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','x','y')"), 1);
    EXPECT_EQ(db.execute(u"DELETE FROM Lesezeichen WHERE id_vinaria = 1"), 0);
    EXPECT_EQ(db.execute(u"INSERT INTO Nirgendwo VALUES (1)"), 1);
}

TEST_F(WineDatabaseQueries, VarietyLookupTakesTheFirstNameThatBeginsWithTheChoice)
{
    char16_t out[2001] = {};
    query(text::format(sql::kVarietyDescription, {u"Nero d''Avola"}));
    ASSERT_TRUE(db.queryValue(out, 2000));
    std::u16string description(out);
    ShellServices::unscramble(description);
    EXPECT_EQ(description, u"Sizilianisch und dunkel.");
}

TEST_F(WineDatabaseQueries, ASecondOpenLeavesOneWorkingConnection)
{
    ASSERT_TRUE(db.open());
    char16_t out[10] = {};
    query(u"select count(*) from vinaria");
    ASSERT_TRUE(db.queryValue(out, 9));
    EXPECT_EQ(std::u16string_view(out), u"6");
    EXPECT_TRUE(db.close());
    EXPECT_FALSE(db.close());
}

class WineDatabaseOpening : public ::testing::Test {
protected:
    void TearDown() override
    {
        ado::setUnavailable(ado::kConnectionProgId, false);
        ado::setUnavailable(ado::kRecordsetProgId, false);
        shell::setProgramPathForTesting(u"");
    }
};

TEST_F(WineDatabaseOpening, AMissingFileFailsCreatesNothingAndLaterStatementsFail)
{
    const std::string folder = freshFolder();
    placeProgramIn(folder);
    WineDatabase db;
    db.allocateTextBuffer();
    EXPECT_FALSE(db.open());
    EXPECT_FALSE(fs::exists(folder + "/vinaria2007_db.cdb"));
    EXPECT_EQ(db.execute(u"DELETE FROM Lesezeichen WHERE id_vinaria = 1"), 1);
    char16_t out[5] = u"x";
    db.setText(u"select 1");
    EXPECT_FALSE(db.queryValue(out, 4));
    EXPECT_TRUE(db.close()); // the connection object exists though it never connected
}

TEST_F(WineDatabaseOpening, AFileThatIsNotAGuideFails)
{
    const std::string folder = freshFolder();
    std::ofstream(folder + "/vinaria2007_db.cdb") << "kein Datenbankinhalt";
    placeProgramIn(folder);
    WineDatabase db;
    EXPECT_FALSE(db.open());
    const std::string other = freshFolder() + "/x";
    fs::create_directories(other);
    buildDatabase(guide::GuideContent{}, other);
    // An empty guide still has every table, so it opens.
    placeProgramIn(other);
    EXPECT_TRUE(db.open());
}

TEST_F(WineDatabaseOpening, WithoutTheDataAccessComponentEveryOperationFailsQuietly)
{
    const std::string folder = freshFolder();
    buildDatabase(fixtureSources(), folder);
    placeProgramIn(folder);
    ado::setUnavailable(ado::kConnectionProgId, true);
    WineDatabase db;
    db.allocateTextBuffer();
    EXPECT_FALSE(db.open());
    EXPECT_FALSE(db.close());
    EXPECT_EQ(db.execute(u"select 1"), 1);
    ado::setUnavailable(ado::kConnectionProgId, false);
    ado::setUnavailable(ado::kRecordsetProgId, true);
    EXPECT_TRUE(db.open()); // connected, but there is no recordset to run anything
    RecordingList list;
    db.setText(sql::kCountryNames);
    EXPECT_FALSE(db.fillComboBox(list));
    EXPECT_EQ(db.execute(u"select 1"), 1);
    EXPECT_TRUE(db.close());
}

TEST(ProgramPath, TheDatabaseAndGuideLieBesideTheProgram)
{
    EXPECT_EQ(shell::siblingPath(u"\\Programme\\Wein\\app.exe", u"ratgeber\\0100.htm"),
              u"\\Programme\\Wein\\ratgeber\\0100.htm");
    EXPECT_EQ(shell::siblingPath(u"/opt/vinaria/vinaria", u"ratgeber\\0100.htm"), u"/opt/vinaria/ratgeber/0100.htm");
    EXPECT_EQ(shell::siblingPath(u"\\app.exe", u"vinaria2007_db.cdb"), u"\\vinaria2007_db.cdb");
    EXPECT_EQ(shell::siblingPath(u"app.exe", u"x.cdb"), u"ax.cdb");
}
