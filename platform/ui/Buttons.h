// Push buttons, owner-drawn buttons and check boxes.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Targets.h"

namespace ui {

class Button : public Control, public TextTarget {
public:
    using Control::Control;
    void setText(std::u16string_view text) override;
    std::u16string text() const override;
    void click();
};

class CheckBox : public Button {
public:
    using Button::Button;
    bool isChecked() const;
    void setChecked(bool checked);
};

Control* createPushButton(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);
Control* createOwnerDrawButton(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);
Control* createCheckBox(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

} // namespace ui
