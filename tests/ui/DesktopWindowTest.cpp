// The window on a desktop: its size fixed to the screen, growing below it by
// the on-screen keyboard's height while the keyboard is up; the zoom keys
// and their limits; Return in a one-line field moving on instead of
// pressing a button; a focus mark on every control, every changeable control
// in the Tab order, no maximise button, and the window put back after the
// keyboard.
#include "platform/shell/InputPanel.h"
#include "platform/shell/Shell.h"
#include "platform/ui/ControlSupport.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Zoom.h"
#include "resources/dialogs/ResultsIds.h"
#include "services/ShellServices.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

QWidget* window()
{
    return ui::Screen::instance().window();
}

void key(QWidget* target, int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, code, modifiers);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, code, modifiers);
    QApplication::sendEvent(target, &release);
}

// Runs a dialog from template text; inside acts on it, then it ends.
void withDialog(const char* json, const std::function<void(ui::Dialog&)>& inside, std::vector<int>* commands = nullptr)
{
    ui::setDialogHook([&](ui::Dialog& d) {
        inside(d);
        ui::endDialog(d, 1);
    });
    ui::dialogBox(*ui::parseTemplate(json), nullptr, [&](ui::Dialog&, const ui::Event& e) -> std::intptr_t {
        if (commands && e.kind == ui::EventKind::Command && e.code == ui::kClicked)
            commands->push_back(e.controlId);
        return 0;
    });
    ui::setDialogHook({});
}

TEST(DesktopWindow, TheKeyboardOpensBelowTheScreenAndTheWindowGrowsAndShrinksBack)
{
    ShellServices services;
    services.setInputPanel(false, true);
    ASSERT_EQ(window()->size(), QSize(ui::Screen::kWidth, ui::Screen::kHeight));
    const ui::Rect area = ui::Screen::instance().dialogAreaRect();
    QWidget* panel = shell::findWindow(shell::kInputPanelClass);

    services.setInputPanel(true, true);
    EXPECT_EQ(window()->size(), QSize(ui::Screen::kWidth, ui::Screen::kHeight + shell::InputPanel::kHeight));
    EXPECT_EQ(panel->geometry(), QRect(0, ui::Screen::kHeight, ui::Screen::kWidth, shell::InputPanel::kHeight));
    EXPECT_EQ(ui::Screen::instance().dialogAreaRect(), area) << "the screen itself stays whole";
    EXPECT_EQ(ui::Screen::instance().menuBar()->geometry().bottom() + 1, ui::Screen::kHeight);

    services.setInputPanel(false, true);
    EXPECT_EQ(window()->size(), QSize(ui::Screen::kWidth, ui::Screen::kHeight));
    // The panel's own button too.
    qobject_cast<QAbstractButton*>(shell::findWindow(shell::kInputPanelButtonClass))->click();
    EXPECT_EQ(window()->height(), ui::Screen::kHeight + shell::InputPanel::kHeight);
    services.setInputPanel(false, true);
    EXPECT_EQ(window()->height(), ui::Screen::kHeight);
}

TEST(DesktopWindow, KeepsItsSizeWhateverTheWindowManagerAsks)
{
    ShellServices services;
    services.setInputPanel(false, true);
    for (const QSize asked : {QSize(1280, 1024), QSize(1, 1), QSize(0, 0), QSize(240, 10)}) {
        window()->resize(asked);
        EXPECT_EQ(window()->size(), QSize(ui::Screen::kWidth, ui::Screen::kHeight));
    }
    EXPECT_EQ(window()->minimumSize(), window()->maximumSize());
}

TEST(Zoom, KeysStepByHalvesBetweenOneAndTheLargestThatFits)
{
    EXPECT_DOUBLE_EQ(ui::zoomedIn(1.0, 2.5), 1.5);
    EXPECT_DOUBLE_EQ(ui::zoomedIn(2.0, 2.5), 2.5);
    EXPECT_DOUBLE_EQ(ui::zoomedIn(2.5, 2.5), 2.5) << "at the limit nothing changes";
    EXPECT_DOUBLE_EQ(ui::zoomedIn(1.75, 3.0), 2.0) << "a zoom between steps goes to the next step";
    EXPECT_DOUBLE_EQ(ui::zoomedIn(4.0, 2.5), 4.0) << "above the limit only down";
    EXPECT_DOUBLE_EQ(ui::zoomedOut(2.5), 2.0);
    EXPECT_DOUBLE_EQ(ui::zoomedOut(1.75), 1.5);
    EXPECT_DOUBLE_EQ(ui::zoomedOut(1.0), 1.0);
    EXPECT_DOUBLE_EQ(ui::zoomedOut(1.25), 1.0);
}

// The offscreen desktop is 800 x 800: with the room the keyboard takes below
// the screen, 1.5 is the largest zoom that fits (2 would need 800 pixels).
TEST(Zoom, CtrlPlusMinusAndZeroRedrawTheScreenAtTheNewZoom)
{
    ASSERT_DOUBLE_EQ(ui::currentZoom(), 1.0);
    ASSERT_DOUBLE_EQ(ui::Screen::instance().largestZoom(), 1.5);
    std::vector<double> zooms;
    std::vector<double> ratios;
    withDialog(R"({"id": 904, "rect": [0, 0, 150, 150],
      "controls": [{"id": 1, "kind": "edit", "rect": [4, 4, 100, 12], "style": ["border"]}]})",
               [&](ui::Dialog& d) {
                   d.edit(1).setFocus();
                   QWidget* field = d.edit(1).widget();
                   for (int k : {Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Plus, Qt::Key_Minus, Qt::Key_Minus, Qt::Key_Minus, Qt::Key_0}) {
                       key(field, k, Qt::ControlModifier);
                       zooms.push_back(ui::currentZoom());
                       ratios.push_back(window()->devicePixelRatioF());
                   }
                   EXPECT_EQ(window()->size(), QSize(ui::Screen::kWidth, ui::Screen::kHeight));
                   EXPECT_EQ(window()->focusWidget(), field) << "the focus stays in the field";
                   EXPECT_EQ(d.edit(1).text(), u"") << "the keys type nothing";
                   EXPECT_TRUE(d.widget()->isVisible());
               });
    EXPECT_EQ(zooms, (std::vector<double>{1.5, 1.5, 1.5, 1.0, 1.0, 1.0, 1.5}));
    EXPECT_EQ(ratios, zooms) << "the window is drawn at the new zoom";
    ui::Screen::instance().setZoom(1.0);
    EXPECT_DOUBLE_EQ(window()->devicePixelRatioF(), 1.0);
}

TEST(ReturnKey, InAOneLineFieldMovesOnAndNeverPressesSave)
{
    using namespace ids::results;
    std::vector<int> commands;
    ui::setDialogHook([&](ui::Dialog& d) {
        for (int id : {kDescriptionEdit, kNoteEdit, kBookmarkCheck, kSaveButton})
            d.control(id).show(true);
        d.edit(kNoteEdit).setFocus();
        key(window()->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(window()->focusWidget(), d.control(kBookmarkCheck).widget()) << "Return moved the focus on";
        // On a check box Return moves on too and leaves the tick alone.
        const bool ticked = d.checkBox(kBookmarkCheck).isChecked();
        key(window()->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(d.checkBox(kBookmarkCheck).isChecked(), ticked);
        EXPECT_NE(window()->focusWidget(), d.control(kBookmarkCheck).widget());
        // On the button itself, Return presses it.
        d.control(kSaveButton).setFocus();
        key(window()->focusWidget(), Qt::Key_Return);
        ui::endDialog(d, 1);
    });
    ui::dialogBox(kTemplate, nullptr, [&](ui::Dialog&, const ui::Event& e) -> std::intptr_t {
        if (e.kind == ui::EventKind::Command && e.code == ui::kClicked)
            commands.push_back(e.controlId);
        return 0;
    });
    ui::setDialogHook({});
    EXPECT_EQ(commands, std::vector<int>{kSaveButton});
}

TEST(ReturnKey, PressesTheButtonTheTemplateNamesTheDefault)
{
    std::vector<int> commands;
    withDialog(R"({"id": 905, "rect": [0, 0, 150, 150],
      "controls": [{"id": 1, "kind": "edit", "rect": [4, 4, 100, 12], "style": ["border"]},
                   {"id": 2, "kind": "button", "rect": [4, 20, 50, 12], "text": "Eins"},
                   {"id": 3, "kind": "button", "rect": [4, 40, 50, 12], "text": "Zwei", "style": ["defaultbutton"]}]})",
               [&](ui::Dialog& d) {
                   d.edit(1).setFocus();
                   key(window()->focusWidget(), Qt::Key_Return);
               },
               &commands);
    EXPECT_EQ(commands, std::vector<int>{3});
}

} // namespace

namespace {

QImage drawn(QWidget* widget)
{
    return widget->grab().toImage();
}

} // namespace

// Every control that takes the focus shows it, however the focus came there
// (Return and the procedures move it without a Tab).
TEST(FocusMark, EveryControlThatTakesTheFocusShowsIt)
{
    using namespace ids::results;
    std::vector<std::string> unmarked;
    ui::setDialogHook([&](ui::Dialog& d) {
        for (int id : {kDescriptionEdit, kNoteEdit, kBookmarkCheck, kSaveButton})
            d.control(id).show(true);
        d.tabControl(kTabs).insertItem(0, u"Info");
        d.tabControl(kTabs).insertItem(1, u"Notiz");
        window()->activateWindow();
        QApplication::processEvents();
        for (const auto& control : d.controls()) {
            QWidget* w = control->widget();
            if (!w || !w->isVisibleTo(window()) || !(w->focusPolicy() & Qt::TabFocus) || ui::isEditField(w))
                continue;
            w->clearFocus();
            const QImage before = drawn(w);
            w->setFocus(Qt::OtherFocusReason);
            if (!w->hasFocus() || drawn(w) == before)
                unmarked.push_back(w->metaObject()->className() + std::string(" ") + std::to_string(control->id()));
        }
        ui::endDialog(d, 1);
    });
    ui::dialogBox(kTemplate, nullptr, [](ui::Dialog&, const ui::Event&) -> std::intptr_t { return 0; });
    ui::setDialogHook({});
    EXPECT_EQ(unmarked, std::vector<std::string>{});
}

// Every control the user can change is reached with Tab, in the template's order.
TEST(TabOrder, ReachesEveryControlTheUserCanChangeInTheTemplatesOrder)
{
    for (int templateId : {102, 109, 126, 128, 129, 132, 136, 137}) {
        ui::setDialogHook([&](ui::Dialog& d) {
            std::vector<QWidget*> changeable;
            for (const auto& control : d.controls()) {
                const ui::ControlKind kind = control->kind();
                const bool changes = kind != ui::ControlKind::Static && kind != ui::ControlKind::Picture &&
                                     kind != ui::ControlKind::OwnerDraw;
                if (changes && control->isVisible() && control->isEnabled())
                    changeable.push_back(control->widget());
            }
            const std::vector<QWidget*> stops = ui::Screen::instance().focusStops();
            std::vector<QWidget*> reached;
            for (QWidget* w : stops)
                if (std::find(changeable.begin(), changeable.end(), w) != changeable.end())
                    reached.push_back(w);
            EXPECT_EQ(reached, changeable) << "template " << templateId;
            ui::endDialog(d, 1);
        });
        ui::dialogBox(templateId, nullptr, [](ui::Dialog&, const ui::Event&) -> std::intptr_t { return 0; });
        ui::setDialogHook({});
    }
}

TEST(DesktopWindow, HasMinimiseAndCloseButNoMaximiseButton)
{
    const Qt::WindowFlags flags = window()->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
}

// Moved up to make room for the keyboard, the window goes back when it hides,
// unless the user put it elsewhere meanwhile.
TEST(DesktopWindow, GoesBackWhereItStoodWhenTheKeyboardHides)
{
    ShellServices services;
    services.setInputPanel(false, true);
    window()->show();
    const QPoint home(40, 300);
    window()->move(home);
    services.setInputPanel(true, true);
    window()->move(home.x(), home.y() - shell::InputPanel::kHeight / 2); // as a window manager fits it
    services.setInputPanel(false, true);
    EXPECT_EQ(window()->pos(), home);

    services.setInputPanel(true, true);
    const QPoint elsewhere(200, 100);
    window()->move(elsewhere); // the user drags it away
    services.setInputPanel(false, true);
    EXPECT_EQ(window()->pos(), elsewhere);
}
