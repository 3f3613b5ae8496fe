// Rectangles and colours in the handheld's terms.
#pragma once

#include <cstdint>

namespace ui {

struct Rect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool contains(int px, int py) const { return px >= x && py >= y && px < x + width && py < y + height; }
    bool operator==(const Rect&) const = default;
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Colour&) const = default;
};

inline constexpr Colour rgb(int r, int g, int b)
{
    return Colour{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g), static_cast<std::uint8_t>(b)};
}

} // namespace ui
