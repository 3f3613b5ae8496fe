// Drop-down lists. Qt's own pop-up placement centres the list on the chosen
// entry and lets it grow to the desktop's height; here the list drops below
// its box (or above it) with the template's height, inside the 240 x 320
// screen, and keeps the style's keys. Typed letters find an entry the
// German way; the wheel changes the choice only of the box with the focus.
#include "platform/ui/ComboBox.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListOrder.h"
#include "platform/ui/ListRows.h"
#include "platform/ui/ListStyle.h"
#include "platform/ui/Screen.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QKeyEvent>
#include <QListView>
#include <QScrollBar>
#include <QWheelEvent>

#include <algorithm>

namespace ui {

namespace {

// The handheld's screen in global pixels; a dialog not on the screen (in a
// test or a tool) uses its own window.
Rect screenRect(const QWidget* box)
{
    if (Screen::exists()) {
        const QWidget* screen = Screen::instance().window();
        if (screen->isAncestorOf(box)) {
            const QPoint origin = screen->mapToGlobal(QPoint(0, 0));
            return Rect{origin.x(), origin.y(), Screen::kWidth, Screen::kHeight};
        }
    }
    const QWidget* window = box->window();
    const QPoint origin = window->mapToGlobal(QPoint(0, 0));
    return Rect{origin.x(), origin.y(), window->width(), window->height()};
}

// The open list: typed letters move to the entry they begin.
class DroppedList : public QListView {
public:
    using QListView::QListView;
    void keyboardSearch(const QString& typed) override
    {
        const int row = typeToFind_.entryFor(
            typed, model()->rowCount(), [this](int i) { return model()->index(i, 0).data().toString(); },
            currentIndex().row());
        if (row >= 0)
            setCurrentIndex(model()->index(row, 0));
    }

private:
    TypeToFind typeToFind_;
};

class DropDownBox : public QComboBox {
public:
    DropDownBox(int listHeight, QWidget* parent) : QComboBox(parent), listHeight_(listHeight)
    {
        setStyle(listStyle());
        auto* list = new DroppedList;
        setView(list);
        list->setItemDelegate(new ListRows(list));
        list->verticalScrollBar()->setStyle(listStyle());
        // Every row is one line of the same font: thousands scroll smoothly.
        list->setUniformItemSizes(true);
        // The wheel never takes the focus: it scrolls what is under it.
        setFocusPolicy(Qt::StrongFocus);
    }

    void showPopup() override
    {
        QComboBox::showPopup();
        QWidget* popup = view()->window();
        if (popup == window())
            return;
        const QPoint at = mapToGlobal(QPoint(0, 0));
        Rect r = dropDownRect(Rect{at.x(), at.y(), width(), height()}, listHeight_, screenRect(this));
        // Whole rows only, as the handheld's lists: no row is half shown.
        const int chrome = popup->height() - view()->viewport()->height();
        const int whole = integralListHeight(r.height, view()->sizeHintForRow(0), chrome);
        if (r.y < at.y())
            r.y += r.height - whole;
        r.height = whole;
        popup->setGeometry(r.x, r.y, r.width, r.height);
        // The list stays where it dropped; only the chosen entry is kept in sight.
        view()->scrollTo(view()->currentIndex(), QAbstractItemView::EnsureVisible);
    }

protected:
    // A closed box the user is not working in ignores the wheel, which was
    // meant for scrolling, not for changing the choice.
    void wheelEvent(QWheelEvent* event) override
    {
        if (hasFocus())
            QComboBox::wheelEvent(event);
        else
            event->ignore();
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        const QString typed = event->text();
        const bool letter = typed.size() == 1 && typed.front().isLetterOrNumber() &&
                            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!letter) {
            QComboBox::keyPressEvent(event);
            return;
        }
        const int row = typeToFind_.entryFor(typed, count(), [this](int i) { return itemText(i); }, currentIndex());
        if (row >= 0 && row != currentIndex()) {
            setCurrentIndex(row);
            emit activated(row);
        }
    }

private:
    int listHeight_;
    TypeToFind typeToFind_;
};

} // namespace

Rect dropDownRect(const Rect& field, int listHeight, const Rect& screen)
{
    Rect r;
    r.width = std::min(field.width, screen.width);
    r.x = std::clamp(field.x, screen.x, screen.x + screen.width - r.width);
    const int fieldBottom = field.y + field.height;
    const int below = std::max(0, screen.y + screen.height - fieldBottom);
    const int above = std::max(0, field.y - screen.y);
    if (listHeight <= below || below >= above) {
        r.y = fieldBottom;
        r.height = std::min(listHeight, below);
    } else {
        r.height = std::min(listHeight, above);
        r.y = field.y - r.height;
    }
    return r;
}

QComboBox* ComboBox::box() const
{
    return dynamic_cast<QComboBox*>(widget_.data());
}

void ComboBox::addString(std::u16string_view text)
{
    auto* b = box();
    if (!b)
        return;
    const QString s = toQString(text);
    const QSignalBlocker block(b);
    if (b->property("sorted").toBool())
        b->insertItem(sortedPosition(b->count(), [b](int i) { return b->itemText(i); }, s), s);
    else
        b->addItem(s);
    // A new entry never becomes the choice by itself.
    if (b->property("chosen").toInt() < 0)
        b->setCurrentIndex(-1);
    else
        b->setProperty("chosen", b->currentIndex());
}

void ComboBox::resetContent()
{
    if (auto* b = box()) {
        const QSignalBlocker block(b);
        b->clear();
        b->setProperty("chosen", -1);
    }
}

int ComboBox::count() const
{
    auto* b = box();
    return b ? b->count() : 0;
}

int ComboBox::currentIndex() const
{
    auto* b = box();
    return b ? b->currentIndex() : -1;
}

void ComboBox::setCurrentIndex(int index)
{
    if (auto* b = box()) {
        const QSignalBlocker block(b);
        b->setCurrentIndex(index >= 0 && index < b->count() ? index : -1);
        b->setProperty("chosen", b->currentIndex());
    }
}

std::u16string ComboBox::itemText(int index) const
{
    auto* b = box();
    return b && index >= 0 && index < b->count() ? toU16(b->itemText(index)) : std::u16string();
}

std::u16string ComboBox::currentText() const
{
    return itemText(currentIndex());
}

int ComboBox::findExact(std::u16string_view text) const
{
    auto* b = box();
    if (!b)
        return -1;
    const QString s = toQString(text);
    for (int i = 0; i < b->count(); ++i)
        if (QString::compare(b->itemText(i), s, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void ComboBox::showDropDown()
{
    if (auto* b = box())
        b->showPopup();
}

void ComboBox::hideDropDown()
{
    if (auto* b = box())
        b->hidePopup();
}

QWidget* ComboBox::droppedList() const
{
    auto* b = box();
    if (!b)
        return nullptr;
    QWidget* popup = b->view()->window();
    return popup != b->window() && popup->isVisible() ? popup : nullptr;
}

Control* createComboBox(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    // The rectangle's height includes the dropped list; the closed box is
    // as tall as its font needs.
    const int closed = std::min(px.height, parent->fontMetrics().height() + 8);
    auto* b = new DropDownBox(px.height - closed, parent);
    b->setProperty("sorted", t.has(style::kSorted));
    b->setProperty("chosen", -1);
    const int id = t.id;
    QObject::connect(b, &QComboBox::activated, b, [dialog, id, b](int index) {
        b->setProperty("chosen", index);
        dialog->sendCommand(id, kSelectionChanged);
    });
    b->setGeometry(px.x, px.y, px.width, closed);
    b->setMaxVisibleItems(std::max(3, (px.height - closed) / std::max(1, b->fontMetrics().height() + 2)));
    return new ComboBox(dialog, &t, b);
}

} // namespace ui
