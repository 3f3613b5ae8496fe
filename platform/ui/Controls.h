// Every control family of the dialogs, and the factory that builds a
// template control's widget and its typed wrapper.
#pragma once

#include "platform/ui/Buttons.h"
#include "platform/ui/ComboBox.h"
#include "platform/ui/Control.h"
#include "platform/ui/EditControl.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ScrollBar.h"
#include "platform/ui/StaticControl.h"
#include "platform/ui/TabControl.h"
#include "platform/ui/TreeView.h"

namespace ui {

// Builds the widget of one template control inside parent.
Control* createControl(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

} // namespace ui
