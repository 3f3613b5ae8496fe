// Fonts by face name, height and weight, resolved through one table of
// substitutes so that a face missing from the machine never stops the program.
#pragma once

#include <QFont>
#include <QString>

#include <memory>
#include <string_view>

namespace ui {

// Registers the substitute faces that are not in the system's font
// configuration (the Tahoma-metric face). Safe to call more than once.
void loadFonts();

// Weights from this one up are drawn bold.
inline constexpr int kBoldFrom = 600;

// The installed family that stands for a face name of the handheld, in its
// regular or its bold weight.
QString resolveFamily(std::u16string_view face, bool bold = false);

// Ascent and descent per em as the handheld measured them: from the font's
// OS/2 "win" metrics where the font has them, else from Qt's metrics.
struct EmMetrics {
    double ascent = 0.8;
    double descent = 0.2;
};
EmMetrics emMetrics(const QFont& font);

// A font as the handheld creates one: height > 0 is the cell height (ascent
// plus descent), height < 0 the character height in pixels, 0 a default
// 8-point height; weight 0 means normal.
QFont makeFont(std::u16string_view face, int height, int weight);

// A font object owned by whoever created it; controls keep their own copy,
// so deleting the object after giving it away is safe.
class Font {
public:
    explicit Font(QFont font) : font_(std::move(font)) {}
    const QFont& qfont() const { return font_; }

private:
    QFont font_;
};

std::unique_ptr<Font> createFont(int height, int weight, std::u16string_view face);

} // namespace ui
