// The temperature chart's state; it outlives each opening of the dialog.
#pragma once

#include "chapters/ScrollAnimation.h"
#include "platform/ui/DrawContext.h"
#include "platform/ui/Fonts.h"

#include <cstdint>
#include <memory>

namespace ui {
class Dialog;
}

struct TemperatureChartState {
    // The scroll text's buffer: 8000 bytes, of which at most 2000 units
    // (terminator included) are loaded.
    static constexpr std::size_t kTextUnits = 4000;
    static constexpr std::size_t kLoadedUnits = 2000;

    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
    std::unique_ptr<ui::Font> textFont;   // handwriting of the scroll
    std::unique_ptr<ui::Font> comboFont;
    std::unique_ptr<char16_t[]> text;
    // The last stylus position that reached the dialog, as unsigned 16-bit values.
    std::int32_t stylusX = 0;
    std::int32_t stylusY = 0;
    std::int32_t step = 0;        // 0..18
    std::int32_t targetMark = 0;  // shown by the next unrolling
    std::int32_t shownMark = 0;   // shown by the open scroll
    bool ignoreNextMove = false;  // a wine-type pick swallows the next stylus move
    // Whether a stylus move reached this opening of the dialog.
    bool stylusMoved = false;

    std::unique_ptr<ui::Brush> whiteBrush;
    TemperatureChart::ScrollPictures pictures;
};
