// The focus mark: a dotted rectangle of one pixel, which the zoom scales
// with everything else, drawn whenever a control has the focus.
#include "platform/ui/FocusStyle.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOption>

namespace ui {

namespace {

// The desktop's style draws some focus marks only after a keyboard focus
// change; the option says there was one for as long as the control draws.
class FocusShown {
public:
    explicit FocusShown(const QStyleOption* option)
        : option_(const_cast<QStyleOption*>(option)), saved_(option->state)
    {
        if (saved_ & QStyle::State_HasFocus)
            option_->state |= QStyle::State_KeyboardFocusChange;
    }
    ~FocusShown() { option_->state = saved_; }
    FocusShown(const FocusShown&) = delete;
    FocusShown& operator=(const FocusShown&) = delete;

private:
    QStyleOption* option_;
    QStyle::State saved_;
};

void drawFocusRect(QPainter* painter, const QStyleOption* option, const QRect& rect)
{
    const bool selected = option->state & QStyle::State_Selected;
    const QColor colour = option->palette.color(selected ? QPalette::HighlightedText : QPalette::WindowText);
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(colour, 1, Qt::DotLine));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(rect.adjusted(0, 0, -1, -1));
    painter->restore();
}

QString& baseStyleName()
{
    static QString name;
    return name;
}

} // namespace

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                               const QWidget* widget) const
{
    if (element == PE_FrameFocusRect) {
        // A check box without text of its own (its label is a static beside
        // it) has no label to frame: the frame goes round the whole box.
        const bool whole = option->rect.isEmpty() && widget;
        drawFocusRect(painter, option, whole ? widget->rect() : option->rect);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const
{
    {
        const FocusShown shown(option);
        QProxyStyle::drawControl(element, option, painter, widget);
    }
    // The tab with the focus is marked around its label.
    if (element == CE_TabBarTabLabel && (option->state & State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = option->rect.adjusted(2, 2, -2, -2);
        proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

void FocusStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                    const QWidget* widget) const
{
    {
        const FocusShown shown(option);
        QProxyStyle::drawComplexControl(control, option, painter, widget);
    }
    // A scroll bar the user sets as a slider draws no focus of its own.
    if (control == CC_ScrollBar && (option->state & State_HasFocus)) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(*option);
        focus.rect = option->rect;
        proxy()->drawPrimitive(PE_FrameFocusRect, &focus, painter, widget);
    }
}

QStyle* newDesktopStyle()
{
    if (baseStyleName().isEmpty())
        baseStyleName() = QApplication::style()->name();
    return QStyleFactory::create(baseStyleName());
}

void installFocusStyle()
{
    static QPointer<QStyle> installed;
    if (installed && QApplication::style() == installed)
        return;
    installed = new FocusStyle(newDesktopStyle());
    QApplication::setStyle(installed);
}

} // namespace ui
