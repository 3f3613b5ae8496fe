// The objects a screen reader meets on the screen window: the dialog in
// front with one object per control, the bars, and the on-screen keyboard
// when it is up; covered dialogs and decoration are not among them.
#pragma once

#include "platform/ui/AccessibleRoles.h"

class QWidget;

namespace ui {

// Which accessible object a widget of the screen gets.
enum class AccessibleKind {
    Window,     // the screen window: bars and the front dialog, or the front message alone
    DialogArea, // not an object of its own: it shows only its front dialog
    Dialog,     // a dialog: its exposed controls in template order
    Bar,        // the navigation bar and the menu bar
    Keyboard,   // the on-screen keyboard: its keys of the shown layer
    Alert,      // a message box: caption, text and buttons
};
// A dialog's static texts and pictures need no kind: a plain widget on a
// dialog is one, in the role its template gives it.

// Installs the factory of these objects. Call once the application object
// exists and before any window is shown.
void installAccessibleObjects();

// Marks a widget with its kind; call in its constructor before anything
// can ask for its accessible object (setting its accessible name does).
void setAccessibleKind(QWidget* widget, AccessibleKind kind);

// The role a template control plays; read whenever the reader asks, so it
// may be set after the widget is made. Omitted leaves a widget out of its
// parent's children whatever its kind.
void setAccessibleRole(QWidget* widget, AccessibleRole role);

// Tells assistive technology that the front of the window changed: the
// dialog or panel that went behind is gone from the tree, the one that came
// forward is in it.
void announceFrontChange(QWidget* left, QWidget* entered);

// Tells assistive technology where the focus is, when it stayed on a widget
// that a reader heard leave (under a message box that has closed).
void announceFocus(QWidget* widget);

} // namespace ui
