// What each control of a template is to a screen reader: the handheld drew
// rows and frames from several controls, and a reader should meet each thing
// on the screen once.
#pragma once

#include "platform/ui/Template.h"

namespace ui {

enum class AccessibleRole {
    Default,   // the control's own object: buttons, fields, lists, trees, tabs
    Omitted,   // decoration, or a repeat of what another object already says
    Label,     // static text
    Link,      // a text that answers taps on its own
    RowButton, // a text that stands for the owner-drawn row it lies in
    Graphic,   // a picture that answers taps on its own
};

// A row is an owner-drawn button with a tappable text on it: the text speaks
// for the row, and the row's picture and the button itself are left out. An
// owner-drawn button around check boxes or other fields is a frame and is
// left out too, and so is a text that names a field (the field carries it).
AccessibleRole accessibleRole(const DialogTemplate& tmpl, const ControlTemplate& control);

} // namespace ui
