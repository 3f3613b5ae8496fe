// The guide database builder: what it writes, what it refuses, and that no
// rebuild ever loses a bookmark.
#include "services/ShellServices.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"
#include "tools/guide/GuideSources.h"
#include "tools/guide/GuideWriter.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>

using namespace testing_support;
namespace fs = std::filesystem;

namespace {

const char* kWineHeader = "id,stichwort,land,region,farben,geschmack,qualitaet,jahrgaenge,bald,ohne_jahr,text\n";

// A copy of the fixture sources that a test may change.
std::string copyOfFixture(const std::string& folder)
{
    const std::string sources = folder + "/quellen";
    fs::copy(fixtureSources(), sources, fs::copy_options::recursive);
    return sources;
}

void write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::trunc) << text;
}

} // namespace

TEST(GuideBuilder, WritesLowerCaseKeywordsScrambledProseAndYearCodes)
{
    const std::string db = buildDatabase(fixtureSources(), freshFolder());
    EXPECT_EQ(firstValue(db, "select Stichwort_Klein from vinaria where ID = 2"), "ürziger würzgarten");
    const std::string stored = firstValue(db, "select Text from vinaria where ID = 1");
    std::u16string prose = text::fromUtf8(stored);
    EXPECT_NE(prose, u"Kräftig.");
    ShellServices::unscramble(prose);
    EXPECT_EQ(prose, u"Kräftig.");
    std::u16string lower = text::fromUtf8(firstValue(db, "select Text_Klein from vinaria where ID = 1"));
    ShellServices::unscramble(lower);
    EXPECT_EQ(lower, u"kräftig.");
    EXPECT_EQ(firstValue(db, "select unicode(Jahrgang1) from vinaria where ID = 1"), "95");
    EXPECT_EQ(firstValue(db, "select Qualitaet1 || '-' || Qualitaet2 from vinaria where ID = 4"), "6-6");
    EXPECT_EQ(firstValue(db, "select count(*) from pragma_table_info('vinaria')"), "37");
}

// A synonym may lead through another name of a variety; the guide stores
// where it ends, and finds it by its folded spelling.
TEST(GuideBuilder, SynonymsAreStoredWithTheVarietyTheyEndAt)
{
    const std::string folder = freshFolder();
    const std::string sources = copyOfFixture(folder);
    write(sources + "/rebsorten.csv", "name,farbe,text\nSpätburgunder (Pinot Noir),rot,Duftig.\nMerlot,rot,Weich.\n");
    write(sources + "/synonyme.csv", "name,sorte\nPinot Nero,Pinot Noir\nPinot Noir,Spätburgunder\nMerlot Noir,Merlot\n");
    const std::string db = buildDatabase(sources, folder);
    EXPECT_EQ(firstValue(db, "select Sorte from Synonyme where Synonym_Basis = 'pinot nero'"), "Spätburgunder");
    EXPECT_EQ(firstValue(db, "select Synonym || '>' || Sorte from Synonyme where Synonym_Basis = 'merlot noir'"),
              "Merlot Noir>Merlot");
    EXPECT_EQ(firstValue(db, "select count(*) from Synonyme"), "3");
}

struct BadRow {
    const char* description;
    std::string file;
    std::string content;
    std::string expectedReason;
};

void PrintTo(const BadRow& row, std::ostream* os)
{
    *os << row.description;
}

class GuideBuilderRefuses : public ::testing::TestWithParam<BadRow> {};

TEST_P(GuideBuilderRefuses, AWrongRowNamingFileLineAndReason)
{
    const BadRow& bad = GetParam();
    const std::string folder = freshFolder();
    const std::string sources = copyOfFixture(folder);
    write(sources + "/" + bad.file, bad.content);
    const std::string db = folder + "/vinaria2007_db.cdb";
    const guide::BuildResult result = guide::buildGuide(sources, db);
    ASSERT_EQ(result.outcome, guide::BuildOutcome::Failed);
    EXPECT_NE(result.message.find(bad.file + ":3: "), std::string::npos) << result.message;
    EXPECT_NE(result.message.find(bad.expectedReason), std::string::npos) << result.message;
    EXPECT_FALSE(fs::exists(db));
}

const std::string kGoodWine = "1,Pomerol,FRA,Bordeaux,rot,trocken,3,,0,0,Kräftig.\n";

INSTANTIATE_TEST_SUITE_P(
    EachKind, GuideBuilderRefuses,
    ::testing::Values(
        BadRow{"unknown country", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,ESP,Bordeaux,rot,,,,,,Text\n", "unknown country 'ESP'"},
        BadRow{"region of another country", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,DEU,Bordeaux,rot,,,,,,Text\n", "unknown region 'Bordeaux' for country DEU"},
        BadRow{"bad year", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,FRA,Bordeaux,rot,,,empfohlen: 1995 2011,,,Text\n", "bad year '2011'"},
        BadRow{"year not a number", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,FRA,Bordeaux,rot,,,normal: 9x,,,Text\n", "bad year '9x'"},
        BadRow{"missing keyword", "weine/01_weine.csv", kWineHeader + kGoodWine + "7, ,FRA,Bordeaux,rot,,,,,,Text\n", "missing keyword"},
        BadRow{"text over its limit", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,FRA,Bordeaux,rot,,,,,," + std::string(4001, 'a') + "\n", "text longer than 4000"},
        BadRow{"id used twice", "weine/01_weine.csv", kWineHeader + kGoodWine + kGoodWine, "id used twice: 1"},
        BadRow{"unknown colour", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,FRA,Bordeaux,gruen,,,,,,Text\n", "unknown word 'gruen'"},
        BadRow{"quality out of range", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,FRA,Bordeaux,rot,,9,,,,Text\n", "quality must be"},
        BadRow{"unknown category", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,FRA,Bordeaux,rot,,,toll: 2001,,,Text\n", "unknown vintage category 'toll'"},
        BadRow{"too few fields", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X,FRA\n", "expected 11 fields, found 3"},
        BadRow{"region of unknown country", "regionen/01_regionen.csv", "land,region\nDEU,Mosel\nXYZ,Nirgendwo\n", "unknown country 'XYZ'"},
        BadRow{"invalid utf8", "weine/01_weine.csv", kWineHeader + kGoodWine + "7,X\xED\xA0\x80,FRA,Bordeaux,rot,,,,,,Text\n",
               "invalid UTF-8 at byte offset " + std::to_string(std::string(kWineHeader).size() + kGoodWine.size() + 3)},
        BadRow{"country name twice", "laender.csv", "code,name\nFRA,Frankreich\nDEU,Frankreich\n", "country name listed twice: Frankreich"},
        BadRow{"variety twice", "rebsorten.csv", "name,farbe,text\nMerlot,rot,weich\nMerlot,rot,anders\n", "variety listed twice: Merlot"},
        BadRow{"synonym twice", "synonyme.csv", "name,sorte\nPinot Noir,Spätburgunder\nPINOT-NOIR,Spätburgunder\n", "synonym listed twice: 'PINOT-NOIR' (first on line 2)"},
        BadRow{"synonyms in a circle", "synonyme.csv", "name,sorte\nMerlot,Riesling\nRiesling,Merlot\n", "synonyms go round in a circle: Merlot = Riesling = Merlot"},
        BadRow{"synonym without name", "synonyme.csv", "name,sorte\nPinot Noir,Spätburgunder\n ,Merlot\n", "missing synonym name"},
        BadRow{"synonym of no variety", "synonyme.csv", "name,sorte\nPinot Noir,Spätburgunder\nPinot Grigio,Grauburgunder\n", "unknown variety 'Grauburgunder'"},
        BadRow{"synonym of itself", "synonyme.csv", "name,sorte\nPinot Noir,Spätburgunder\nSpaetburgunder,Spätburgunder\n", "synonym of itself"},
        BadRow{"synonym not utf8", "synonyme.csv", "name,sorte\nPinot Noir,Spätburgunder\nPinot\xFF,Merlot\n", "invalid UTF-8 at byte offset 42"},
        BadRow{"variety text over its limit", "rebsorten.csv", "name,farbe,text\nMerlot,rot,weich\nRiesling,weiss," + std::string(2000, 'a') + "\n", "description longer than 1999"}),
    [](const ::testing::TestParamInfo<BadRow>& info) {
        std::string name = info.param.description;
        for (char& c : name)
            if (c == ' ')
                c = '_';
        return name;
    });

TEST(GuideBuilder, MoreThanThirtyFourYearsInOneCategoryAreRefused)
{
    std::array<std::u16string, 15> columns;
    std::string many = "empfohlen:";
    for (int y = 1960; y < 1995; ++y)
        many += " " + std::to_string(y);
    EXPECT_EQ(guide::parseVintages(many, columns).value_or(""), "more than 34 years in category empfohlen");
    EXPECT_FALSE(guide::parseVintages("empfohlen: 2001; jetzt+gut+vorl: 2006 2007", columns));
    EXPECT_EQ(columns[11].size(), 2u);
}

TEST(GuideBuilder, ARebuildAfterChangedSourcesKeepsEveryBookmark)
{
    const std::string folder = freshFolder();
    const std::string sources = copyOfFixture(folder);
    const std::string db = buildDatabase(sources, folder);
    {
        placeProgramIn(folder);
        WineDatabase wine;
        ASSERT_TRUE(wine.open());
        ASSERT_EQ(wine.execute(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','Mein Pomerol','Zu Lamm')"), 0);
        ASSERT_EQ(wine.execute(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('99','Verschwunden','bleibt')"), 0);
        wine.close();
    }
    EXPECT_EQ(guide::buildGuide(sources, db).outcome, guide::BuildOutcome::UpToDate);

    std::ofstream(sources + "/weine/01_weine.csv", std::ios::app) << "7,Neuer Eintrag,DEU,Baden,rot,,,,,,Neu im Führer.\n";
    const guide::BuildResult rebuilt = guide::buildGuide(sources, db);
    ASSERT_EQ(rebuilt.outcome, guide::BuildOutcome::Built) << rebuilt.message;
    EXPECT_EQ(firstValue(db, "select count(*) from vinaria"), "7");
    EXPECT_EQ(firstValue(db, "select group_concat(ID_Lesezeichen || ':' || id_vinaria || ':' || Beschreibung || ':' || Notiz, '|') from Lesezeichen"),
              "1:1:Mein Pomerol:Zu Lamm|2:99:Verschwunden:bleibt");
    shell::setProgramPathForTesting(u"");
}

TEST(GuideBuilder, ADamagedDatabaseIsNeverReplacedSoItsBookmarksCanBeRescued)
{
    const std::string folder = freshFolder();
    const std::string db = folder + "/vinaria2007_db.cdb";
    write(db, std::string("SQLite format 3") + std::string(200, '\x7f'));
    const guide::BuildResult result = guide::buildGuide(fixtureSources(), db);
    EXPECT_EQ(result.outcome, guide::BuildOutcome::Failed);
    EXPECT_NE(result.message.find("bookmarks"), std::string::npos) << result.message;
    EXPECT_EQ(fs::file_size(db), 215u);
}
