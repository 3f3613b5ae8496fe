// Tree views of labelled items, each with a number for the procedure.
#pragma once

#include "platform/ui/Control.h"

#include <cstdint>

class QTreeWidget;

namespace ui {

// Tree items are opaque handles; null is "no item" and "the root".
using TreeItem = void*;

class TreeView : public Control {
public:
    using Control::Control;
    TreeItem insertItem(TreeItem parent, std::u16string_view text, std::intptr_t data = 0);
    void deleteAllItems();
    // Removes one item with its children, without a selection notification.
    void deleteItem(TreeItem item);
    std::intptr_t itemData(TreeItem item) const;
    std::u16string itemText(TreeItem item) const;
    TreeItem parentItem(TreeItem item) const;
    int childCount(TreeItem item) const; // of the root when item is null
    TreeItem child(TreeItem item, int index) const;
    TreeItem selectedItem() const;
    void selectItem(TreeItem item);
    void expand(TreeItem item, bool expanded = true);
    bool isExpanded(TreeItem item) const;
    void setItemFont(TreeItem item, const Font* font);
    int count() const;

private:
    QTreeWidget* tree() const;
};

Control* createTreeView(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

} // namespace ui
