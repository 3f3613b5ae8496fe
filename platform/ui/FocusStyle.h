// The style of every control: the application's style, with a focus mark
// that always shows. The desktop's style draws it only after a Tab, so a
// focus moved by Return or by a dialog's procedure was invisible.
#pragma once

#include <QProxyStyle>

namespace ui {

class FocusStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                            const QWidget* widget) const override;
};

// A fresh copy of the desktop's own style, to build a proxy style on.
QStyle* newDesktopStyle();

// Makes the focus style the application's, once.
void installFocusStyle();

} // namespace ui
