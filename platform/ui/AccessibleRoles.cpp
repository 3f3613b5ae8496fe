// Roles from the template's geometry: which control lies in which row or
// frame, and which text captions which check box.
#include "platform/ui/AccessibleRoles.h"

#include "platform/ui/Accessibility.h"

namespace ui {

namespace {

bool liesIn(const ControlTemplate& inner, const ControlTemplate& outer)
{
    return outer.rect.contains(inner.rect.x + inner.rect.width / 2, inner.rect.y + inner.rect.height / 2);
}

bool isTappableText(const ControlTemplate& c)
{
    return c.kind == ControlKind::Static && c.has(style::kNotify);
}

// Controls a user works with; a frame drawn around them is decoration.
bool isField(const ControlTemplate& c)
{
    switch (c.kind) {
    case ControlKind::Button:
    case ControlKind::CheckBox:
    case ControlKind::Edit:
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::HScrollBar:
    case ControlKind::TreeView:
    case ControlKind::TabControl:
        return true;
    default:
        return false;
    }
}

// The owner-drawn row that a control lies in and that a tappable text
// speaks for, or null.
const ControlTemplate* rowOf(const DialogTemplate& tmpl, const ControlTemplate& control)
{
    for (const auto& row : tmpl.controls) {
        if (row.kind != ControlKind::OwnerDraw || &row == &control || !liesIn(control, row))
            continue;
        for (const auto& c : tmpl.controls)
            if (isTappableText(c) && liesIn(c, row))
                return &row;
    }
    return nullptr;
}

bool holdsOtherControls(const DialogTemplate& tmpl, const ControlTemplate& frame)
{
    for (const auto& c : tmpl.controls)
        if (&c != &frame && (isTappableText(c) || isField(c)) && liesIn(c, frame))
            return true;
    return false;
}

// A text that names a field is part of that field: the reader hears it
// with the field, not once more on its own.
bool namesField(const DialogTemplate& tmpl, const ControlTemplate& label)
{
    const std::u16string text = spokenText(label.text);
    if (text.empty())
        return false; // filled in later, e.g. an entry's header line
    for (const auto& c : tmpl.controls)
        if (isField(c) && accessibleName(tmpl, c) == text)
            return true;
    return false;
}

} // namespace

AccessibleRole accessibleRole(const DialogTemplate& tmpl, const ControlTemplate& control)
{
    switch (control.kind) {
    case ControlKind::OwnerDraw:
        return holdsOtherControls(tmpl, control) ? AccessibleRole::Omitted : AccessibleRole::Default;
    case ControlKind::Picture:
        // Only a picture that answers taps on its own is more than decoration.
        return control.has(style::kNotify) && !rowOf(tmpl, control) ? AccessibleRole::Graphic : AccessibleRole::Omitted;
    case ControlKind::Static:
        if (control.has(style::kNotify))
            return rowOf(tmpl, control) ? AccessibleRole::RowButton : AccessibleRole::Link;
        return namesField(tmpl, control) ? AccessibleRole::Omitted : AccessibleRole::Label;
    default:
        return AccessibleRole::Default;
    }
}

} // namespace ui
