// The application state: the module, the main menu window that owns every
// chapter, and the main menu's two fonts.
#pragma once

#include "platform/ui/Fonts.h"

#include <memory>

namespace ui {
class Dialog;
}

struct AppState {
    // The module whose resources hold the templates; the desktop program has
    // one module, so this only records that the entry ran.
    void* instance = nullptr;
    // The main menu: owner of the chapters and target of the input-panel request.
    ui::Dialog* mainWindow = nullptr;
    std::unique_ptr<ui::Font> entryFont; // bold labels of the four rows
    std::unique_ptr<ui::Font> linkFont;  // footer links
};

extern AppState* g_appState;

// The input-panel request every dialog makes on size, paint and setting
// changes: always on the main menu's window, never on the dialog's own.
void requestInputPanel();
