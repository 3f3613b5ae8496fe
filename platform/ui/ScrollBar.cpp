// Scroll bars: every user action becomes a scroll event with the handheld's
// code, and every gesture ends with the end-scroll code.
#include "platform/ui/ScrollBar.h"

#include "platform/ui/Dialog.h"

#include <QScrollBar>

namespace ui {

namespace {

class ScrollWidget : public QScrollBar {
public:
    ScrollWidget(Dialog* dialog, int id, QWidget* parent) : QScrollBar(Qt::Horizontal, parent), dialog_(dialog), id_(id)
    {
        // A slider the user sets is reached with Tab like every other control.
        setFocusPolicy(Qt::StrongFocus);
    }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        QScrollBar::mouseReleaseEvent(event);
        Event e;
        e.kind = EventKind::HorizontalScroll;
        e.controlId = id_;
        e.code = kEndScroll;
        e.position = value();
        dialog_->send(e);
    }

private:
    Dialog* dialog_;
    int id_;
};

} // namespace

QScrollBar* ScrollBar::bar() const
{
    return dynamic_cast<QScrollBar*>(widget_.data());
}

void ScrollBar::setRange(int minimum, int maximum)
{
    if (auto* b = bar()) {
        const QSignalBlocker block(b);
        b->setRange(minimum, maximum);
    }
}

int ScrollBar::minimum() const
{
    auto* b = bar();
    return b ? b->minimum() : 0;
}

int ScrollBar::maximum() const
{
    auto* b = bar();
    return b ? b->maximum() : 0;
}

void ScrollBar::setPosition(int position)
{
    if (auto* b = bar()) {
        const QSignalBlocker block(b);
        b->setValue(position);
        b->setSliderPosition(b->value());
    }
}

int ScrollBar::position() const
{
    auto* b = bar();
    return b ? b->value() : 0;
}

Control* createScrollBar(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    const int id = t.id;
    auto* s = new ScrollWidget(dialog, id, parent);
    s->setRange(0, 100);
    s->setPageStep(1);
    // The bar moves only when the procedure sets the position.
    QObject::connect(s, &QAbstractSlider::actionTriggered, s, [dialog, id, s](int action) {
        Event e;
        e.kind = EventKind::HorizontalScroll;
        e.controlId = id;
        switch (action) {
        case QAbstractSlider::SliderSingleStepAdd: e.code = kLineRight; break;
        case QAbstractSlider::SliderSingleStepSub: e.code = kLineLeft; break;
        case QAbstractSlider::SliderPageStepAdd: e.code = kPageRight; break;
        case QAbstractSlider::SliderPageStepSub: e.code = kPageLeft; break;
        case QAbstractSlider::SliderToMinimum: e.code = kLeft; break;
        case QAbstractSlider::SliderToMaximum: e.code = kRight; break;
        case QAbstractSlider::SliderMove: e.code = kThumbTrack; e.position = s->sliderPosition(); break;
        default: return;
        }
        const int before = s->value();
        s->setSliderPosition(before);
        dialog->send(e);
    });
    QObject::connect(s, &QAbstractSlider::sliderReleased, s, [dialog, id, s] {
        Event e;
        e.kind = EventKind::HorizontalScroll;
        e.controlId = id;
        e.code = kThumbPosition;
        e.position = s->sliderPosition();
        dialog->send(e);
    });
    s->setGeometry(px.x, px.y, px.width, px.height);
    return new ScrollBar(dialog, &t, s);
}

} // namespace ui
