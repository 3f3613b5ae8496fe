// List boxes: rows of text, sorted or in the order given.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Targets.h"

class QListWidget;

namespace ui {

class ListBox : public Control, public StringListTarget {
public:
    using Control::Control;
    void addString(std::u16string_view text) override;
    void resetContent();
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    std::u16string itemText(int index) const;
    int topIndex() const;

private:
    QListWidget* list() const;
};

// The height of a list that shows whole rows only: the most rows of
// rowHeight that fit in height beside chrome (frames), at least one.
int integralListHeight(int height, int rowHeight, int chrome);

// Where a row's text starts in a list: after the style's item margin.
int rowTextMargin(const QWidget* list);

Control* createListBox(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

} // namespace ui
