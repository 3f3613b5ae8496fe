// The command line's search against the window's: the search form filled
// with the same choices composes its statement, the window's data layer runs
// it, and the program started as a process must print the same entries in
// the same order. Also what a bad start and a bad guide give.
#include "app/Singletons.h"
#include "cli/CommandLine.h"
#include "db/WineDatabase.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/dialogs/SearchFormIds.h"
#include "results/WineRow.h"
#include "search/QueryBuilder.h"
#include "search/SearchForm.h"
#include "search/TolerantSearch.h"
#include "tests/cli/ProgramRun.h"
#include "tests/support/GuideFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace {

using namespace ids::search;
using namespace cli_testing;
using testing_support::utf8;

constexpr int kCombinations = 60;

std::vector<int> idsOfLines(const std::string& out)
{
    std::vector<int> ids;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);)
        ids.push_back(std::stoi(line.substr(0, line.find('\t'))));
    return ids;
}

// The hits of the statement in the text buffer, in the order the results
// dialog reads them; rows without keyword are not listed.
std::vector<int> statementHits()
{
    WineDatabase& db = *g_wineDatabase;
    std::vector<int> ids;
    if (db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly)) {
        ado::Recordset& rows = *db.recordset();
        for (rows.moveFirst(); !rows.eof(); rows.moveNext())
            if (db.columnValue(wine_row::kKeyword).isText())
                ids.push_back(db.columnValue(wine_row::kId).intValue());
    }
    db.closeRecordset();
    return ids;
}

// The window's hits for criteria: the form's statement, and when that finds
// nothing, the first of its tolerant searches that finds rows.
std::vector<int> windowHits(const SearchCriteria& criteria)
{
    buildSearchStatement(criteria, *g_wineDatabase);
    std::vector<int> ids = statementHits();
    for (const TolerantSearch& search : tolerantSearches(criteria, *g_wineDatabase)) {
        if (!ids.empty())
            break;
        g_wineDatabase->setText(search.statement);
        ids = statementHits();
    }
    return ids;
}

struct Choice {
    int check;
    const char* option;
};
static constexpr Choice kChecks[] = {
    {kFullTextCheck, "--fulltext"}, {kRedCheck, "--red"},     {kRoseCheck, "--rose"},
    {kWhiteCheck, "--white"},       {kBrownCheck, "--brown"}, {kDryCheck, "--dry"},
    {kMediumCheck, "--medium"},     {kSweetCheck, "--sweet"}, {kSparklingCheck, "--sparkling"},
    {kVeryGoodCheck, "--especially-good"},
};

class CliSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // A folder per process: CTest runs each test in a process of its own, side by side.
        folder_ = new std::string(VINARIA_TEST_TMP "/CliSearchTest." + std::to_string(getpid()));
        std::filesystem::remove_all(*folder_);
        std::filesystem::create_directories(*folder_);
        guide_ = new std::string(testing_support::buildDatabase(testing_support::sourceDir() + "/data/guide", *folder_));
    }
    static void TearDownTestSuite()
    {
        std::filesystem::remove_all(*folder_);
        delete folder_;
        delete guide_;
    }

    void SetUp() override
    {
        app::createSingletons();
        testing_support::placeProgramIn(*folder_);
        g_wineDatabase->allocateTextBuffer();
        ASSERT_TRUE(g_wineDatabase->open());
        ui::setMessageBoxPresenter([](const ui::MessageBoxRequest&) { return ui::kIdOk; });
    }
    void TearDown() override
    {
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
        g_wineDatabase->close();
        shell::setProgramPathForTesting(u"");
    }

    Outcome program(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"--guide", *guide_});
        return runProgram(args, *folder_);
    }

    // Fills the form with one drawn set of choices and gives the options
    // that say the same.
    std::vector<std::string> fillForm(ui::Dialog& form, std::uint64_t& seed)
    {
        auto below = [&](int n) {
            seed = seed * 6364136223846793005ull + 1442695040888963407ull;
            return static_cast<int>((seed >> 33) % static_cast<std::uint64_t>(n));
        };
        static const char* const terms[] = {"", "", "saint", "Berg", "côte d'", "d'or", "Hawke's", "ch", "e", "zzz",
                                            "riesling", "TOSKANA", "s*t", "l?", "cote d", "Wuerttemberg", "Muller"};
        std::vector<std::string> args{"--search", terms[below(std::size(terms))]};
        form.edit(kKeywordEdit).setText(text::fromUtf8(args[1]));

        ui::ComboBox& countries = form.comboBox(kCountryCombo);
        countries.setCurrentIndex(below(3) == 0 ? below(countries.count()) : -1);
        form.sendCommand(kCountryCombo, ui::kSelectionChanged);
        if (countries.currentText().size() >= 3)
            args.insert(args.end(), {"--country", utf8(countries.currentText())});
        ui::ComboBox& regions = form.comboBox(kRegionCombo);
        regions.setCurrentIndex(below(3) == 0 ? below(regions.count()) : -1);
        if (regions.currentIndex() >= 0)
            args.insert(args.end(), {"--region", utf8(regions.currentText())});

        for (const Choice& c : kChecks) {
            const bool ticked = below(4) == 0;
            form.checkBox(c.check).setChecked(ticked);
            if (ticked)
                args.push_back(c.option);
        }
        const int quality = below(3) == 0 ? below(5) : 0;
        ui::Event scroll;
        scroll.kind = ui::EventKind::HorizontalScroll;
        scroll.controlId = kQualityScroll;
        scroll.code = ui::kThumbPosition;
        scroll.position = quality;
        form.send(scroll);
        args.insert(args.end(), {"--quality", std::to_string(quality)});
        return args;
    }

    static std::string* folder_;
    static std::string* guide_;
};

std::string* CliSearchTest::folder_ = nullptr;
std::string* CliSearchTest::guide_ = nullptr;

TEST_F(CliSearchTest, PrintsTheWindowsHitsInTheWindowsOrderForEveryChoiceOfTheForm)
{
    int withHits = 0, apostrophes = 0, fullText = 0, tolerant = 0;
    ui::setDialogHook([&](ui::Dialog& form) {
        if (form.templateId() != kTemplate)
            return;
        std::uint64_t seed = 18;
        for (int i = 0; i < kCombinations; ++i) {
            const std::vector<std::string> args = fillForm(form, seed);
            const SearchCriteria criteria = SearchForm::readSearchCriteria();
            const std::string statement = utf8(composeSearchStatement(criteria, u"?"));
            const std::vector<int> expected = windowHits(criteria);
            const Outcome run = program(args);
            ASSERT_EQ(run.status, expected.empty() ? 1 : 0) << statement << "\n" << run.err;
            ASSERT_EQ(idsOfLines(run.out), expected) << statement;
            const std::string count = std::to_string(expected.size()) + " Treffer\n";
            EXPECT_EQ(run.err.substr(run.err.size() - std::min(run.err.size(), count.size())), count);
            withHits += !expected.empty();
            tolerant += run.err.find("Keine Treffer f") != std::string::npos;
            apostrophes += args[1].find('\'') != std::string::npos;
            fullText += std::find(args.begin(), args.end(), "--fulltext") != args.end();
        }
        ui::endDialog(form, 1);
    });
    ui::dialogBox(kTemplate, nullptr, SearchForm::dialogProc);
    EXPECT_GT(withHits, kCombinations / 4);
    EXPECT_GT(apostrophes, 0);
    EXPECT_GT(fullText, 0);
    EXPECT_GT(tolerant, 0);
}

TEST_F(CliSearchTest, HitLinesAndJsonCarryTheEntrysNamesColoursAndQuality)
{
    const Outcome lines = program({"--search", "Hawke's", "--fulltext"});
    ASSERT_EQ(lines.status, 0) << lines.err;
    const Outcome json = program({"--search", "Hawke's", "--fulltext", "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    const QJsonArray hits = QJsonDocument::fromJson(QByteArray::fromStdString(json.out)).array();
    const std::vector<int> ids = idsOfLines(lines.out);
    ASSERT_EQ(hits.size(), static_cast<qsizetype>(ids.size()));
    std::istringstream in(lines.out);
    for (const QJsonValue& value : hits) {
        const QJsonObject hit = value.toObject();
        std::string line;
        std::getline(in, line);
        QStringList colours;
        for (const QJsonValue& c : hit[QStringLiteral("farbe")].toArray())
            colours << c.toString();
        const QString expected = QStringList{QString::number(hit[QStringLiteral("id")].toInt()),
                                             hit[QStringLiteral("stichwort")].toString(),
                                             hit[QStringLiteral("region")].toString(),
                                             hit[QStringLiteral("land")].toString(), colours.join(QStringLiteral(", ")),
                                             hit[QStringLiteral("qualitaet")].toString()}
                                     .join(u'\t');
        EXPECT_EQ(QString::fromStdString(line), expected);
        // The code NZL is shown by its name.
        EXPECT_EQ(hit[QStringLiteral("land")].toString(), QStringLiteral("Neuseeland"));
        EXPECT_FALSE(colours.isEmpty());
    }
}

TEST_F(CliSearchTest, OptionsThatDoNotFitGiveTheUsageAndStatusTwo)
{
    const std::vector<std::vector<std::string>> misfits = {
        {"--search", "a", "--show", "3"},   {"--red"},
        {"--search", "a", "--quality", "5"}, {"--search", "a", "--quality", "x"},
        {"--show", "0"},                    {"--show", "12abc"},
        {"--json", "--export-bookmarks", "a.csv"}, {"--skip-unknown", "--list-bookmarks"},
        {"--search", "a", "stray"},         {"--search", "a", "--search", "b"},
        {"--serach", "a"},                  {"--export-bookmarks", ""},
        {"--search"},
    };
    for (const auto& args : misfits) {
        const Outcome run = program(args);
        EXPECT_EQ(run.status, 2) << args[0];
        EXPECT_TRUE(run.out.empty()) << args[0];
        EXPECT_NE(run.err.find("Usage: vinaria"), std::string::npos) << args[0] << run.err;
    }
}

TEST_F(CliSearchTest, AMissingOrDamagedGuideGivesTheErrorReasonAndNoList)
{
    const std::string damaged = *folder_ + "/damaged.cdb";
    std::filesystem::copy_file(*guide_, damaged, std::filesystem::copy_options::overwrite_existing);
    testing_support::damageWineTable(damaged);
    const struct {
        std::string file;
        const char* reason;
    } cases[] = {{*folder_ + "/none.cdb", "Die Datei fehlt."}, {damaged, "Die Datei ist beschädigt."}};
    for (const auto& c : cases) {
        const Outcome run = runProgram({"--guide", c.file, "--search", "", "--red"}, *folder_);
        EXPECT_EQ(run.status, 2) << c.file;
        EXPECT_TRUE(run.out.empty()) << c.file;
        EXPECT_EQ(run.err.rfind("FEHLER: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
        EXPECT_NE(run.err.find(c.file), std::string::npos) << run.err;
    }
}

// In the process itself, so the lock's wait can be made short.
TEST_F(CliSearchTest, ALockedGuideGivesItsReasonAndNoListAndTakesNoImport)
{
    const std::string locked = *folder_ + "/locked.cdb";
    std::filesystem::copy_file(*guide_, locked, std::filesystem::copy_options::overwrite_existing);
    sqlite3* holder = nullptr;
    ASSERT_EQ(sqlite3_open(locked.c_str(), &holder), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(holder, "BEGIN EXCLUSIVE; DELETE FROM Lesezeichen;", nullptr, nullptr, nullptr), SQLITE_OK);
    const int wait = ado::Connection::busyTimeoutMs;
    ado::Connection::busyTimeoutMs = 10;
    const std::string csv = *folder_ + "/one.csv";
    writeFile(csv, "id;Stichwort;Region;Land;Beschreibung;Notiz\n1;;;;a;b\n");
    for (cli::Task task : {cli::Task::Search, cli::Task::ImportBookmarks}) {
        cli::Request request;
        request.task = task;
        request.guideFile = text::fromUtf8(locked);
        request.criteria.red = true;
        request.file = text::fromUtf8(csv);
        char* out = nullptr;
        char* err = nullptr;
        std::size_t outSize = 0, errSize = 0;
        std::FILE* outStream = open_memstream(&out, &outSize);
        std::FILE* errStream = open_memstream(&err, &errSize);
        const int status = cli::runTask(request, {outStream, errStream});
        std::fclose(outStream);
        std::fclose(errStream);
        EXPECT_EQ(status, 2);
        EXPECT_EQ(outSize, 0u);
        EXPECT_NE(std::string(err).find("von einem anderen Programm benutzt"), std::string::npos) << err;
        std::free(out);
        std::free(err);
    }
    ado::Connection::busyTimeoutMs = wait;
    sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(holder);
}

} // namespace
