// The state records of the chapter dialogs, one per chapter for the whole
// process. Each chapter adds its own working fields as it is built.
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

struct ResultsDialogState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> itemFont;
};

struct GrapeVarietiesState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
};

struct TemperatureChartState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
    std::unique_ptr<ui::Font> textFont;
    std::unique_ptr<ui::Font> comboFont;
};

struct HelpDialogState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
};

struct ImprintState {
    ui::Dialog* dialog = nullptr;
    std::unique_ptr<ui::Font> titleFont;
};
