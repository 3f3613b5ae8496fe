// Tab controls: a row of tabs, on top or at the bottom.
#pragma once

#include "platform/ui/Control.h"

class QTabBar;

namespace ui {

class TabControl : public Control {
public:
    using Control::Control;
    int insertItem(int position, std::u16string_view text);
    int count() const;
    int currentIndex() const;
    // Selects a tab without a notification, as the handheld's call did.
    void setCurrentIndex(int index);
    std::u16string itemText(int index) const;

private:
    QTabBar* bar() const;
};

Control* createTabControl(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

} // namespace ui
