// Static texts and pictures: drawn by hand in the handheld's manner, with
// their colours asked of the procedure; a text with the notify style answers
// taps and the keyboard.
#include "platform/ui/StaticControl.h"

#include "platform/ui/Accessibility.h"
#include "platform/ui/ControlSupport.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/Fonts.h"

#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

#include <cmath>

namespace ui {

double staticLineHeight(const QFont& font)
{
    const EmMetrics em = emMetrics(font);
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    return std::round(em.ascent * pixels) + std::round(em.descent * pixels);
}

double textNarrowing(const QFont& font, const QString& text, int boxWidth, int boxHeight)
{
    if (text.contains(QLatin1Char('\n')) || boxWidth <= 0)
        return 1.0;
    const bool oneLineOnly = boxHeight > 0 && boxHeight < 2 * staticLineHeight(font);
    const double narrowest = oneLineOnly ? 0.75 : 1 / 1.08;
    // Less than a pixel over, the letter's own margin takes it.
    const double natural = QFontMetricsF(font).horizontalAdvance(text);
    if (natural > boxWidth + 1 && boxWidth >= natural * narrowest)
        return boxWidth / natural;
    return 1.0;
}

void layOutStaticText(QTextLayout& layout, const QFont& font, int boxWidth, unsigned styles)
{
    const EmMetrics em = emMetrics(font);
    const double pixels = font.pixelSize() > 0 ? font.pixelSize() : QFontInfo(font).pixelSize();
    const double cell = staticLineHeight(font);
    const double ascentShift = std::round(em.ascent * pixels) - QFontMetricsF(font).ascent();

    layout.setFont(font);
    QTextOption option((styles & style::kCentre) ? Qt::AlignHCenter : (styles & style::kRight) ? Qt::AlignRight : Qt::AlignLeft);
    option.setWrapMode(QTextOption::WordWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    double y = ascentShift;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(boxWidth);
        line.setPosition(QPointF(0, y));
        y += cell;
    }
    layout.endLayout();
}

void drawStaticText(QPainter& painter, const QRect& box, QString text, unsigned styles)
{
    // Narrowed by scaling the drawing: the faces have no narrow cut of their own.
    const double narrowing = textNarrowing(painter.font(), text, box.width(), box.height());
    text.replace(QLatin1Char('\n'), QChar::LineSeparator);
    QTextLayout layout(text);
    layOutStaticText(layout, painter.font(), static_cast<int>(std::ceil(box.width() / narrowing)), styles);
    painter.save();
    painter.setClipRect(box);
    painter.translate(box.topLeft());
    painter.scale(narrowing, 1.0);
    layout.draw(&painter, QPointF(0, 0));
    painter.restore();
}

namespace {

class StaticWidget : public QWidget {
public:
    StaticWidget(Dialog* dialog, const ControlTemplate& t, QWidget* parent)
        : QWidget(parent), dialog_(dialog), id_(t.id), styles_(t.styles), text_(toQString(t.text))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents, !(t.styles & style::kNotify));
        // A text that answers taps is reached with the keyboard too.
        if (t.kind == ControlKind::Static && (t.styles & style::kNotify))
            setFocusPolicy(Qt::TabFocus);
        setAccessibleName(toQString(spokenText(t.text)));
    }
    void setText(const QString& s)
    {
        text_ = s;
        setAccessibleName(toQString(spokenText(toU16(s))));
        update();
    }
    const QString& text() const { return text_; }
    void setImage(const QImage& image)
    {
        image_ = image;
        if (!image_.isNull()) {
            const int border = (styles_ & style::kBorder) ? 2 : 0;
            resize(image_.width() + border, image_.height() + border);
        }
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setFont(font());
        DrawContext dc(painter);
        const Brush* brush = colourRequest(dialog_, id_, dc);
        if (brush)
            painter.fillRect(rect(), toQColor(brush->colour));
        const int border = (styles_ & style::kBorder) ? 1 : 0;
        if (!image_.isNull())
            painter.drawImage(border, border, image_);
        else if (!text_.isEmpty()) {
            painter.setPen(toQColor(dc.textColour()));
            drawStaticText(painter, rect().adjusted(border, border, -border, -border), displayText(text_), styles_);
        }
        if (border) {
            painter.setPen(Qt::black);
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
        if (hasFocus()) {
            painter.setPen(QPen(toQColor(dc.textColour()), 1, Qt::DotLine));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect().adjusted(0, 0, -1, -1));
        }
    }
    void focusInEvent(QFocusEvent*) override { update(); }
    void focusOutEvent(QFocusEvent*) override { update(); }
    void keyPressEvent(QKeyEvent* event) override
    {
        switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            dialog_->sendCommand(id_, kClicked);
            return;
        default:
            QWidget::keyPressEvent(event);
        }
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        sendStylusDown(dialog_, this, event->position().toPoint());
        pressed_ = true;
    }
    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (pressed_ && rect().contains(event->position().toPoint()))
            sendClick(event->position().toPoint());
        pressed_ = false;
    }

private:
    // The click carries where it happened, in the dialog's pixels.
    void sendClick(const QPoint& pos)
    {
        if (!dialog_->widget())
            return;
        const QPoint p = mapTo(dialog_->widget(), pos);
        Event e;
        e.kind = EventKind::Command;
        e.controlId = id_;
        e.code = kClicked;
        e.x = p.x();
        e.y = p.y();
        e.hasPosition = true;
        dialog_->send(e);
    }

    Dialog* dialog_;
    int id_;
    unsigned styles_;
    QString text_;
    QImage image_;
    bool pressed_ = false;
};

} // namespace

void StaticControl::setText(std::u16string_view text)
{
    if (auto* w = dynamic_cast<StaticWidget*>(widget_.data()))
        w->setText(toQString(text));
}

std::u16string StaticControl::text() const
{
    if (auto* w = dynamic_cast<StaticWidget*>(widget_.data()))
        return toU16(w->text());
    return {};
}

void StaticControl::setBitmap(const Bitmap* bitmap)
{
    if (auto* w = dynamic_cast<StaticWidget*>(widget_.data()))
        w->setImage(bitmap ? bitmap->image() : QImage());
}

Control* createStatic(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    auto* w = new StaticWidget(dialog, t, parent);
    w->setGeometry(px.x, px.y, px.width, px.height);
    // A picture takes the size of its bitmap.
    if (t.kind == ControlKind::Picture && t.picture > 0)
        if (auto bitmap = loadBitmap(t.picture))
            w->setImage(bitmap->image());
    if (t.kind == ControlKind::Picture && px.width > 0 && w->width() == 0)
        w->setGeometry(px.x, px.y, px.width, px.height);
    return new StaticControl(dialog, &t, w);
}

} // namespace ui
