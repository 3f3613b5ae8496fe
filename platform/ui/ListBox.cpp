// List boxes. Unless the template says the list has no integral height, it
// shows whole rows only, as the handheld's lists did: its height shrinks to
// the last one-line row that fits, and follows the font it is given. A row
// too wide for the list wraps onto more lines.
#include "platform/ui/ListBox.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/ListOrder.h"
#include "platform/ui/ListRows.h"
#include "platform/ui/ListStyle.h"
#include "platform/ui/StaticControl.h"

#include <QEvent>
#include <QResizeEvent>
#include <QListWidget>
#include <QScrollBar>

#include <algorithm>

namespace ui {

namespace {

class ListWidget : public QListWidget {
public:
    ListWidget(int templateHeight, bool integral, QWidget* parent)
        : QListWidget(parent), templateHeight_(templateHeight), integral_(integral)
    {
    }
    void fitHeight()
    {
        if (!integral_)
            return;
        const int row = rowHeight();
        if (row > 0)
            resize(width(), integralListHeight(templateHeight_, row, 2 * frameWidth()));
    }

    // Typed letters find the row they begin.
    void keyboardSearch(const QString& typed) override
    {
        const int row = typeToFind_.entryFor(typed, count(), [this](int i) { return item(i)->text(); }, currentRow());
        if (row >= 0)
            setCurrentRow(row);
    }

protected:
    void changeEvent(QEvent* event) override
    {
        QListWidget::changeEvent(event);
        if (event->type() == QEvent::FontChange)
            fitHeight();
    }

    // Rows that wrap are laid out again for the new width (a new font lays
    // out every row anyway).
    void resizeEvent(QResizeEvent* event) override
    {
        QListWidget::resizeEvent(event);
        if (event->size().width() != event->oldSize().width())
            scheduleDelayedItemsLayout();
    }

private:
    // A one-line row's height in the list's font, with or without rows in it.
    int rowHeight()
    {
        const auto* rows = dynamic_cast<const FullHeightRows*>(itemDelegate());
        if (count() > 0 && rows) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            return rows->lineHeight(option, model()->index(0, 0));
        }
        if (count() > 0)
            return sizeHintForRow(0);
        addItem(QStringLiteral("X"));
        const int height = sizeHintForRow(0);
        delete takeItem(0);
        return height;
    }

    int templateHeight_;
    bool integral_;
    TypeToFind typeToFind_;
};

} // namespace

int rowTextMargin(const QWidget* list)
{
    return list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
}

int integralListHeight(int height, int rowHeight, int chrome)
{
    const int inside = height - chrome;
    if (rowHeight <= 0 || inside <= 0)
        return height;
    const int rows = std::max(1, inside / rowHeight);
    return std::min(height, rows * rowHeight + chrome);
}

QListWidget* ListBox::list() const
{
    return dynamic_cast<QListWidget*>(widget_.data());
}

void ListBox::addString(std::u16string_view text)
{
    auto* l = list();
    if (!l)
        return;
    const QString s = toQString(text);
    if (l->property("sorted").toBool())
        l->insertItem(sortedPosition(l->count(), [l](int i) { return l->item(i)->text(); }, s), s);
    else
        l->addItem(s);
}

void ListBox::resetContent()
{
    if (auto* l = list()) {
        const QSignalBlocker block(l);
        l->clear();
    }
}

int ListBox::count() const
{
    auto* l = list();
    return l ? l->count() : 0;
}

int ListBox::currentIndex() const
{
    auto* l = list();
    return l ? l->currentRow() : -1;
}

void ListBox::setCurrentIndex(int index)
{
    if (auto* l = list()) {
        const QSignalBlocker block(l);
        l->setCurrentRow(index);
    }
}

std::u16string ListBox::itemText(int index) const
{
    auto* l = list();
    return l && index >= 0 && index < l->count() ? toU16(l->item(index)->text()) : std::u16string();
}

int ListBox::topIndex() const
{
    auto* l = list();
    if (!l || l->count() == 0)
        return 0;
    const auto* item = l->itemAt(2, 2);
    return item ? l->row(item) : 0;
}

Control* createListBox(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    auto* l = new ListWidget(px.height, !t.has(style::kNoIntegralHeight), parent);
    l->setStyle(listStyle());
    l->verticalScrollBar()->setStyle(listStyle());
    l->setItemDelegate(new ListRows(l, LongRows::Wrap));
    l->setProperty("sorted", t.has(style::kSorted));
    l->setSelectionMode(t.has(style::kNoSelection) ? QAbstractItemView::NoSelection : QAbstractItemView::SingleSelection);
    l->setVerticalScrollBarPolicy(t.has(style::kVScroll) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    l->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    l->setFrameShape(t.has(style::kBorder) ? QFrame::Box : QFrame::NoFrame);
    // Rows that fit narrowed are never shortened; the rows' delegate wraps
    // one too wide even narrowed, which makes it taller than the others.
    l->setTextElideMode(Qt::ElideNone);
    if (t.has(style::kNotify)) {
        const int id = t.id;
        QObject::connect(l, &QListWidget::currentRowChanged, l, [dialog, id] { dialog->sendCommand(id, kSelectionChanged); });
        QObject::connect(l, &QListWidget::itemDoubleClicked, l, [dialog, id] { dialog->sendCommand(id, kDoubleClicked); });
    }
    l->setGeometry(px.x, px.y, px.width, px.height);
    l->fitHeight();
    return new ListBox(dialog, &t, l);
}

} // namespace ui
