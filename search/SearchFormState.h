// The search form's state for the program's life, including the animation's stop flag.
#pragma once

#include "platform/ui/Fonts.h"

#include <memory>

namespace ui {
class Dialog;
}

struct SearchFormState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
    std::unique_ptr<ui::Font> labelFont;
};
