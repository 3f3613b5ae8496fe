// The window-system stand-in: modal loops, events, controls, drawing,
// timers and message boxes.
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "tests/ui/UiTestSupport.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using ui::Event;
using ui::EventKind;

ui::DialogTemplate testTemplate()
{
    auto t = ui::parseTemplate(R"({
      "id": 900, "caption": "Probe", "font": {"face": "Tahoma", "points": 8},
      "rect": [0, 0, 150, 160],
      "controls": [
        {"id": 10, "kind": "static", "rect": [2, 2, 60, 10], "text": "Etikett", "style": ["notify"]},
        {"id": 11, "kind": "ownerdraw", "rect": [2, 20, 60, 20]},
        {"id": 12, "kind": "edit", "rect": [2, 45, 100, 12], "style": ["border"]},
        {"id": 13, "kind": "combobox", "rect": [2, 60, 100, 60], "style": ["sorted"]},
        {"id": 14, "kind": "combobox", "rect": [2, 75, 100, 60]},
        {"id": 15, "kind": "hscrollbar", "rect": [2, 90, 100, 8]},
        {"id": 16, "kind": "checkbox", "rect": [2, 100, 60, 10], "text": "Rot"},
        {"id": 17, "kind": "treeview", "rect": [70, 2, 78, 40], "style": ["border"]},
        {"id": 18, "kind": "tabcontrol", "rect": [2, 140, 100, 11], "style": ["tabsbottom"]},
        {"id": 19, "kind": "listbox", "rect": [110, 60, 38, 40], "style": ["sorted", "border"]}
      ]})");
    EXPECT_TRUE(t.has_value());
    return *t;
}

class DialogTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
    }
};

TEST_F(DialogTest, ModalDialogRunsInitialiseLoopDestroyAndReturnsItsResult)
{
    std::vector<EventKind> seen;
    std::intptr_t parameter = 0;
    ui::setDialogHook([](ui::Dialog& d) {
        EXPECT_EQ(ui::Screen::instance().top(), &d);
        EXPECT_EQ(ui::Screen::instance().window()->windowTitle(), QStringLiteral("Probe"));
        ui::endDialog(d, 42);
    });
    const auto result = ui::dialogBox(testTemplate(), nullptr, [&](ui::Dialog&, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::Initialise || e.kind == EventKind::Destroy)
            seen.push_back(e.kind);
        if (e.kind == EventKind::Initialise)
            parameter = e.parameter;
        return 0;
    }, 7);
    EXPECT_EQ(result, 42);
    EXPECT_EQ(parameter, 7);
    EXPECT_EQ(seen, (std::vector<EventKind>{EventKind::Initialise, EventKind::Destroy}));
    EXPECT_TRUE(ui::Screen::instance().stack().empty());
    EXPECT_EQ(ui::dialogBox(999, nullptr, ui::defaultDialogProc), -1);
}

TEST_F(DialogTest, NestedDialogCoversItsOwnerAndUncoversItUnchanged)
{
    std::vector<std::vector<int>> stacks;
    ui::setDialogHook([&](ui::Dialog& d) {
        stacks.push_back(ui::Screen::instance().templateStack());
        if (d.templateId() == 900) {
            d.edit(12).setText(u"Riesling");
            d.sendCommand(10);               // opens 137 inside this command
            EXPECT_EQ(d.edit(12).text(), u"Riesling");
            EXPECT_EQ(ui::Screen::instance().top(), &d);
            d.sendCommand(ui::kIdOk);
        } else {
            ui::Screen::instance().pressDone(); // Done on the inner dialog
        }
    });
    auto outer = [](ui::Dialog& d, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::Initialise)
            d.setDoneButton(true);
        if (e.kind == EventKind::Command && e.controlId == 10) {
            EXPECT_EQ(ui::dialogBox(137, &d, [](ui::Dialog& inner, const Event& ev) -> std::intptr_t {
                if (ev.kind == EventKind::Initialise)
                    inner.setDoneButton(true);
                return ui::defaultDialogProc(inner, ev);
            }), 1);
        }
        return ui::defaultDialogProc(d, e);
    };
    EXPECT_EQ(ui::dialogBox(testTemplate(), nullptr, outer), 1);
    EXPECT_EQ(stacks, (std::vector<std::vector<int>>{{900}, {900, 137}}));
}

TEST_F(DialogTest, DoneButtonOnlyForDialogsThatAskForIt)
{
    int commands = 0;
    ui::setDialogHook([&](ui::Dialog& d) {
        ui::Screen::instance().pressDone();
        EXPECT_EQ(commands, 0);
        EXPECT_TRUE(ui::Screen::instance().doneButton()->isHidden());
        d.setDoneButton(true);
        EXPECT_FALSE(ui::Screen::instance().doneButton()->isHidden());
        ui::Screen::instance().pressDone();
    });
    ui::dialogBox(testTemplate(), nullptr, [&](ui::Dialog& d, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::Command && e.controlId == ui::kIdOk) {
            ++commands;
            ui::endDialog(d, 1);
        }
        return 0;
    });
    EXPECT_EQ(commands, 1);
}

TEST_F(DialogTest, TapsAndClicksBecomeCommandsWithCodeZero)
{
    std::vector<std::pair<int, int>> commands;
    ui::setDialogHook([&](ui::Dialog& d) {
        const QPoint label = ui_testing::centreOf(d, 10);
        ui_testing::tapAt(d, label.x(), label.y());
        const QPoint button = ui_testing::centreOf(d, 11);
        ui_testing::tapAt(d, button.x(), button.y());
        d.checkBox(16).click();
        EXPECT_TRUE(d.checkBox(16).isChecked());
        ui::endDialog(d, 1);
    });
    ui::dialogBox(testTemplate(), nullptr, [&](ui::Dialog&, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::Command && e.code == ui::kClicked)
            commands.emplace_back(e.controlId, e.code);
        return 0;
    });
    EXPECT_EQ(commands, (std::vector<std::pair<int, int>>{{10, 0}, {11, 0}, {16, 0}}));
}

TEST_F(DialogTest, OwnerDrawingAndColourRequestsReachThePixels)
{
    const ui::Brush green{ui::rgb(0, 200, 0), false};
    ui::setDialogHook([&](ui::Dialog& d) {
        const ui::Rect button = d.control(11).rect();
        EXPECT_EQ(ui_testing::pixelAt(d, button.x + 3, button.y + 3), QColor(255, 0, 0));
        const ui::Rect label = d.control(10).rect();
        EXPECT_EQ(ui_testing::pixelAt(d, label.right() - 2, label.bottom() - 2), QColor(0, 200, 0));
        ui::endDialog(d, 1);
    });
    ui::dialogBox(testTemplate(), nullptr, [&](ui::Dialog&, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::DrawItem && e.controlId == 11) {
            const ui::Brush red{ui::rgb(255, 0, 0), false};
            e.dc->selectPen(ui::nullPen());
            e.dc->selectBrush(&red);
            e.dc->rectangle(e.rect);
            return 1;
        }
        if (e.kind == EventKind::ColourRequest && e.controlId == 10)
            return ui::brushResult(&green);
        return 0;
    });
}

TEST_F(DialogTest, SurfaceTakesDrawingFromAnotherThread)
{
    ui::setDialogHook([](ui::Dialog& d) {
        auto surface = d.sharedSurface();
        std::thread painter([surface] {
            surface->draw([](ui::DrawContext& dc) {
                dc.fillRect(ui::Rect{100, 200, 20, 10}, ui::Brush{ui::rgb(0, 0, 255), false});
            });
        });
        painter.join();
        EXPECT_EQ(ui_testing::pixelAt(d, 105, 205), QColor(0, 0, 255));
        d.surface().clear();
        EXPECT_NE(ui_testing::pixelAt(d, 105, 205), QColor(0, 0, 255));
        ui::endDialog(d, 1);
    });
    ui::dialogBox(testTemplate(), nullptr, ui::defaultDialogProc);
}

TEST_F(DialogTest, TimersAreReplacedByIdAndTickByHand)
{
    std::vector<int> ticks;
    int routineTicks = 0;
    ui::setDialogHook([&](ui::Dialog& d) {
        d.setTimer(1, 100);
        d.setTimer(1, 80);
        EXPECT_EQ(d.timerInterval(1), 80);
        d.setTimer(2, 50, [&](ui::Dialog&, int id) {
            EXPECT_EQ(id, 2);
            ++routineTicks;
        });
        d.fireTimer(1);
        d.fireTimer(2);
        d.killTimer(1);
        EXPECT_FALSE(d.hasTimer(1));
        d.fireTimer(1); // a killed timer no longer ticks
        // A routine may end its own timer.
        d.setTimer(3, 10, [](ui::Dialog& dialog, int id) { dialog.killTimer(id); });
        d.fireTimer(3);
        EXPECT_FALSE(d.hasTimer(3));
        ui::endDialog(d, 1);
    });
    ui::dialogBox(testTemplate(), nullptr, [&](ui::Dialog&, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::Timer)
            ticks.push_back(e.timerId);
        return 0;
    });
    EXPECT_EQ(ticks, (std::vector<int>{1}));
    EXPECT_EQ(routineTicks, 1);
}

TEST_F(DialogTest, ListsSortOrKeepOrderAndChooseNothingByThemselves)
{
    ui::setDialogHook([](ui::Dialog& d) {
        for (auto* text : {u"Merlot", u"Barbera", u"riesling", u"Cabernet"}) {
            d.comboBox(13).addString(text);
            d.comboBox(14).addString(text);
            d.listBox(19).addString(text);
        }
        EXPECT_EQ(d.comboBox(13).itemText(0), u"Barbera");
        EXPECT_EQ(d.comboBox(13).itemText(3), u"riesling");
        EXPECT_EQ(d.comboBox(14).itemText(0), u"Merlot");
        EXPECT_EQ(d.listBox(19).itemText(1), u"Cabernet");
        EXPECT_EQ(d.comboBox(13).currentIndex(), -1);
        d.comboBox(14).setCurrentIndex(2);
        d.comboBox(14).addString(u"Zweigelt");
        EXPECT_EQ(d.comboBox(14).currentText(), u"riesling");
        EXPECT_EQ(d.comboBox(14).findExact(u"RIESLING"), 2);
        d.comboBox(14).resetContent();
        EXPECT_EQ(d.comboBox(14).count(), 0);
        ui::endDialog(d, 1);
    });
    ui::dialogBox(testTemplate(), nullptr, ui::defaultDialogProc);
}

TEST_F(DialogTest, TreeTabsAndMissingControls)
{
    std::vector<std::intptr_t> selected;
    int tabNotifications = 0;
    ui::setDialogHook([&](ui::Dialog& d) {
        auto& tree = d.treeView(17);
        const auto red = tree.insertItem(nullptr, u"Rot");
        const auto entry = tree.insertItem(red, u"Barolo", 4711);
        EXPECT_EQ(tree.itemData(red), 0);
        EXPECT_EQ(tree.itemData(entry), 4711);
        EXPECT_EQ(tree.parentItem(entry), red);
        EXPECT_EQ(tree.count(), 2);
        tree.selectItem(entry);
        EXPECT_EQ(tree.selectedItem(), entry);
        tree.deleteAllItems();
        EXPECT_EQ(tree.count(), 0);

        auto& tabs = d.tabControl(18);
        tabs.insertItem(0, u"Info");
        tabs.insertItem(1, u"Jahrgänge");
        tabs.setCurrentIndex(1); // no notification for the program's own choice
        EXPECT_EQ(tabs.currentIndex(), 1);
        EXPECT_EQ(tabs.itemText(1), u"Jahrgänge");

        // Wrong kind or unknown id: calls are accepted and do nothing.
        d.comboBox(12).addString(u"x");
        d.comboBox(4242).addString(u"x");
        EXPECT_EQ(d.comboBox(4242).count(), 0);
        EXPECT_EQ(d.edit(4242).text(), u"");
        EXPECT_FALSE(d.hasControl(4242));
        ui::endDialog(d, 1);
    });
    ui::dialogBox(testTemplate(), nullptr, [&](ui::Dialog&, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::Notify && e.code == ui::kTreeSelectionChanged)
            selected.push_back(e.itemData);
        if (e.kind == EventKind::Notify && e.code == ui::kTabSelectionChanged)
            ++tabNotifications;
        return 0;
    });
    EXPECT_EQ(selected, (std::vector<std::intptr_t>{4711}));
    EXPECT_EQ(tabNotifications, 0);
}

TEST_F(DialogTest, ScrollBarMovesOnlyWhenTheProcedureSaysSo)
{
    std::vector<int> codes;
    ui::setDialogHook([&](ui::Dialog& d) {
        d.scrollBar(15).setRange(0, 4);
        d.scrollBar(15).setPosition(1);
        auto* bar = static_cast<QScrollBar*>(d.control(15).widget());
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_EQ(d.scrollBar(15).position(), 2); // the procedure moved it
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(d.scrollBar(15).position(), 1);
        ui::endDialog(d, 1);
    });
    ui::dialogBox(testTemplate(), nullptr, [&](ui::Dialog& d, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::HorizontalScroll) {
            codes.push_back(e.code);
            if (e.code == ui::kLineRight)
                d.scrollBar(e.controlId).setPosition(d.scrollBar(e.controlId).position() + 1);
            if (e.code == ui::kLineLeft)
                d.scrollBar(e.controlId).setPosition(d.scrollBar(e.controlId).position() - 1);
        }
        return 0;
    });
    EXPECT_EQ(codes, (std::vector<int>{ui::kLineRight, ui::kLineLeft, ui::kPageRight}));
}

TEST_F(DialogTest, MessageBoxesGoThroughThePresenter)
{
    std::vector<ui::MessageBoxRequest> shown;
    ui::setMessageBoxPresenter([&](const ui::MessageBoxRequest& r) {
        shown.push_back(r);
        return ui::kIdNo;
    });
    EXPECT_EQ(ui::messageBox(nullptr, u"Löschen?", u"FRAGE", ui::mb::kYesNo | ui::mb::kIconQuestion), ui::kIdNo);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, u"Löschen?");
    EXPECT_EQ(shown[0].caption, u"FRAGE");
    EXPECT_EQ(shown[0].flags & ui::mb::kButtonMask, ui::mb::kYesNo);
}

} // namespace

namespace {

TEST_F(DialogTest, ClosingTheWindowIsDoneOnEveryDialogTopFirst)
{
    std::vector<int> ended;
    auto proc = [&](ui::Dialog& d, const Event& e) -> std::intptr_t {
        if (e.kind == EventKind::Command && e.controlId == ui::kIdOk) {
            ended.push_back(d.templateId());
            ui::endDialog(d, 1);
        }
        return 0;
    };
    ui::setDialogHook([&](ui::Dialog& d) {
        if (d.templateId() == 900)
            QMetaObject::invokeMethod(qApp, [&] { ui::dialogBox(137, &d, proc); }, Qt::QueuedConnection);
        else
            ui::Screen::instance().window()->close();
    });
    ui::dialogBox(testTemplate(), nullptr, proc);
    EXPECT_EQ(ended, (std::vector<int>{137, 900}));
}

TEST_F(DialogTest, TapCancelledByLiftingOutsideAndTimersEndWithTheDialog)
{
    int commands = 0;
    int ticks = 0;
    ui::Dialog* seen = nullptr;
    ui::setDialogHook([&](ui::Dialog& d) {
        seen = &d;
        QWidget* label = d.control(10).widget();
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(3, 3), label->mapToGlobal(QPointF(3, 3)), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(label, &press);
        const QPointF outside(label->width() + 20, 3);
        QMouseEvent release(QEvent::MouseButtonRelease, outside, label->mapToGlobal(outside), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(label, &release);
        d.setTimer(5, 1, [&](ui::Dialog&, int) { ++ticks; });
        ui::endDialog(d, 1);
    });
    ui::dialogBox(testTemplate(), nullptr, [&](ui::Dialog&, const Event& e) -> std::intptr_t {
        commands += e.kind == EventKind::Command;
        return 0;
    });
    EXPECT_EQ(commands, 0);
    EXPECT_EQ(ticks, 0);
}

TEST_F(DialogTest, DialogThatIsNotFullScreenSitsAtItsTemplatePosition)
{
    ui::setDialogHook([](ui::Dialog& d) {
        const QRect g = d.widget()->geometry();
        EXPECT_EQ(g.topLeft(), QPoint(4, 1));           // 3, 1 units of MS Sans Serif 8
        EXPECT_EQ(g.size(), QSize(232, 240));           // 155 x 148 units
        EXPECT_EQ(d.control(1048).rect(), (ui::Rect{30, 45, 171, 21}));
        ui::endDialog(d, 1);
    });
    ui::dialogBox(136, nullptr, ui::defaultDialogProc);
}

} // namespace
