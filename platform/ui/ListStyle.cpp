// The list controls' style.
#include "platform/ui/ListStyle.h"

#include "platform/ui/FocusStyle.h"

#include <QApplication>
#include <QPointer>

namespace ui {

namespace {

constexpr int kScrollBarWidth = 13;
constexpr int kTextMargin = 2; // the style adds one pixel to this metric

class ListStyle : public FocusStyle {
public:
    using FocusStyle::FocusStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return FocusStyle::styleHint(hint, option, widget, answer);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_ScrollBarExtent)
            return kScrollBarWidth;
        if (metric == PM_FocusFrameHMargin)
            return kTextMargin - 1;
        return FocusStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

QStyle* listStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new ListStyle(newDesktopStyle());
        style->setParent(qApp);
    }
    return style;
}

} // namespace ui
