// What a screen reader finds on the screen: the roles the templates give
// their controls, only the dialog or message in front, one object per
// control, and the keyboard focus never left on a covered dialog.
#include "platform/ui/AccessibleRoles.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "resources/dialogs/ImprintIds.h"
#include "resources/dialogs/MainMenuIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "resources/dialogs/TemperatureChartIds.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

using ui::AccessibleRole;

AccessibleRole roleIn(int templateId, int controlId)
{
    const auto tmpl = ui::loadTemplate(templateId);
    const ui::ControlTemplate* control = tmpl ? tmpl->control(controlId) : nullptr;
    EXPECT_NE(control, nullptr) << templateId << "/" << controlId;
    return control ? ui::accessibleRole(*tmpl, *control) : AccessibleRole::Default;
}

TEST(AccessibleRoles, RowsSpeakThroughTheirTextFramesAndCaptionsAreLeftOut)
{
    struct Expected {
        int templateId;
        int controlId;
        AccessibleRole role;
    };
    using namespace ids;
    const Expected expected[] = {
        // A menu row: its text stands for the row; picture and hit area go.
        {mainMenu::kTemplate, mainMenu::kSearchLabel, AccessibleRole::RowButton},
        {mainMenu::kTemplate, mainMenu::kSearchPicture, AccessibleRole::Omitted},
        {mainMenu::kTemplate, mainMenu::kSearchRow, AccessibleRole::Omitted},
        {mainMenu::kTemplate, mainMenu::kBookmarksPicture, AccessibleRole::Omitted},
        {mainMenu::kTemplate, mainMenu::kRatgeberLink, AccessibleRole::Link},
        {mainMenu::kTemplate, mainMenu::kTitle, AccessibleRole::Label},
        // Frames round check boxes, and texts that name a field or a box.
        {search::kTemplate, search::kColourFrame, AccessibleRole::Omitted},
        {search::kTemplate, search::kTasteFrame, AccessibleRole::Omitted},
        {search::kTemplate, search::kQualityFrame, AccessibleRole::Omitted},
        {search::kTemplate, search::kRedLabel, AccessibleRole::Omitted},
        {search::kTemplate, search::kVeryGoodLabel, AccessibleRole::Omitted},
        {search::kTemplate, search::kKeywordLabel, AccessibleRole::Omitted},
        {search::kTemplate, search::kQualityLabel, AccessibleRole::Omitted},
        {search::kTemplate, search::kTitle, AccessibleRole::Label},
        {search::kTemplate, search::kQualityText, AccessibleRole::Label},
        {search::kTemplate, search::kAnimation, AccessibleRole::Omitted},
        {search::kTemplate, search::kRedCheck, AccessibleRole::Default},
        // A picture that answers taps of its own, and one that decorates.
        {temperature::kTemplate, temperature::kThermometer, AccessibleRole::Graphic},
        {temperature::kTemplate, temperature::kPaper, AccessibleRole::Omitted},
    };
    for (const auto& e : expected)
        EXPECT_EQ(roleIn(e.templateId, e.controlId), e.role) << e.templateId << "/" << e.controlId;
}

QAccessibleInterface* accessibleOf(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget);
}

// Role and name of each child, as a reader lists them.
std::vector<std::pair<QAccessible::Role, QString>> childrenOf(QAccessibleInterface* a)
{
    std::vector<std::pair<QAccessible::Role, QString>> out;
    for (int i = 0; i < a->childCount(); ++i)
        if (QAccessibleInterface* c = a->child(i))
            out.emplace_back(c->role(), c->text(QAccessible::Name));
    return out;
}

QAccessibleInterface* screenWindow()
{
    return accessibleOf(ui::Screen::instance().window());
}

// The one dialog or message among the window's children.
QAccessibleInterface* front()
{
    QAccessibleInterface* found = nullptr;
    QAccessibleInterface* window = screenWindow();
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* c = window->child(i);
        if (c->role() == QAccessible::Dialog || c->role() == QAccessible::AlertMessage) {
            EXPECT_EQ(found, nullptr) << "two dialogs in front";
            found = c;
        }
    }
    return found;
}

// Runs steps on nested modal dialogs: each step gets the dialog in front and
// may open the next one before it ends its own.
void runDialogs(int templateId, std::function<void(ui::Dialog&)> step)
{
    ui::setDialogHook([&](ui::Dialog& d) {
        step(d);
        ui::endDialog(d, 1);
    });
    ui::dialogBox(templateId, nullptr, ui::defaultDialogProc);
    ui::setDialogHook({});
}

TEST(AccessibleTree, OnlyTheFrontDialogIsExposedWithOneObjectPerControl)
{
    using R = QAccessible::Role;
    bool imprintSeen = false;
    runDialogs(ids::mainMenu::kTemplate, [&](ui::Dialog& d) {
        if (d.templateId() == ids::imprint::kTemplate) {
            imprintSeen = true;
            QAccessibleInterface* imprint = front();
            ASSERT_NE(imprint, nullptr);
            EXPECT_EQ(imprint->text(QAccessible::Name), QStringLiteral("Impressum"));
            // The covered menu is out of the tree and no longer showing.
            QAccessibleInterface* menu = accessibleOf(d.owner()->widget());
            EXPECT_EQ(screenWindow()->indexOfChild(menu), -1);
            EXPECT_TRUE(menu->state().invisible);
            EXPECT_EQ(imprint->parent(), screenWindow());
            return;
        }
        QAccessibleInterface* menu = front();
        ASSERT_NE(menu, nullptr);
        EXPECT_EQ(menu->text(QAccessible::Name), QStringLiteral("Vinaria - Weinführer"));
        const std::vector<std::pair<R, QString>> expected = {
            {R::StaticText, QStringLiteral("VINARIA Weinführer")},
            {R::Button, QStringLiteral("Weine von A - Z")},
            {R::Button, QStringLiteral("Rebsorten")},
            {R::Button, QStringLiteral("Die richtige Temperatur")},
            {R::Button, QStringLiteral("Lesezeichen")},
            {R::Link, QStringLiteral("Ratgeber")},
            {R::Link, QStringLiteral("Impressum")},
            {R::Link, QStringLiteral("Hilfe")},
        };
        EXPECT_EQ(childrenOf(menu), expected);
        for (int i = 0; i < menu->childCount(); ++i)
            EXPECT_EQ(menu->indexOfChild(menu->child(i)), i);
        ui::dialogBox(ids::imprint::kTemplate, &d, ui::defaultDialogProc);
        EXPECT_EQ(front(), menu) << "the menu is back in front";
        EXPECT_FALSE(menu->state().invisible);
    });
    EXPECT_TRUE(imprintSeen);
}

TEST(AccessibleTree, ALinkIsPressedThroughTheActionInterface)
{
    std::vector<int> commands;
    ui::setDialogHook([&](ui::Dialog& d) {
        QAccessibleInterface* link = nullptr;
        QAccessibleInterface* menu = front();
        for (int i = 0; i < menu->childCount(); ++i)
            if (menu->child(i)->text(QAccessible::Name) == QStringLiteral("Impressum"))
                link = menu->child(i);
        ASSERT_NE(link, nullptr);
        ASSERT_NE(link->actionInterface(), nullptr);
        EXPECT_TRUE(link->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        // The press reaches the dialog from the event loop, not during the call.
        EXPECT_TRUE(commands.empty());
        QCoreApplication::sendPostedEvents();
        ui::endDialog(d, 1);
    });
    ui::dialogBox(ids::mainMenu::kTemplate, nullptr, [&](ui::Dialog& d, const ui::Event& e) -> std::intptr_t {
        if (e.kind == ui::EventKind::Command && e.controlId != ui::kIdOk)
            commands.push_back(e.controlId);
        return ui::defaultDialogProc(d, e);
    });
    ui::setDialogHook({});
    EXPECT_EQ(commands, std::vector<int>{ids::mainMenu::kImprintLink});
}

// Presses a key on the widget with the keyboard focus, as the window would.
void press(int key)
{
    QWidget* target = ui::Screen::instance().window()->focusWidget();
    ASSERT_NE(target, nullptr);
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(AccessibleTree, AMessageIsAnAlertAndTheFocusComesBackAfterIt)
{
    const QString text = QStringLiteral("Das Lesezeichen wurde gespeichert.");
    runDialogs(ids::search::kTemplate, [&](ui::Dialog& d) {
        QWidget* keyword = d.edit(ids::search::kKeywordEdit).widget();
        keyword->setFocus();
        // Looked at from inside the message's own loop, then answered.
        QTimer::singleShot(0, [&] {
            QAccessibleInterface* alert = front();
            ASSERT_NE(alert, nullptr);
            EXPECT_EQ(alert->role(), QAccessible::AlertMessage);
            EXPECT_EQ(alert->text(QAccessible::Name), QStringLiteral("HINWEIS"));
            EXPECT_EQ(screenWindow()->childCount(), 1) << "nothing but the message";
            std::vector<std::pair<QAccessible::Role, QString>> expected = {
                {QAccessible::StaticText, text}, {QAccessible::Button, QStringLiteral("OK")}};
            EXPECT_EQ(childrenOf(alert), expected);
            press(Qt::Key_Escape);
        });
        ui::messageBox(&d, text.toStdU16String(), u"HINWEIS", ui::mb::kIconInformation | ui::mb::kOk);
        EXPECT_EQ(ui::Screen::instance().window()->focusWidget(), keyword);
    });
}

} // namespace
