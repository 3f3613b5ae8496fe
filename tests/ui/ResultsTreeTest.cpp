// The results tree as its template describes it: dotted lines and plus and
// minus buttons, lines at the root; a label wider than the tree scrolls
// sideways, never shortened, and is the item's tooltip and accessible name.
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "resources/dialogs/ResultsIds.h"

#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

using namespace ids::results;

class ResultsTreeTest : public ::testing::Test {
protected:
    ResultsTreeTest()
        : dialog(*ui::loadTemplate(kTemplate), nullptr, [](ui::Dialog&, const ui::Event&) -> std::intptr_t { return 0; }, 0),
          tree(dialog.treeView(kTree)), widget(static_cast<QTreeWidget*>(tree.widget()))
    {
        bold = ui::createFont(15, 700, u"Tahoma");
        dialog.widget()->show();
    }

    ui::TreeItem add(ui::TreeItem parent, const std::u16string& label, std::intptr_t data = 0)
    {
        ui::TreeItem item = tree.insertItem(parent, label, data);
        tree.setItemFont(item, bold.get());
        return item;
    }

    QImage shot()
    {
        QApplication::processEvents();
        return widget->viewport()->grab().toImage();
    }

    // Grey or black pixels in a column of the branch area of one row.
    int inkInColumn(const QImage& image, const QRect& row, int x)
    {
        int ink = 0;
        for (int y = row.top(); y <= row.bottom(); ++y)
            ink += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
        return ink;
    }

    ui::Dialog dialog;
    ui::TreeView& tree;
    QTreeWidget* widget;
    std::unique_ptr<ui::Font> bold;
};

TEST_F(ResultsTreeTest, ALongLabelScrollsSidewaysAndIsTheTooltipAndTheAccessibleName)
{
    const std::u16string longLabel = u"Achkarrer Schlossberg, Kaiserstuhl, Baden, Deutschland " + std::u16string(450, u'x');
    ui::TreeItem node = add(nullptr, u"Rotwein");
    ui::TreeItem item = add(node, longLabel, 42);
    tree.expand(node);
    QApplication::processEvents();
    auto* qitem = static_cast<QTreeWidgetItem*>(item);
    const int labelWidth = QFontMetrics(qitem->font(0)).horizontalAdvance(qitem->text(0));
    EXPECT_GE(widget->visualItemRect(qitem).width(), labelWidth) << "the whole label is laid out";
    EXPECT_GT(widget->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(widget->textElideMode(), Qt::ElideNone);
    EXPECT_EQ(qitem->toolTip(0).toStdU16String(), longLabel);
    EXPECT_EQ(tree.itemText(item), longLabel);

    // A screen reader hears the whole label.
    QAccessibleInterface* access = QAccessible::queryAccessibleInterface(widget);
    ASSERT_TRUE(access);
    bool named = false;
    for (int i = 0; i < access->childCount(); ++i)
        if (QAccessibleInterface* child = access->child(i); child && child->text(QAccessible::Name) == qitem->text(0))
            named = true;
    EXPECT_TRUE(named);
}

TEST_F(ResultsTreeTest, NodesHaveBoxedButtonsAndDottedLinesFromTheRoot)
{
    ASSERT_TRUE(widget->rootIsDecorated()) << "lines at the root";
    ui::TreeItem red = add(nullptr, u"Rotwein");
    ui::TreeItem white = add(nullptr, u"Weißwein");
    add(red, u"Spätburgunder", 1);
    add(red, u"Lemberger", 2);
    add(white, u"Riesling", 3);
    const int indent = widget->indentation();
    const int buttonX = indent / 2;
    auto* redItem = static_cast<QTreeWidgetItem*>(red);

    // Collapsed: a plus, whose upright stroke crosses the row's middle.
    const QRect redRow = widget->visualItemRect(redItem);
    QImage image = shot();
    const int collapsed = inkInColumn(image, redRow, buttonX);
    tree.expand(red);
    image = shot();
    const int expanded = inkInColumn(image, widget->visualItemRect(redItem), buttonX);
    EXPECT_GT(collapsed, expanded) << "plus when collapsed, minus when open";
    EXPECT_GT(expanded, 0) << "the box itself";

    // The open node's line runs down past its children to the next node.
    auto* firstChild = redItem->child(0);
    const QRect childRow = widget->visualItemRect(firstChild);
    EXPECT_GT(inkInColumn(image, childRow, buttonX), 0) << "the root line passes the child rows";
    // Each child is joined to its parent's line by a horizontal stroke.
    int stroke = 0;
    for (int x = indent + indent / 2; x < 2 * indent; ++x)
        for (int y = childRow.center().y() - 1; y <= childRow.center().y() + 1; ++y)
            stroke += qGray(image.pixel(x, y)) < 200 ? 1 : 0;
    EXPECT_GT(stroke, 0);
}

} // namespace

TEST_F(ResultsTreeTest, TheFirstArrowKeyOpensTheFirstNodeOfATreeFocusedWhileEmpty)
{
    // The results dialog gives the tree the focus before it fills it.
    dialog.widget()->activateWindow();
    widget->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    ui::TreeItem red = add(nullptr, u"Rotwein");
    add(red, u"Spätburgunder", 1);
    add(nullptr, u"Weißwein");
    QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
    QApplication::sendEvent(widget, &right);
    EXPECT_TRUE(tree.isExpanded(red)) << "Right opened the first colour at once";
    EXPECT_TRUE(widget->selectedItems().isEmpty()) << "nothing selected";
}
