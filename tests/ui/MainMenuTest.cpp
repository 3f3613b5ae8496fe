// The main menu: rows, links, the database message, the Ratgeber path and
// the end of the program; and a journey through every chapter.
#include "app/MainMenu.h"
#include "resources/dialogs/MainMenuIds.h"
#include "app/Program.h"
#include "app/Singletons.h"
#include "platform/shell/ProgramPath.h"
#include "platform/shell/Shell.h"
#include "platform/text/Utf16.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "tests/support/GuideFixture.h"
#include "tests/ui/UiTestSupport.h"

#include <algorithm>

#include <QPainter>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using testing_support::utf8;

class MainMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = testing_support::freshFolder();
        app::createSingletons();
        ui::setMessageBoxPresenter([this](const ui::MessageBoxRequest& r) {
            messages.push_back(r);
            return ui::kIdOk;
        });
        shell::setBrowserLauncherForTesting([this](std::u16string_view path) {
            browserPaths.emplace_back(path);
            return true;
        });
    }
    void TearDown() override
    {
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
        shell::setBrowserLauncherForTesting({});
        shell::setBrowserProgramForTesting("");
        shell::setBrowserFailedHandler({});
        shell::setProgramPathForTesting(u"");
        app::createSingletons();
    }

    long notices() const
    {
        return std::count_if(messages.begin(), messages.end(), [](const auto& m) { return m.caption == u"HINWEIS"; });
    }

    void withDatabase()
    {
        testing_support::buildDatabase(testing_support::fixtureSources(), folder);
        testing_support::placeProgramIn(folder);
    }

    // Runs the program; inMenu acts on the main menu, and every chapter that
    // opens is recorded and closed with Done at once.
    void run(const std::function<void(ui::Dialog&)>& inMenu)
    {
        ui::setDialogHook([this, inMenu](ui::Dialog& d) {
            if (d.templateId() == ids::mainMenu::kTemplate) {
                inMenu(d);
                return;
            }
            opened.push_back(d.templateId());
            bufferAtOpen.push_back(g_wineDatabase->textBuffer ? std::u16string(g_wineDatabase->textBuffer) : u"(none)");
            ui::Screen::instance().pressDone();
        });
        EXPECT_EQ(app::run(nullptr), 0);
    }

    std::string folder;
    std::vector<ui::MessageBoxRequest> messages;
    std::vector<std::u16string> browserPaths;
    std::vector<int> opened;
    std::vector<std::u16string> bufferAtOpen;
};

struct Row {
    int picture;
    int label;
    int button;
    int chapter;
};

const Row kRows[] = {
    {1005, 1007, 1006, 126},
    {1051, 1008, 1048, 128},
    {1052, 1009, 1049, 129},
    {1053, 1010, 1050, 109},
};

TEST_F(MainMenuTest, PictureLabelAndEmptyPartOfARowOpenItsChapter)
{
    withDatabase();
    std::vector<int> expected;
    run([&](ui::Dialog& menu) {
        for (const Row& row : kRows) {
            const QPoint picture = ui_testing::centreOf(menu, row.picture);
            const QPoint label = ui_testing::centreOf(menu, row.label);
            const ui::Rect area = menu.control(row.button).rect();
            ui_testing::tapAt(menu, picture.x(), picture.y());
            ui_testing::tapAt(menu, label.x(), label.y());
            ui_testing::tapAt(menu, area.right() - 4, area.y + area.height / 2);
            expected.insert(expected.end(), 3, row.chapter);
        }
        // The footer links.
        for (int id : {1023, 1025}) {
            const QPoint link = ui_testing::centreOf(menu, id);
            ui_testing::tapAt(menu, link.x(), link.y());
        }
        expected.push_back(132);
        expected.push_back(136);
        menu.sendCommand(ui::kIdOk);
    });
    EXPECT_EQ(opened, expected);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainMenuTest, CommandWithANonZeroCodeOpensNothing)
{
    withDatabase();
    run([&](ui::Dialog& menu) {
        for (int id : {1005, 1006, 1007, 1010, 1023, 1025, 1026})
            menu.sendCommand(id, ui::kSelectionChanged);
        menu.sendCommand(1000);  // the heading is no command
        menu.sendCommand(4711);
        menu.sendCommand(ui::kIdOk);
    });
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(browserPaths.empty());
}

TEST_F(MainMenuTest, LesezeichenOpensTheResultsWithAnEmptyTextBuffer)
{
    withDatabase();
    run([&](ui::Dialog& menu) {
        g_wineDatabase->setText(u"SELECT * FROM vinaria WHERE (Rot > 0) ORDER by STICHWORT");
        const QPoint label = ui_testing::centreOf(menu, 1010);
        ui_testing::tapAt(menu, label.x(), label.y());
        g_wineDatabase->setText(u"SELECT 1");
        menu.sendCommand(1053);
        menu.sendCommand(ui::kIdOk);
    });
    EXPECT_EQ(opened, (std::vector<int>{109, 109}));
    // The emptied buffer made the dialog list the bookmarks, not run the search.
    EXPECT_EQ(bufferAtOpen, (std::vector<std::u16string>{u"SELECT * from Lesezeichen", u"SELECT * from Lesezeichen"}));
}

TEST_F(MainMenuTest, MissingDatabaseIsReportedOnceAndTheMenuStaysUsable)
{
    testing_support::placeProgramIn(folder); // an empty folder
    run([&](ui::Dialog& menu) {
        EXPECT_EQ(messages.size(), 1u);
        menu.sendCommand(1008);
        menu.sendCommand(1010);
        menu.sendCommand(ui::kIdOk);
    });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, u"FEHLER");
    EXPECT_EQ(messages[0].flags, ui::mb::kIconInformation | ui::mb::kOk);
    // The message says which file is missing and how to get a guide back.
    const std::u16string& text = messages[0].text;
    EXPECT_EQ(text.rfind(u"Die Datenbank kann nicht ge\u00f6ffnet werden. \n\rDie Datei fehlt.", 0), 0u) << utf8(text);
    EXPECT_NE(text.find(text::fromUtf8(folder + "/vinaria2007_db.cdb")), std::u16string::npos) << utf8(text);
    EXPECT_NE(text.find(u"neu"), std::u16string::npos) << utf8(text);
    EXPECT_EQ(opened, (std::vector<int>{128, 109}));
}

TEST_F(MainMenuTest, ADamagedGuideIsReportedOnceTheMenuIsOnTheScreen)
{
    testing_support::damageWineTable(testing_support::buildDatabase(testing_support::wordyGuide(), folder));
    testing_support::placeProgramIn(folder);
    run([&](ui::Dialog& menu) {
        // Nothing is said before the menu has been painted.
        EXPECT_TRUE(messages.empty());
        menu.widget()->window()->grab(); // paints the whole window once
        QCoreApplication::processEvents();
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_EQ(g_wineDatabase->lastFailure().reason, GuideFailure::Damaged);
        menu.sendCommand(ui::kIdOk);
    });
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, u"FEHLER");
}

TEST_F(MainMenuTest, RatgeberOpensTheGuideBesideTheProgram)
{
    shell::setProgramPathForTesting(u"\\Programme\\Wein\\app.exe");
    run([&](ui::Dialog& menu) {
        menu.sendCommand(1026);
        shell::setProgramPathForTesting(u"/opt/vinaria/vinaria");
        const QPoint link = ui_testing::centreOf(menu, 1026);
        ui_testing::tapAt(menu, link.x(), link.y());
        menu.sendCommand(ui::kIdOk);
    });
    EXPECT_EQ(browserPaths, (std::vector<std::u16string>{u"\\Programme\\Wein\\ratgeber\\0100.htm", u"/opt/vinaria/ratgeber/0100.htm"}));
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(notices(), 0);
}

TEST_F(MainMenuTest, ARatgeberTheDesktopCannotOpenIsReportedWithItsAddress)
{
    shell::setProgramPathForTesting(u"/opt/vinaria/vinaria");
    shell::setBrowserLauncherForTesting([](std::u16string_view) { return false; });
    run([&](ui::Dialog& menu) {
        menu.sendCommand(1026);
        menu.sendCommand(ui::kIdOk);
    });
    ASSERT_EQ(notices(), 1);
    const ui::MessageBoxRequest& notice = messages.back();
    EXPECT_NE(notice.text.find(u"konnte nicht ge\u00f6ffnet werden"), std::u16string::npos);
    EXPECT_TRUE(notice.text.ends_with(u"/opt/vinaria/ratgeber/0100.htm"));
    EXPECT_EQ(notice.flags & ui::mb::kButtonMask, ui::mb::kOk);
}

TEST_F(MainMenuTest, ALauncherThatStartsButFindsNoBrowserIsReportedToo)
{
    // Failures of launchers started by earlier tests are delivered before ours.
    shell::waitForBrowserLaunchesForTesting();
    QCoreApplication::processEvents();
    shell::setProgramPathForTesting(u"/opt/vinaria/vinaria");
    // A launcher that starts and ends in failure, as xdg-open does without a browser.
    shell::setBrowserLauncherForTesting({});
    shell::setBrowserProgramForTesting("false");
    run([&](ui::Dialog& menu) {
        menu.sendCommand(1026);
        EXPECT_EQ(notices(), 0);
        shell::waitForBrowserLaunchesForTesting();
        QCoreApplication::processEvents();
        menu.sendCommand(ui::kIdOk);
    });
    ASSERT_EQ(notices(), 1);
    EXPECT_TRUE(messages.back().text.ends_with(u"/opt/vinaria/ratgeber/0100.htm"));
}

TEST_F(MainMenuTest, MenuSetsUpFontsPanelAndOwnerDrawnRows)
{
    withDatabase();
    run([&](ui::Dialog& menu) {
        EXPECT_EQ(g_appState->mainWindow, &menu);
        ASSERT_NE(g_wineDatabase->textBuffer, nullptr);
        EXPECT_TRUE(menu.control(1007).widget()->font().bold());
        EXPECT_FALSE(menu.control(1026).widget()->font().bold());
        EXPECT_FALSE(shell::isWindowShown(shell::findWindow(shell::kInputPanelClass)));
        EXPECT_TRUE(shell::isWindowShown(shell::findWindow(shell::kInputPanelButtonClass)));
        EXPECT_TRUE(menu.hasDoneButton());
        EXPECT_EQ(ui::Screen::instance().window()->windowTitle(), QStringLiteral("Vinaria - Weinführer"));
        // The four row buttons are filled white without an outline; other
        // controls are left to the window system.
        for (int id : {1006, 1048, 1049, 1050, 1007, 1023}) {
            QImage image(40, 20, QImage::Format_RGB32);
            image.fill(Qt::black);
            std::intptr_t answer = 0;
            {
                QPainter painter(&image);
                ui::DrawContext dc(painter);
                ui::Event e;
                e.kind = ui::EventKind::DrawItem;
                e.controlId = id;
                e.dc = &dc;
                e.rect = ui::Rect{0, 0, 40, 20};
                answer = menu.send(e);
            }
            const bool row = id != 1007 && id != 1023;
            EXPECT_EQ(answer, row ? 1 : 0) << id;
            EXPECT_EQ(image.pixelColor(0, 0), row ? QColor(Qt::white) : QColor(Qt::black)) << id;
            EXPECT_EQ(image.pixelColor(39, 19), row ? QColor(Qt::white) : QColor(Qt::black)) << id;
        }
        menu.sendCommand(ui::kIdOk);
    });
}

TEST_F(MainMenuTest, DoneEndsTheProgramAndReleasesEverything)
{
    withDatabase();
    run([&](ui::Dialog& menu) {
        ui::Screen::instance().pressDone();
        EXPECT_TRUE(menu.ended());
    });
    EXPECT_FALSE(shell::isWindowShown(shell::findWindow(shell::kInputPanelClass)));
    EXPECT_FALSE(shell::isWindowShown(shell::findWindow(shell::kInputPanelButtonClass)));
    EXPECT_TRUE(app::singletonsGone());
    EXPECT_TRUE(ui::Screen::instance().stack().empty());
}

// Start, open every chapter from the menu, Done back each time, Done ends.
TEST_F(MainMenuTest, JourneyThroughEveryChapter)
{
    withDatabase();
    std::vector<std::vector<int>> stacks;
    ui::setDialogHook([&](ui::Dialog& d) {
        if (d.templateId() != ids::mainMenu::kTemplate) {
            stacks.push_back(ui::Screen::instance().templateStack());
            EXPECT_TRUE(d.hasDoneButton());
            // Inside the help menu, one page and back; the chart's scroll runs a while.
            if (d.templateId() == 136)
                d.sendCommand(1036);
            if (d.templateId() == 129)
                for (int tick = 0; tick < 25 && d.hasTimer(1); ++tick)
                    d.fireTimer(1);
            ui::Screen::instance().pressDone();
            return;
        }
        for (int id : {1007, 1008, 1009, 1010, 1023, 1025}) {
            const QPoint p = ui_testing::centreOf(d, id);
            ui_testing::tapAt(d, p.x(), p.y());
            EXPECT_EQ(ui::Screen::instance().top(), &d);
            EXPECT_EQ(ui::Screen::instance().window()->windowTitle(), QStringLiteral("Vinaria - Weinführer"));
        }
        ui::Screen::instance().pressDone();
    });
    EXPECT_EQ(app::run(nullptr), 0);
    EXPECT_EQ(stacks, (std::vector<std::vector<int>>{{102, 126}, {102, 128}, {102, 129}, {102, 109}, {102, 132}, {102, 136}, {102, 136, 137}}));
    EXPECT_TRUE(app::singletonsGone());
}

} // namespace
