// The state of the help menu and of each of its four pages.
#pragma once

#include "platform/ui/Fonts.h"

#include <memory>

namespace ui {
class Dialog;
}

struct HelpDialogState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
};
