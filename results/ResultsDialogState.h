// The results dialog's state for the program's life: tree, item font, the entry shown.
#pragma once

#include "platform/ui/Fonts.h"

#include <memory>

namespace ui {
class Dialog;
}

struct ResultsDialogState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> itemFont;
};
