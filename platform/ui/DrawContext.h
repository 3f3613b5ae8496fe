// Drawing in the handheld's vocabulary over QPainter: pens, brushes, fonts,
// rectangles, bit-block copies of bitmaps and text in a rectangle.
#pragma once

#include "platform/ui/Geometry.h"

#include <QImage>

#include <memory>
#include <string_view>

class QPainter;

namespace ui {

class Font;

struct Pen {
    enum class Style { Solid, None };
    Style style = Style::Solid;
    int width = 1;
    Colour colour;
};

struct Brush {
    Colour colour{255, 255, 255};
    bool hollow = false;
};

std::unique_ptr<Brush> createSolidBrush(Colour colour);
Pen nullPen();

// A bitmap from the module's resources.
class Bitmap {
public:
    explicit Bitmap(QImage image) : image_(std::move(image)) {}
    const QImage& image() const { return image_; }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

private:
    QImage image_;
};

// The bitmap with the given id (":/bitmaps/<id>.bmp" or ".png"), or null.
std::unique_ptr<Bitmap> loadBitmap(int bitmapId);
// An uncompressed 24-bit bitmap file as an RGB32 image; a null image for
// any other file.
QImage decodeBitmap24(const QByteArray& file);

// Text placement flags of drawText.
namespace text_flags {
inline constexpr unsigned kLeft = 0;
inline constexpr unsigned kCentre = 1u << 0;
inline constexpr unsigned kRight = 1u << 1;
inline constexpr unsigned kVCentre = 1u << 2;
inline constexpr unsigned kBottom = 1u << 3;
inline constexpr unsigned kWordBreak = 1u << 4;
inline constexpr unsigned kSingleLine = 1u << 5;
inline constexpr unsigned kNoClip = 1u << 6;
} // namespace text_flags

enum class BackgroundMode { Transparent, Opaque };

class DrawContext {
public:
    explicit DrawContext(QPainter& painter);
    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    void selectPen(const Pen& pen);
    void selectBrush(const Brush* brush);
    void selectFont(const Font* font);
    void setBackgroundMode(BackgroundMode mode) { bkMode_ = mode; }
    void setBackgroundColour(Colour colour) { bkColour_ = colour; }
    void setTextColour(Colour colour) { textColour_ = colour; }

    BackgroundMode backgroundMode() const { return bkMode_; }
    Colour backgroundColour() const { return bkColour_; }
    Colour textColour() const { return textColour_; }

    // Outline with the pen, inside with the brush; right and bottom exclusive.
    void rectangle(const Rect& rect);
    void fillRect(const Rect& rect, const Brush& brush);
    // Takes back what was drawn in rect, so that on a drawing surface the
    // window underneath shows there again.
    void eraseRect(const Rect& rect);
    void line(int x1, int y1, int x2, int y2);
    // Copies width x height pixels of the bitmap from (sx, sy) to (x, y).
    void bitBlt(int x, int y, int width, int height, const Bitmap& bitmap, int sx = 0, int sy = 0);
    void drawText(std::u16string_view text, const Rect& rect, unsigned flags);

    QPainter& painter() { return painter_; }

private:
    QPainter& painter_;
    Pen pen_;
    const Brush* brush_ = nullptr;
    BackgroundMode bkMode_ = BackgroundMode::Opaque;
    Colour bkColour_{255, 255, 255};
    Colour textColour_{0, 0, 0};
};

QColor toQColor(Colour colour);

} // namespace ui
