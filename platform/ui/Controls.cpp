// The control factory: each kind is built by its family's file; the styles
// every kind shares (hidden, disabled) are applied here. Qt signals become
// dialog events inside the families; nothing above them connects a signal.
#include "platform/ui/Controls.h"

#include "platform/ui/FocusStyle.h"

namespace ui {

namespace {

using Factory = Control* (*)(Dialog*, const ControlTemplate&, QWidget*, const Rect&);

Factory factoryOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Static:
    case ControlKind::Picture: return createStatic;
    case ControlKind::Button: return createPushButton;
    case ControlKind::OwnerDraw: return createOwnerDrawButton;
    case ControlKind::CheckBox: return createCheckBox;
    case ControlKind::Edit: return createEdit;
    case ControlKind::ComboBox: return createComboBox;
    case ControlKind::ListBox: return createListBox;
    case ControlKind::HScrollBar: return createScrollBar;
    case ControlKind::TreeView: return createTreeView;
    case ControlKind::TabControl: return createTabControl;
    }
    return createStatic;
}

} // namespace

Control* createControl(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    installFocusStyle();
    Control* control = factoryOf(t.kind)(dialog, t, parent, px);
    QWidget* widget = control->widget();
    if (t.has(style::kDisabled))
        widget->setEnabled(false);
    widget->setVisible(!t.has(style::kHidden));
    return control;
}

} // namespace ui
