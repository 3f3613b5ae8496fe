// Horizontal scroll bars whose position only the procedure moves.
#pragma once

#include "platform/ui/Control.h"

class QScrollBar;

namespace ui {

class ScrollBar : public Control {
public:
    using Control::Control;
    void setRange(int minimum, int maximum);
    int minimum() const;
    int maximum() const;
    void setPosition(int position);
    int position() const;

private:
    QScrollBar* bar() const;
};

Control* createScrollBar(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

} // namespace ui
