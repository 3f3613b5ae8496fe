// Drawing context, brushes and bitmaps.
#include "platform/ui/DrawContext.h"

#include "platform/ui/Fonts.h"

#include <QFile>
#include <QPainter>

namespace ui {

QColor toQColor(Colour c)
{
    return QColor(c.red, c.green, c.blue);
}

std::unique_ptr<Brush> createSolidBrush(Colour colour)
{
    return std::make_unique<Brush>(Brush{colour, false});
}

Pen nullPen()
{
    Pen pen;
    pen.style = Pen::Style::None;
    return pen;
}

std::unique_ptr<Bitmap> loadBitmap(int bitmapId)
{
    for (const char* ext : {"bmp", "png"}) {
        const QString path = QStringLiteral(":/bitmaps/%1.%2").arg(bitmapId).arg(QString::fromLatin1(ext));
        if (!QFile::exists(path))
            continue;
        QImage image(path);
        if (!image.isNull())
            return std::make_unique<Bitmap>(image.convertToFormat(QImage::Format_RGB32));
    }
    return nullptr;
}

DrawContext::DrawContext(QPainter& painter) : painter_(painter)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void DrawContext::selectPen(const Pen& pen)
{
    pen_ = pen;
}

void DrawContext::selectBrush(const Brush* brush)
{
    brush_ = brush;
}

void DrawContext::selectFont(const Font* font)
{
    if (font)
        painter_.setFont(font->qfont());
}

void DrawContext::rectangle(const Rect& r)
{
    if (r.width <= 0 || r.height <= 0)
        return;
    if (brush_ && !brush_->hollow)
        painter_.fillRect(r.x, r.y, r.width, r.height, toQColor(brush_->colour));
    if (pen_.style == Pen::Style::None)
        return;
    painter_.save();
    QPen qpen(toQColor(pen_.colour));
    qpen.setWidth(std::max(1, pen_.width));
    qpen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(qpen);
    painter_.setBrush(Qt::NoBrush);
    painter_.drawRect(r.x, r.y, r.width - 1, r.height - 1);
    painter_.restore();
}

void DrawContext::fillRect(const Rect& r, const Brush& brush)
{
    if (!brush.hollow && r.width > 0 && r.height > 0)
        painter_.fillRect(r.x, r.y, r.width, r.height, toQColor(brush.colour));
}

void DrawContext::eraseRect(const Rect& r)
{
    if (r.width <= 0 || r.height <= 0)
        return;
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_Clear);
    painter_.fillRect(r.x, r.y, r.width, r.height, Qt::transparent);
    painter_.restore();
}

void DrawContext::line(int x1, int y1, int x2, int y2)
{
    if (pen_.style == Pen::Style::None)
        return;
    painter_.save();
    painter_.setPen(QPen(toQColor(pen_.colour), std::max(1, pen_.width)));
    painter_.drawLine(x1, y1, x2, y2);
    painter_.restore();
}

void DrawContext::bitBlt(int x, int y, int width, int height, const Bitmap& bitmap, int sx, int sy)
{
    if (width <= 0 || height <= 0)
        return;
    painter_.drawImage(QPoint(x, y), bitmap.image(), QRect(sx, sy, width, height));
}

void DrawContext::drawText(std::u16string_view text, const Rect& r, unsigned flags)
{
    int align = 0;
    align |= (flags & text_flags::kCentre) ? Qt::AlignHCenter : (flags & text_flags::kRight) ? Qt::AlignRight : Qt::AlignLeft;
    align |= (flags & text_flags::kVCentre) ? Qt::AlignVCenter : (flags & text_flags::kBottom) ? Qt::AlignBottom : Qt::AlignTop;
    if (flags & text_flags::kWordBreak)
        align |= Qt::TextWordWrap;
    QString s = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    if (flags & text_flags::kSingleLine)
        s.replace(QLatin1Char('\r'), QString()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    else
        s.remove(QLatin1Char('\r'));
    const QRect rect(r.x, r.y, r.width, r.height);
    painter_.save();
    if (!(flags & text_flags::kNoClip))
        painter_.setClipRect(rect, Qt::IntersectClip);
    if (bkMode_ == BackgroundMode::Opaque)
        painter_.fillRect(painter_.boundingRect(rect, align, s).intersected(rect), toQColor(bkColour_));
    painter_.setPen(toQColor(textColour_));
    painter_.drawText(rect, align, s);
    painter_.restore();
}

} // namespace ui
