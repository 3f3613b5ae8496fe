// Message boxes as the screen shows them: inside the handheld's screen,
// centred, the text wrapped, and answered from the keyboard.
#include "app/MainMenu.h"
#include "services/DatabaseErrorText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Event.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>

#include <gtest/gtest.h>

namespace {

ui::MessageBoxRequest request(std::u16string_view text, std::u16string_view caption, unsigned flags)
{
    return ui::MessageBoxRequest{nullptr, std::u16string(text), std::u16string(caption), flags};
}

void key(QWidget* target, int code)
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

QWidget* screenWindow()
{
    QWidget* window = ui::Screen::instance().window();
    window->show();
    return window;
}

TEST(MessageBoxLayout, DatabaseErrorFitsInsideTheScreenCentredAndWrapped)
{
    const std::u16string errorText = databaseErrorText({GuideFailure::Missing, u"/usr/share/vinaria/vinaria2007_db.cdb"});
    ui::MessageBoxPanel box(request(errorText, kDatabaseErrorCaption, ui::mb::kIconInformation), screenWindow());
    const QRect screen = screenWindow()->rect();
    const QRect r = box.geometry();
    EXPECT_EQ(screen.width(), ui::Screen::kWidth);
    EXPECT_TRUE(screen.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    EXPECT_LE(r.width(), ui::Screen::kWidth - 2 * ui::MessageBoxPanel::kScreenMargin);
    EXPECT_LE(std::abs(r.left() - (screen.width() - 1 - r.right())), 1);
    EXPECT_LE(std::abs(r.top() - (screen.height() - 1 - r.bottom())), 1);

    // The text is wrapped over several lines, and every line is in the box.
    QLabel* text = nullptr;
    for (auto* label : box.findChildren<QLabel*>())
        if (label->text().startsWith(QStringLiteral("Die Datenbank")))
            text = label;
    ASSERT_NE(text, nullptr);
    EXPECT_FALSE(text->text().contains(QLatin1Char('\r')));
    EXPECT_TRUE(text->wordWrap());
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    EXPECT_GT(text->height(), 4 * text->fontMetrics().height());
    EXPECT_TRUE(box.rect().contains(QRect(text->mapTo(&box, QPoint(0, 0)), text->size())));
}

TEST(MessageBoxLayout, AVeryLongTextNeverMakesTheBoxLeaveTheScreen)
{
    const std::u16string longText(2000, u'x');
    ui::MessageBoxPanel box(request(longText, u"HINWEIS", ui::mb::kIconInformation), screenWindow());
    EXPECT_TRUE(screenWindow()->rect().contains(box.geometry()));
}

TEST(MessageBoxLayout, EscapeAnswersOkAndEnterPressesTheFocusedButton)
{
    {
        ui::MessageBoxPanel box(request(u"Keine Treffer.", u"HINWEIS", ui::mb::kOk), screenWindow());
        key(screenWindow()->focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(box.exec(), ui::kIdOk);
    }
    {
        // A question is never answered yes by Esc.
        ui::MessageBoxPanel box(request(u"Lesezeichen löschen?", u"FRAGE", ui::mb::kYesNo), screenWindow());
        key(screenWindow()->focusWidget(), Qt::Key_Escape);
        EXPECT_EQ(box.exec(), ui::kIdNo);
    }
    {
        ui::MessageBoxPanel box(request(u"Lesezeichen löschen?", u"FRAGE", ui::mb::kYesNo), screenWindow());
        QWidget* yes = screenWindow()->focusWidget();
        ASSERT_TRUE(yes && box.isAncestorOf(yes));
        // Tab walks the box's buttons only.
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(yes, &tab);
        QWidget* no = screenWindow()->focusWidget();
        EXPECT_NE(no, yes);
        EXPECT_TRUE(box.isAncestorOf(no));
        QAccessibleInterface* named = QAccessible::queryAccessibleInterface(no);
        ASSERT_NE(named, nullptr);
        EXPECT_EQ(named->text(QAccessible::Name), QStringLiteral("Nein"));
        key(no, Qt::Key_Return);
        EXPECT_EQ(box.exec(), ui::kIdNo);
    }
    {
        // A question that destroys something has No as its default: Return answers No.
        ui::MessageBoxPanel box(request(u"Lesezeichen löschen?", u"FRAGE", ui::mb::kYesNo | ui::mb::kDefaultSecond),
                                screenWindow());
        QAccessibleInterface* focused = QAccessible::queryAccessibleInterface(screenWindow()->focusWidget());
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->text(QAccessible::Name), QStringLiteral("Nein"));
        key(screenWindow()->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(box.exec(), ui::kIdNo);
    }
}

} // namespace
