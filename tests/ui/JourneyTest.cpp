// A user's way through the program: a search from the main menu, an entry
// read on its tabs, a bookmark with a note saved, the bookmark list, and the
// bookmark still there when the program runs again in a new process.
#include "app/Program.h"
#include "app/Singletons.h"
#include "platform/shell/ProgramPath.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "resources/dialogs/MainMenuIds.h"
#include "resources/dialogs/ResultsIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "search/SearchAnimation.h"
#include "tests/support/GuideFixture.h"
#include "tests/ui/ResultsFixture.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <functional>

using namespace results_testing;
using Lines = std::vector<std::u16string>;

namespace {

// The folder of the guide the second run opens; set only for that run.
constexpr char kSecondRunFolder[] = "VINARIA_JOURNEY_FOLDER";

guide::GuideContent rieslingGuide()
{
    guide::GuideContent c = smallGuide();
    c.wines = {
        wine(1, u"Riesling Spätlese", u"DEU", u"Mosel", "w"),
        wine(2, u"Riesling Sekt", u"DEU", u"Mosel", "wo"),
        wine(3, u"Riesling Grand Cru", u"FRA", u"Bordeaux", "w"),
        wine(4, u"Spätburgunder", u"DEU", u"Mosel", "r"),
    };
    return c;
}

class JourneyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app::createSingletons();
        ui::setMessageBoxPresenter([this](const ui::MessageBoxRequest& r) {
            messages.push_back(r.caption + u": " + r.text);
            return ui::kIdOk;
        });
    }
    void TearDown() override
    {
        joinSearchAnimation();
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
        shell::setProgramPathForTesting(u"");
        app::createSingletons();
    }

    // Runs the program; each dialog that opens is handed to the step for its template.
    void runProgram(const std::function<void(ui::Dialog&)>& onMenu, const std::function<void(ui::Dialog&)>& onForm,
                    const std::function<void(ui::Dialog&)>& onResults)
    {
        ui::setDialogHook([&](ui::Dialog& d) {
            switch (d.templateId()) {
            case ids::mainMenu::kTemplate: onMenu(d); break;
            case ids::search::kTemplate: onForm(d); break;
            case ids::results::kTemplate: onResults(d); break;
            default: ui::Screen::instance().pressDone(); break;
            }
        });
        EXPECT_EQ(app::run(nullptr), 0);
    }

    static void showBookmarkList(ui::Dialog& menu, Lines& listed)
    {
        ui::setDialogHook([&](ui::Dialog& results) {
            listed = treeLines(results);
            ui::Screen::instance().pressDone();
        });
        menu.sendCommand(ids::mainMenu::kBookmarksRow);
    }

    Lines messages;
};

} // namespace

TEST_F(JourneyTest, ABookmarkMadeFromASearchIsListedAndOutlivesTheProgram)
{
    const std::string folder = testing_support::freshFolder();
    testing_support::buildDatabase(rieslingGuide(), folder);
    testing_support::placeProgramIn(folder);

    Lines hits, listed;
    std::u16string vintages;
    runProgram(
        [&](ui::Dialog& menu) {
            menu.sendCommand(ids::mainMenu::kSearchRow);
            showBookmarkList(menu, listed);
            menu.sendCommand(ui::kIdOk);
        },
        [&](ui::Dialog& form) {
            using namespace ids::search;
            ui::ComboBox& countries = form.comboBox(kCountryCombo);
            countries.setCurrentIndex(countries.findExact(u"Deutschland"));
            form.sendCommand(kCountryCombo, ui::kSelectionChanged);
            form.checkBox(kWhiteCheck).setChecked(true);
            form.edit(kKeywordEdit).setText(u"Riesling");
            form.sendCommand(kStartButton);
            ui::Screen::instance().pressDone();
        },
        [&](ui::Dialog& results) {
            using namespace ids::results;
            hits = treeLines(results);
            ui::TreeView& tree = results.treeView(kTree);
            tree.selectItem(tree.child(tree.child(nullptr, 0), 0));
            selectTab(results, 1);
            vintages = results.edit(kVintageEdit).text();
            selectTab(results, 2);
            clickBookmarkCheck(results);
            results.edit(kNoteEdit).setText(u"Zum Spargel");
            results.sendCommand(kSaveButton);
            ui::Screen::instance().pressDone();
        });

    // White only: the rosé node of the sparkling Riesling is gone, the French one never came.
    EXPECT_EQ(hits, (Lines{u"Weiß", u"Weiß/Riesling Sekt, Mosel", u"Weiß/Riesling Spätlese, Mosel"}));
    EXPECT_NE(vintages.find(u"03,04"), std::u16string::npos);
    EXPECT_EQ(messages, Lines{u"HINWEIS: Das Lesezeichen wurde gespeichert."});
    EXPECT_EQ(listed, (Lines{u"Lesezeichen", u"Lesezeichen/Riesling Sekt"}));

    // The program again, in a process of its own, on the same file.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kSecondRunFolder), QString::fromStdString(folder));
    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=JourneyTest.SecondRunListsTheBookmark")});
    ASSERT_TRUE(second.waitForFinished(60000));
    const QString output = QString::fromLocal8Bit(second.readAllStandardOutput());
    EXPECT_EQ(second.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}

// Runs only as the second process of the journey above.
TEST_F(JourneyTest, SecondRunListsTheBookmark)
{
    const QByteArray folder = qgetenv(kSecondRunFolder);
    if (folder.isEmpty())
        GTEST_SKIP() << "part of the journey test";
    testing_support::placeProgramIn(folder.toStdString());
    Lines listed;
    std::u16string note;
    runProgram(
        [&](ui::Dialog& menu) {
            ui::setDialogHook([&](ui::Dialog& results) {
                listed = treeLines(results);
                ui::TreeView& tree = results.treeView(ids::results::kTree);
                tree.selectItem(tree.child(tree.child(nullptr, 0), 0));
                note = results.edit(ids::results::kNoteEdit).text();
                ui::Screen::instance().pressDone();
            });
            menu.sendCommand(ids::mainMenu::kBookmarksRow);
            menu.sendCommand(ui::kIdOk);
        },
        [](ui::Dialog&) {}, [](ui::Dialog&) {});
    EXPECT_EQ(listed, (Lines{u"Lesezeichen", u"Lesezeichen/Riesling Sekt"}));
    EXPECT_EQ(note, u"Zum Spargel");
}
