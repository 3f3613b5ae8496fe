// The program worked from the keyboard: arrows and Enter on the main menu,
// Tab, Enter and Esc in a chapter, and Alt+F4 ending the program.
#include "app/MainMenu.h"
#include "app/Program.h"
#include "app/Singletons.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "resources/dialogs/MainMenuIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "services/PlaceholderDialog.h"

#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

QWidget* focused()
{
    return ui::Screen::instance().window()->focusWidget();
}

// A key pressed while the screen window has the keyboard.
void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* target = focused() ? focused() : ui::Screen::instance().window();
    QKeyEvent press(QEvent::KeyPress, code, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers);
    QApplication::sendEvent(target, &release);
}

// The id of the control that has the focus in the dialog, or 0.
int focusedId(ui::Dialog& dialog)
{
    for (const auto& control : dialog.controls())
        if (control->widget() && (control->widget() == focused() || control->widget()->isAncestorOf(focused())))
            return control->id();
    return 0;
}

class KeyboardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app::createSingletons();
        ui::setMessageBoxPresenter([](const ui::MessageBoxRequest&) { return ui::kIdOk; });
        shell::setBrowserLauncherForTesting([this](std::u16string_view) {
            ++browserStarts;
            return true;
        });
    }
    void TearDown() override
    {
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
        shell::setBrowserLauncherForTesting({});
        app::createSingletons();
    }

    // Runs the program: inMenu acts on the main menu, inChapter on every
    // chapter that opens (which is recorded, and left with Done unless
    // inChapter ended it).
    void run(const std::function<void(ui::Dialog&)>& inMenu, const std::function<void(ui::Dialog&)>& inChapter = {})
    {
        ui::setDialogHook([&](ui::Dialog& d) {
            if (d.templateId() == ids::mainMenu::kTemplate) {
                inMenu(d);
                return;
            }
            opened.push_back(d.templateId());
            if (inChapter)
                inChapter(d);
            if (!d.ended())
                ui::Screen::instance().pressDone();
        });
        EXPECT_EQ(app::run(nullptr), 0);
    }

    std::vector<int> opened;
    int browserStarts = 0;
};

TEST_F(KeyboardTest, ArrowsAndEnterReachEveryRowAndLinkOfTheMainMenu)
{
    using namespace ids::mainMenu;
    std::vector<int> stops;
    run([&](ui::Dialog& menu) {
        for (int i = 0; i < 7; ++i) {
            key(Qt::Key_Down);
            stops.push_back(focusedId(menu));
            key(i % 2 ? Qt::Key_Space : Qt::Key_Return);
        }
        // Round past the end, and back.
        key(Qt::Key_Down);
        EXPECT_EQ(focusedId(menu), kSearchLabel);
        key(Qt::Key_Up);
        EXPECT_EQ(focusedId(menu), kHelpLink);
        key(Qt::Key_Escape);
    });
    const std::vector<int> expectedStops = {kSearchLabel, kVarietiesLabel, kTemperatureLabel, kBookmarksLabel,
                                            kRatgeberLink, kImprintLink, kHelpLink};
    EXPECT_EQ(stops, expectedStops);
    EXPECT_EQ(opened, (std::vector<int>{126, 128, 129, 109, 132, 136}));
    EXPECT_EQ(browserStarts, 1);
    EXPECT_TRUE(app::singletonsGone()) << "Esc on the main menu ends the program";
}

TEST_F(KeyboardTest, TabStaysInTheChapterInFrontAndTheFocusComesBackAfter)
{
    bool strayed = false;
    run(
        [&](ui::Dialog& menu) {
            key(Qt::Key_Down);
            key(Qt::Key_Down);
            ASSERT_EQ(focusedId(menu), ids::mainMenu::kVarietiesLabel);
            key(Qt::Key_Return);
            // Back from the chapter, the row that opened it has the focus.
            EXPECT_EQ(focusedId(menu), ids::mainMenu::kVarietiesLabel);
            key(Qt::Key_Escape);
        },
        [&](ui::Dialog& chapter) {
            for (int i = 0; i < 20; ++i) {
                key(Qt::Key_Tab);
                strayed = strayed || !chapter.widget()->isAncestorOf(focused());
            }
            key(Qt::Key_Escape);
            EXPECT_TRUE(chapter.ended());
        });
    EXPECT_FALSE(strayed);
    EXPECT_EQ(opened, std::vector<int>{128});
}

TEST_F(KeyboardTest, AltF4AndClosingTheWindowEndEveryDialogAndTheProgram)
{
    run([&](ui::Dialog& menu) { menu.sendCommand(ids::mainMenu::kImprintLink); },
        [&](ui::Dialog&) { key(Qt::Key_F4, Qt::AltModifier); });
    EXPECT_EQ(opened, std::vector<int>{132});
    EXPECT_TRUE(app::singletonsGone());
}

// The search form's template, with a procedure that records its commands.
TEST(ChapterKeyboard, TabWalksTemplateOrderEnterPressesFocusedButtonsEscIsDone)
{
    using namespace ids::search;
    std::vector<int> commands;
    std::intptr_t result = 0;
    ui::setDialogHook([&](ui::Dialog& d) {
        std::vector<int> tabbed;
        for (int i = 0; i < 3; ++i) {
            key(Qt::Key_Tab);
            tabbed.push_back(focusedId(d));
        }
        EXPECT_EQ(tabbed, (std::vector<int>{kStartButton, kFullTextCheck, kKeywordEdit}));
        key(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(focusedId(d), kFullTextCheck);
        // Enter on a check box moves on and leaves it alone; Space ticks it.
        key(Qt::Key_Return);
        EXPECT_FALSE(d.checkBox(kFullTextCheck).isChecked());
        EXPECT_EQ(focusedId(d), kKeywordEdit);
        key(Qt::Key_Tab, Qt::ShiftModifier);
        key(Qt::Key_Space);
        EXPECT_TRUE(d.checkBox(kFullTextCheck).isChecked());
        // Enter in the keyword field moves on to the country list; the form
        // names no default button, so nothing is pressed.
        key(Qt::Key_Tab);
        EXPECT_EQ(focusedId(d), kKeywordEdit);
        key(Qt::Key_Return);
        EXPECT_EQ(focusedId(d), kCountryCombo);
        // Shift+Tab from the first control wraps round to the last one.
        d.control(kStartButton).setFocus();
        key(Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_NE(focusedId(d), 0);
        EXPECT_NE(focusedId(d), kStartButton);
        key(Qt::Key_Escape);
    });
    result = ui::dialogBox(kTemplate, nullptr, [&](ui::Dialog& d, const ui::Event& e) -> std::intptr_t {
        if (e.kind == ui::EventKind::Command && e.code == ui::kClicked && e.controlId != ui::kIdOk)
            commands.push_back(e.controlId);
        return placeholderChapterProc(d, e);
    });
    ui::setDialogHook({});
    EXPECT_EQ(commands, (std::vector<int>{kFullTextCheck}));
    EXPECT_EQ(result, 1) << "Esc is the Done button";
}

} // namespace
