// Bookmarks through the command line, run as the program: export, import
// into a fresh guide and export again give the same file; every bad file is
// refused with its line and leaves the bookmarks as they were; a guide of
// another edition takes the bookmarks by keyword and region; the PDF holds
// every note. Also --show against the window's entry view.
#include "platform/text/Utf16.h"
#include "resources/dialogs/ResultsIds.h"
#include "tests/cli/ProgramRun.h"
#include "tests/support/GuideFixture.h"
#include "tests/ui/ResultsFixture.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <sstream>

namespace {

using namespace cli_testing;
using namespace results_testing;

const std::string kCsvHead = "\xEF\xBB\xBFid;Stichwort;Region;Land;Beschreibung;Notiz\r\n";

// Every stored bookmark as "id|Beschreibung|Notiz", in the list's order.
std::string bookmarksOf(const std::string& guide)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(guide.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "SELECT id_vinaria, Beschreibung, Notiz FROM Lesezeichen ORDER BY ID_Lesezeichen", -1, &s,
                       nullptr);
    std::string all;
    while (sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0; c < 3; ++c) {
            const auto* v = reinterpret_cast<const char*>(sqlite3_column_text(s, c));
            all += (c ? "|" : "") + std::string(v ? v : "<null>");
        }
        all += "\n";
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return all;
}

void addBookmark(const std::string& guide, int id, const std::string& description, const std::string& note)
{
    sqlite3* db = nullptr;
    sqlite3_open(guide.c_str(), &db);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, "INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (?1, ?2, ?3)", -1, &s,
                       nullptr);
    sqlite3_bind_int(s, 1, id);
    sqlite3_bind_text(s, 2, description.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(s, 3, note.c_str(), -1, SQLITE_TRANSIENT);
    EXPECT_EQ(sqlite3_step(s), SQLITE_DONE);
    sqlite3_finalize(s);
    sqlite3_close(db);
}

guide::GuideContent wines(int firstId)
{
    guide::GuideContent c = smallGuide();
    c.regions.push_back({u"FRA", u"Côte d'Or"});
    c.wines = {wine(firstId, u"Pomerol", u"FRA", u"Bordeaux", "r"),
               wine(firstId + 1, u"Château d'Yquem", u"FRA", u"Bordeaux", "w"),
               wine(firstId + 2, u"Meursault", u"FRA", u"Côte d'Or", "w"),
               wine(firstId + 3, u"Chianti", u"ITA", u"Toskana", "r")};
    return c;
}

class CliBookmarkTest : public ResultsTest {
protected:
    void SetUp() override
    {
        ResultsTest::SetUp();
        openGuide(wines(7));
        g_wineDatabase->close();
    }

    // A second guide of the given content in a folder of its own.
    std::string otherGuide(const std::string& name, const guide::GuideContent& content)
    {
        const std::string dir = folder + "/" + name;
        std::filesystem::create_directories(dir);
        return testing_support::buildDatabase(content, dir);
    }

    Outcome program(const std::string& guide, std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--guide", guide});
        return runProgram(args, folder);
    }

    void addTrickyBookmarks(const std::string& guide)
    {
        addBookmark(guide, 9, "Meursault; 2004", "Zeile eins\nZeile \"zwei\"\r\nWinzer's Wahl ä ö ü ß é è ô ç");
        addBookmark(guide, 7, "", "");
        addBookmark(guide, 8, "Süß", "=1+2; \"\"");
    }
};

TEST_F(CliBookmarkTest, AnExportImportedIntoAFreshGuideExportsTheSameFile)
{
    addTrickyBookmarks(databasePath);
    const std::string first = folder + "/first.csv", second = folder + "/second.csv";
    const Outcome exported = program(databasePath, {"--export-bookmarks", first});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string fresh = otherGuide("fresh", wines(7));
    const Outcome imported = program(fresh, {"--import-bookmarks", first});
    ASSERT_EQ(imported.status, 0) << imported.err;
    ASSERT_EQ(program(fresh, {"--export-bookmarks", second}).status, 0);
    EXPECT_EQ(readFile(first), readFile(second));
    EXPECT_EQ(bookmarksOf(fresh), bookmarksOf(databasePath));
    EXPECT_EQ(readFile(first).rfind(kCsvHead, 0), 0u);
    EXPECT_NE(readFile(first).find("9;Meursault;Côte d'Or;Frankreich;\"Meursault; 2004\";\"Zeile eins\nZeile "
                                   "\"\"zwei\"\"\r\nWinzer's Wahl"),
              std::string::npos);
}

TEST_F(CliBookmarkTest, EveryBadFileIsRefusedWithItsLineAndChangesNothing)
{
    addTrickyBookmarks(databasePath);
    const std::string before = bookmarksOf(databasePath);
    const std::string good = "10;Chianti;Toskana;Italien;Gut;Notiz\r\n";
    std::string manyRows = kCsvHead;
    for (int i = 0; i < 100000; ++i)
        manyRows += good;
    const struct {
        const char* name;
        std::string bytes;
        int line;
    } cases[] = {
        {"header", "id;Name;Region;Land;Beschreibung;Notiz\r\n" + good, 1},
        {"separator", "id,Stichwort,Region,Land,Beschreibung,Notiz\r\n10,Chianti,Toskana,Italien,a,b\r\n", 1},
        {"quote-inside", kCsvHead + good + "10;Chi\"anti;Toskana;Italien;a;b\r\n", 3},
        {"after-quote", kCsvHead + good + "10;\"Chianti\"x;Toskana;Italien;a;b\r\n", 3},
        {"unclosed", kCsvHead + good + "10;Chianti;Toskana;Italien;a;\"b\r\n\r\n", 3},
        {"utf8", kCsvHead + good + "8;Ch\xC3\x28teau;Bordeaux;Frankreich;a;b\r\n", 3},
        {"long-line", kCsvHead + "10;Chianti;Toskana;Italien;a;" + std::string(10 << 20, 'x') + "\r\n", 2},
        {"many-rows", manyRows, 50002},
        {"id-text", kCsvHead + good + "zehn;Chianti;Toskana;Italien;a;b\r\n", 3},
        {"id-zero", kCsvHead + "0;Chianti;Toskana;Italien;a;b\r\n", 2},
        {"description", kCsvHead + good + "9;Meursault;Côte d'Or;Frankreich;" + std::string(500, 'd') + ";b\r\n", 3},
        {"fields", kCsvHead + good + "9;Meursault;Côte d'Or;Frankreich;b\r\n", 3},
        {"unknown", kCsvHead + good + "99;Barolo;Piemont;Italien;a;b\r\n", 3},
        {"same-wine", kCsvHead + good + "10;Chianti;Toskana;Italien;c;d\r\n", 3},
    };
    for (const auto& c : cases) {
        const std::string file = folder + "/" + c.name + ".csv";
        writeFile(file, c.bytes);
        const Outcome run = program(databasePath, {"--import-bookmarks", file});
        EXPECT_EQ(run.status, 2) << c.name;
        const std::string where = file + ", Zeile " + std::to_string(c.line) + ": ";
        EXPECT_NE(run.err.find(where), std::string::npos) << c.name << "\n" << run.err;
        EXPECT_NE(run.err.find("Nichts importiert"), std::string::npos) << c.name;
        EXPECT_EQ(bookmarksOf(databasePath), before) << c.name;
    }
}

TEST_F(CliBookmarkTest, SkipUnknownTakesTheRowsThatNameAWine)
{
    const std::string file = folder + "/some.csv";
    writeFile(file, kCsvHead + "99;Barolo;Piemont;Italien;a;b\r\n10;Chianti;Toskana;Italien;Gut;Kaufen\r\n");
    const Outcome run = program(databasePath, {"--import-bookmarks", file, "--skip-unknown"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find(file + ", Zeile 2"), std::string::npos) << run.err;
    EXPECT_EQ(bookmarksOf(databasePath), "10|Gut|Kaufen\n");
}

TEST_F(CliBookmarkTest, AGuideOfAnotherEditionTakesEachBookmarkByKeywordAndRegion)
{
    addTrickyBookmarks(databasePath);
    const std::string file = folder + "/out.csv";
    ASSERT_EQ(program(databasePath, {"--export-bookmarks", file}).status, 0);
    // Ids moved by three: 7 and 8 now name other wines, 9 none at first.
    const std::string moved = otherGuide("moved", wines(5));
    const Outcome run = program(moved, {"--import-bookmarks", file});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(bookmarksOf(moved), "7|Meursault; 2004|Zeile eins\nZeile \"zwei\"\r\nWinzer's Wahl ä ö ü ß é è ô ç\n"
                                  "5||\n6|Süß|=1+2; \"\"\n");
    // An existing bookmark of the same wine is replaced, not doubled.
    ASSERT_EQ(program(moved, {"--import-bookmarks", file}).status, 0);
    const std::string again = bookmarksOf(moved);
    EXPECT_EQ(std::count(again.begin(), again.end(), '|'), 6);
}

TEST_F(CliBookmarkTest, ThePdfHoldsEveryBookmarkWithItsNoteAndEmbeddedFonts)
{
    addTrickyBookmarks(databasePath);
    const std::string pdf = folder + "/list.pdf";
    const Outcome run = program(databasePath, {"--bookmarks-pdf", pdf});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string info = toolOutput({"pdfinfo", pdf}, folder);
    EXPECT_NE(info.find("Meine Lesezeichen"), std::string::npos) << info;
    EXPECT_NE(info.find("A4"), std::string::npos) << info;
    const std::string text = toolOutput({"pdftotext", "-layout", pdf, "-"}, folder);
    for (const char* expected : {"Meine Lesezeichen", "Meursault; 2004", "Zeile eins", "Zeile \"zwei\"",
                                 "Winzer's Wahl ä ö ü ß é è ô ç", "Süß", "=1+2; \"\"", "Château d'Yquem",
                                 "Frankreich: Bordeaux", "Ein Wein zum Testen.", "03,04", "Seite 1 von 1", "Stand: "})
        EXPECT_NE(text.find(expected), std::string::npos) << expected << "\n" << text;
    // pdffonts: name, type, encoding, then "emb sub uni object ID".
    std::istringstream fonts(toolOutput({"pdffonts", pdf}, folder));
    int embedded = 0;
    for (std::string line; std::getline(fonts, line);) {
        std::istringstream words(line);
        std::vector<std::string> w{std::istream_iterator<std::string>(words), std::istream_iterator<std::string>()};
        if (w.size() < 6 || w[0].rfind("DejaVu", 0) != 0)
            continue;
        EXPECT_EQ(w[w.size() - 5], "yes") << line;
        ++embedded;
    }
    EXPECT_GT(embedded, 0);
}

TEST_F(CliBookmarkTest, AFileThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    for (const char* option : {"--bookmarks-pdf", "--export-bookmarks"}) {
        const std::string target = folder + "/no/such/folder/list.out";
        const Outcome run = program(databasePath, {option, target});
        EXPECT_EQ(run.status, 2) << option;
        EXPECT_NE(run.err.find(target), std::string::npos) << run.err;
        EXPECT_FALSE(std::filesystem::exists(target));
    }
}

// What the entry view shows for the entry, as --show prints it.
std::string viewText(ui::Dialog& d, const std::u16string& keyword)
{
    auto lines = [](std::u16string text) {
        for (std::size_t at; (at = text.find(u"\r\n")) != std::u16string::npos;)
            text.replace(at, 2, u"\n");
        if (text.empty() || text.back() != u'\n')
            text += u'\n';
        return text;
    };
    using namespace ids::results;
    return testing_support::utf8(keyword + u"\n" + d.staticControl(kHeader).text() + u"\n\nInfo\n"
                                 + lines(d.edit(kInfoEdit).text()) + u"\nJahrg\u00e4nge\n"
                                 + lines(d.edit(kVintageEdit).text()));
}

TEST_F(CliBookmarkTest, ShowPrintsTheTextsOfTheEntryView)
{
    g_wineDatabase->open();
    SearchCriteria all;
    all.red = all.white = true;
    search(all);
    std::map<int, std::string> shown;
    openResults([&](ui::Dialog& d) {
        for (const auto& [id, keyword] : std::map<int, std::u16string>{{7, u"Pomerol"}, {8, u"Château d'Yquem"}}) {
            selectItem(d, keyword);
            shown[id] = viewText(d, keyword);
        }
    });
    g_wineDatabase->close();
    addBookmark(databasePath, 8, "Für Weihnachten", "zwei Flaschen");
    for (const auto& [id, expected] : shown) {
        const Outcome run = program(databasePath, {"--show", std::to_string(id)});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out.substr(0, expected.size()), expected);
        const std::string bookmark = "\nNotiz / Lesezeichen\nBeschreibung: Für Weihnachten\nNotiz: zwei Flaschen\n";
        EXPECT_EQ(run.out.substr(expected.size()), id == 8 ? bookmark : "");
    }
    const Outcome json = program(databasePath, {"--show", "8", "--json"});
    const QJsonObject entry = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).object();
    EXPECT_EQ(entry[QStringLiteral("kopfzeile")].toString(), QStringLiteral("Frankreich: Bordeaux"));
    EXPECT_EQ(entry[QStringLiteral("lesezeichen")].toObject()[QStringLiteral("notiz")].toString(),
              QStringLiteral("zwei Flaschen"));
    const Outcome missing = program(databasePath, {"--show", "4711"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.out.empty());
}

} // namespace
