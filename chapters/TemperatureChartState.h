// The temperature chart's state; it outlives each opening of the dialog.
#pragma once

#include "platform/ui/Fonts.h"

#include <memory>

namespace ui {
class Dialog;
}

struct TemperatureChartState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
    std::unique_ptr<ui::Font> textFont;
    std::unique_ptr<ui::Font> comboFont;
};
