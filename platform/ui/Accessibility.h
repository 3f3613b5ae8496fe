// Names that a screen reader announces for a dialog's controls.
#pragma once

#include "platform/ui/Template.h"

#include <string>

namespace ui {

// The accessible name of one control of a template: the name the template
// gives it for a screen reader; else its own text; for a
// picture, the text beside it in its row; for an owner-drawn button, the
// text lying on it; for any other control, the label beside it (the nearest
// static text to its left or above it; to its right for a check box).
// Empty when nothing names it.
std::u16string accessibleName(const DialogTemplate& tmpl, const ControlTemplate& control);

// A template text as one line: line breaks become spaces.
std::u16string spokenText(std::u16string_view text);

} // namespace ui
