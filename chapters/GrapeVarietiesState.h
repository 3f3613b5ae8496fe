// The grape varieties chapter's state for the program's life.
#pragma once

#include "platform/ui/Fonts.h"

#include <memory>

namespace ui {
class Dialog;
}

struct GrapeVarietiesState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
};
