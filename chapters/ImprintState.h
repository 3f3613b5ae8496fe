// The imprint's state for the program's life.
#pragma once

#include "platform/ui/Fonts.h"

#include <memory>

namespace ui {
class Dialog;
}

struct ImprintState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
};
