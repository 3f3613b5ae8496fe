// The list controls' style.
#include "platform/ui/ListStyle.h"

#include <QApplication>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleFactory>

namespace ui {

namespace {

constexpr int kScrollBarWidth = 13;
constexpr int kTextMargin = 2; // the style adds one pixel to this metric

class ListStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* answer) const override
    {
        if (hint == SH_ComboBox_Popup)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, answer);
    }
    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_ScrollBarExtent)
            return kScrollBarWidth;
        if (metric == PM_FocusFrameHMargin)
            return kTextMargin - 1;
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
};

} // namespace

QStyle* listStyle()
{
    static QPointer<QStyle> style;
    if (!style) {
        style = new ListStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp);
    }
    return style;
}

} // namespace ui
