// Tree views as the handheld drew them: dotted lines joining the items,
// boxed plus and minus buttons on items with children, lines at the root
// where the template asks. A label is never shortened: a tree whose labels
// are wider than it scrolls sideways, and each item names its whole label
// in its tooltip and to screen readers.
#include "platform/ui/TreeView.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/ListRows.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyleOption>
#include <QTreeWidget>

namespace ui {

namespace {

// A tree item's data lives in this role.
constexpr int kItemDataRole = Qt::UserRole + 1;
// The plus and minus box, in pixels.
constexpr int kButtonSize = 9;

QTreeWidgetItem* treeItem(TreeItem item)
{
    return static_cast<QTreeWidgetItem*>(item);
}

class TreeWidget : public QTreeWidget {
public:
    TreeWidget(bool lines, bool buttons, QWidget* parent) : QTreeWidget(parent), lines_(lines), buttons_(buttons) {}

protected:
    // A tree with the focus but no current item (empty, say) marks its
    // whole inside: the focus is never out of sight.
    void paintEvent(QPaintEvent* event) override
    {
        QTreeWidget::paintEvent(event);
        if (!hasFocus() || currentIndex().isValid())
            return;
        QPainter painter(viewport());
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = viewport()->rect();
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }

    // The branch area left of an item: one column of indentation per level,
    // the item's own column last.
    void drawBranches(QPainter* painter, const QRect& rect, const QModelIndex& index) const override
    {
        const int indent = indentation();
        if (indent <= 0 || rect.width() < indent)
            return;
        painter->save();
        const int mid = rect.top() + rect.height() / 2;
        int column = rect.right() + 1 - indent;
        if (lines_) {
            painter->setPen(QPen(Qt::gray, 1, Qt::DotLine));
            drawOwnLines(painter, QRect(column, rect.top(), indent, rect.height()), index, mid);
            // An ancestor's line runs on past this row while it has a sibling below.
            for (QModelIndex up = index.parent(); up.isValid() && column - indent >= rect.left(); up = up.parent()) {
                column -= indent;
                if (up.sibling(up.row() + 1, 0).isValid()) {
                    const int x = column + indent / 2;
                    painter->drawLine(x, rect.top(), x, rect.bottom());
                }
            }
        }
        if (buttons_ && model()->hasChildren(index))
            drawButton(painter, QPoint(rect.right() + 1 - indent + indent / 2, mid), isExpanded(index));
        painter->restore();
    }

private:
    void drawOwnLines(QPainter* painter, const QRect& own, const QModelIndex& index, int mid) const
    {
        const int x = own.left() + own.width() / 2;
        // The very first item of the tree has nothing above it to join.
        if (index.row() > 0 || index.parent().isValid())
            painter->drawLine(x, own.top(), x, mid);
        if (index.sibling(index.row() + 1, 0).isValid())
            painter->drawLine(x, mid, x, own.bottom());
        painter->drawLine(x, mid, own.right(), mid);
    }

    static void drawButton(QPainter* painter, const QPoint& centre, bool expanded)
    {
        const QRect box(centre.x() - kButtonSize / 2, centre.y() - kButtonSize / 2, kButtonSize - 1, kButtonSize - 1);
        painter->setPen(QPen(Qt::gray, 1, Qt::SolidLine));
        painter->setBrush(Qt::white);
        painter->drawRect(box);
        painter->setPen(QPen(Qt::black, 1, Qt::SolidLine));
        painter->drawLine(box.left() + 2, centre.y(), box.right() - 2, centre.y());
        if (!expanded)
            painter->drawLine(centre.x(), box.top() + 2, centre.x(), box.bottom() - 2);
    }

    bool lines_;
    bool buttons_;
};

} // namespace

QTreeWidget* TreeView::tree() const
{
    return dynamic_cast<QTreeWidget*>(widget_.data());
}

TreeItem TreeView::insertItem(TreeItem parent, std::u16string_view text, std::intptr_t data)
{
    auto* t = tree();
    if (!t)
        return nullptr;
    auto* item = parent ? new QTreeWidgetItem(treeItem(parent)) : new QTreeWidgetItem(t);
    const QString label = toQString(text);
    item->setText(0, label);
    item->setToolTip(0, label);
    item->setData(0, Qt::AccessibleTextRole, label);
    item->setData(0, kItemDataRole, QVariant::fromValue<qlonglong>(data));
    // A tree that had the focus while empty gets its first item as the
    // current one, as it would on taking the focus, so the first arrow key
    // already acts on it; nothing is selected.
    if (!parent && t->hasFocus() && !t->currentIndex().isValid())
        t->selectionModel()->setCurrentIndex(t->model()->index(0, 0), QItemSelectionModel::NoUpdate);
    return item;
}

void TreeView::deleteAllItems()
{
    if (auto* t = tree()) {
        const QSignalBlocker block(t);
        t->clear();
    }
}

void TreeView::deleteItem(TreeItem item)
{
    auto* t = tree();
    if (!t || !item)
        return;
    const QSignalBlocker block(t);
    delete treeItem(item);
}

std::intptr_t TreeView::itemData(TreeItem item) const
{
    return item ? static_cast<std::intptr_t>(treeItem(item)->data(0, kItemDataRole).toLongLong()) : 0;
}

std::u16string TreeView::itemText(TreeItem item) const
{
    return item ? toU16(treeItem(item)->text(0)) : std::u16string();
}

TreeItem TreeView::parentItem(TreeItem item) const
{
    return item ? treeItem(item)->parent() : nullptr;
}

int TreeView::childCount(TreeItem item) const
{
    if (item)
        return treeItem(item)->childCount();
    auto* t = tree();
    return t ? t->topLevelItemCount() : 0;
}

TreeItem TreeView::child(TreeItem item, int index) const
{
    if (item)
        return treeItem(item)->child(index);
    auto* t = tree();
    return t ? t->topLevelItem(index) : nullptr;
}

TreeItem TreeView::selectedItem() const
{
    auto* t = tree();
    return t ? t->currentItem() : nullptr;
}

void TreeView::selectItem(TreeItem item)
{
    if (auto* t = tree())
        t->setCurrentItem(treeItem(item));
}

void TreeView::expand(TreeItem item, bool expanded)
{
    if (item)
        treeItem(item)->setExpanded(expanded);
}

bool TreeView::isExpanded(TreeItem item) const
{
    return item && treeItem(item)->isExpanded();
}

void TreeView::setItemFont(TreeItem item, const Font* font)
{
    if (item && font)
        treeItem(item)->setFont(0, font->qfont());
}

int TreeView::count() const
{
    auto* t = tree();
    if (!t)
        return 0;
    int n = 0;
    for (QTreeWidgetItemIterator it(t); *it; ++it)
        ++n;
    return n;
}

Control* createTreeView(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    auto* tree = new TreeWidget(t.has(style::kHasLines), t.has(style::kHasButtons), parent);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setRootIsDecorated(t.has(style::kLinesAtRoot));
    tree->setFrameShape(t.has(style::kBorder) ? QFrame::Box : QFrame::NoFrame);
    tree->setIndentation(12);
    tree->setItemDelegate(new FullHeightRows(tree));
    // The one column is as wide as its widest shown label; the tree scrolls.
    tree->setTextElideMode(Qt::ElideNone);
    tree->header()->setStretchLastSection(false);
    tree->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    const int id = t.id;
    QObject::connect(tree, &QTreeWidget::currentItemChanged, tree, [dialog, id](QTreeWidgetItem* current) {
        Event e;
        e.kind = EventKind::Notify;
        e.controlId = id;
        e.code = kTreeSelectionChanged;
        e.itemData = current ? static_cast<std::intptr_t>(current->data(0, kItemDataRole).toLongLong()) : 0;
        dialog->send(e);
    });
    tree->setGeometry(px.x, px.y, px.width, px.height);
    return new TreeView(dialog, &t, tree);
}

} // namespace ui
