// Drawing context, brushes and bitmaps.
#include "platform/ui/DrawContext.h"

#include "platform/ui/Fonts.h"

#include <QFile>
#include <QPainter>

#include <cstdint>

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

namespace {

// Little-endian fields of a bitmap file's headers.
std::uint32_t le32(const uchar* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t le16(const uchar* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

} // namespace

QImage decodeBitmap24(const QByteArray& file)
{
    // The menu's pictures are plain 24-bit bitmaps; reading them here is a
    // tenth of the general image reader's work at start. Anything else (or
    // anything malformed) is left to that reader.
    constexpr int kFileHeader = 14;
    constexpr int kInfoHeader = 40;
    const auto* data = reinterpret_cast<const uchar*>(file.constData());
    const qsizetype size = file.size();
    if (size < kFileHeader + kInfoHeader || data[0] != 'B' || data[1] != 'M')
        return {};
    const std::uint32_t pixelsAt = le32(data + 10);
    const uchar* info = data + kFileHeader;
    if (le32(info) < kInfoHeader || le16(info + 12) != 1 || le16(info + 14) != 24 || le32(info + 16) != 0)
        return {};
    const auto width = static_cast<std::int32_t>(le32(info + 4));
    const auto rawHeight = static_cast<std::int32_t>(le32(info + 8));
    const bool bottomUp = rawHeight > 0;
    const std::int64_t height = bottomUp ? rawHeight : -static_cast<std::int64_t>(rawHeight);
    constexpr std::int32_t kMaxSide = 1 << 14;
    if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide)
        return {};
    const std::int64_t stride = (static_cast<std::int64_t>(width) * 3 + 3) / 4 * 4;
    if (static_cast<std::int64_t>(pixelsAt) + stride * height > size)
        return {};
    QImage image(width, static_cast<int>(height), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const std::int64_t row = bottomUp ? height - 1 - y : y;
        const uchar* source = data + pixelsAt + row * stride;
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

std::unique_ptr<Bitmap> loadBitmap(int bitmapId)
{
    for (const char* ext : {"bmp", "png"}) {
        const QString path = QStringLiteral(":/bitmaps/%1.%2").arg(bitmapId).arg(QString::fromLatin1(ext));
        if (!QFile::exists(path))
            continue;
        QFile file(path);
        if (file.open(QIODevice::ReadOnly)) {
            const QImage plain = decodeBitmap24(file.readAll());
            if (!plain.isNull())
                return std::make_unique<Bitmap>(plain);
        }
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
