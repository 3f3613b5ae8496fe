// Support of the results dialog tests.
#include "tests/ui/ResultsFixture.h"

#include "app/Singletons.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "resources/dialogs/ResultsIds.h"
#include "results/ResultsDialog.h"
#include "results/ResultsDialogState.h"
#include "search/QueryBuilder.h"
#include "services/Singletons.h"
#include "tests/support/GuideFixture.h"

#include <QTabBar>

#include <sqlite3.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace results_testing {

guide::Wine wine(int id, std::u16string keyword, std::u16string country, std::u16string region,
                 std::string_view colours)
{
    guide::Wine w;
    w.id = id;
    w.keyword = std::move(keyword);
    w.country = std::move(country);
    w.region = std::move(region);
    w.red = colours.find('r') != std::string_view::npos;
    w.rose = colours.find('o') != std::string_view::npos;
    w.white = colours.find('w') != std::string_view::npos;
    w.brown = colours.find('b') != std::string_view::npos;
    w.dry = true;
    w.quality1 = 3;
    w.vintages[0] = u"\x67\x68"; // 2003, 2004
    w.text = u"Ein Wein zum Testen.";
    return w;
}

guide::GuideContent smallGuide()
{
    guide::GuideContent c;
    c.countries = {{u"DEU", u"Deutschland"}, {u"FRA", u"Frankreich"}, {u"ITA", u"Italien"}};
    c.regions = {{u"DEU", u"Mosel"}, {u"FRA", u"Bordeaux"}, {u"ITA", u"Toskana"}};
    return c;
}

void ResultsTest::SetUp()
{
    app::createSingletons();
    folder = testing_support::freshFolder();
    ui::setMessageBoxPresenter([this](const ui::MessageBoxRequest& r) {
        messages.push_back(r);
        if ((r.flags & ui::mb::kButtonMask) != ui::mb::kYesNo)
            return ui::kIdOk;
        if (answers.empty())
            return ui::kIdYes;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    });
}

void ResultsTest::TearDown()
{
    ui::setDialogHook({});
    ui::setMessageBoxPresenter({});
    g_searchFormState->dialog = nullptr;
    g_wineDatabase->statementObserver = {};
    g_wineDatabase->close();
    shell::setProgramPathForTesting(u"");
}

void ResultsTest::openGuide(const guide::GuideContent& content)
{
    databasePath = testing_support::buildDatabase(content, folder);
    openBuiltGuide();
}

void ResultsTest::openBuiltGuide()
{
    testing_support::placeProgramIn(fs::path(databasePath).parent_path().string());
    g_wineDatabase->allocateTextBuffer();
    ASSERT_TRUE(g_wineDatabase->open());
    g_wineDatabase->statementObserver = [this](std::u16string_view sql) { statements.emplace_back(sql); };
}

void ResultsTest::openRedPomerolAndChianti()
{
    guide::GuideContent c = smallGuide();
    c.wines = {wine(7, u"Pomerol", u"FRA", u"Bordeaux", "r"), wine(8, u"Chianti", u"ITA", u"Toskana", "r")};
    openGuide(c);
    SearchCriteria red;
    red.red = true;
    search(red);
}

void ResultsTest::search(const SearchCriteria& criteria)
{
    buildSearchStatement(criteria, *g_wineDatabase);
    statements.clear();
}

void ResultsTest::bookmarkList()
{
    g_wineDatabase->textBuffer[0] = u'\0';
}

std::intptr_t ResultsTest::openResults(const std::function<void(ui::Dialog&)>& act)
{
    ui::setDialogHook([&](ui::Dialog& d) {
        if (d.templateId() != ids::results::kTemplate)
            return;
        if (act)
            act(d);
        if (!d.ended())
            d.sendCommand(ui::kIdOk);
    });
    const std::intptr_t result = ui::dialogBox(ids::results::kTemplate, nullptr, resultsDialogProc, 0);
    ui::setDialogHook({});
    return result;
}

std::vector<std::u16string> treeLines(ui::Dialog& dialog)
{
    ui::TreeView& tree = dialog.treeView(ids::results::kTree);
    std::vector<std::u16string> lines;
    for (int i = 0; i < tree.childCount(nullptr); ++i) {
        ui::TreeItem node = tree.child(nullptr, i);
        lines.push_back(tree.itemText(node));
        for (int j = 0; j < tree.childCount(node); ++j)
            lines.push_back(tree.itemText(node) + u"/" + tree.itemText(tree.child(node, j)));
    }
    return lines;
}

void selectItem(ui::Dialog& dialog, std::u16string_view text)
{
    ui::TreeView& tree = dialog.treeView(ids::results::kTree);
    for (int i = 0; i < tree.childCount(nullptr); ++i) {
        ui::TreeItem node = tree.child(nullptr, i);
        if (tree.itemText(node) == text) {
            tree.selectItem(node);
            return;
        }
        for (int j = 0; j < tree.childCount(node); ++j) {
            ui::TreeItem item = tree.child(node, j);
            if (tree.itemText(item).starts_with(text)) {
                tree.selectItem(item);
                return;
            }
        }
    }
    ADD_FAILURE() << "no tree item " << utf8(text);
}

void selectTab(ui::Dialog& dialog, int tab)
{
    // The tab bar reports the change as a user's tap does.
    auto* bar = qobject_cast<QTabBar*>(dialog.tabControl(ids::results::kTabs).widget());
    ASSERT_NE(bar, nullptr);
    bar->setCurrentIndex(tab);
}

void clickBookmarkCheck(ui::Dialog& dialog)
{
    dialog.checkBox(ids::results::kBookmarkCheck).click();
}

void ResultsTest::showOnBookmarkTab(ui::Dialog& dialog, std::u16string_view entry)
{
    selectItem(dialog, entry);
    selectTab(dialog, 2);
}

void ResultsTest::type(ui::Dialog& dialog, std::u16string_view description, std::u16string_view note)
{
    dialog.edit(ids::results::kDescriptionEdit).setText(description);
    dialog.edit(ids::results::kNoteEdit).setText(note);
}

void ResultsTest::save(ui::Dialog& dialog)
{
    dialog.sendCommand(ids::results::kSaveButton);
}

bool ResultsTest::checked(ui::Dialog& dialog)
{
    return dialog.checkBox(ids::results::kBookmarkCheck).isChecked();
}

bool ResultsTest::saveShown(ui::Dialog& dialog)
{
    return dialog.control(ids::results::kSaveButton).isVisible();
}

bool ResultsTest::bookmarkedFlag()
{
    return g_resultsDialogState->bookmarked;
}

std::vector<std::u16string> ResultsTest::messageTexts()
{
    std::vector<std::u16string> texts;
    for (const auto& m : messages)
        texts.push_back(m.caption + u": " + m.text);
    messages.clear();
    return texts;
}

std::vector<std::u16string> ResultsTest::takeStatements()
{
    std::vector<std::u16string> taken;
    taken.swap(statements);
    return taken;
}

std::vector<std::u16string> ResultsTest::storedBookmarks()
{
    std::vector<std::u16string> rows;
    sqlite3* db = nullptr;
    sqlite3_open_v2(databasePath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, "SELECT id_vinaria, Beschreibung, Notiz FROM Lesezeichen ORDER BY id_vinaria", -1, &stmt,
                       nullptr);
    while (stmt && sqlite3_step(stmt) == SQLITE_ROW) {
        auto column = [&](int i) {
            const auto* t = sqlite3_column_text(stmt, i);
            return text::fromUtf8(t ? reinterpret_cast<const char*>(t) : "<null>");
        };
        rows.push_back(column(0) + u"|" + column(1) + u"|" + column(2));
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return rows;
}

void ResultsTest::runOnGuide(const std::string& sql)
{
    runOn(databasePath, sql);
}

void ResultsTest::runOn(const std::string& path, const std::string& sql)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error), SQLITE_OK) << (error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
}

std::string utf8(std::u16string_view text)
{
    return text::toUtf8(text);
}

} // namespace results_testing
