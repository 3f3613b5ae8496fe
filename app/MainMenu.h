// The main menu, dialog 102: four chapter rows and three footer links.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>
#include <string_view>

namespace ui {
class Dialog;
}

// The caption of the message shown when the guide database cannot be
// opened; its text comes from databaseErrorText() with the reason.
inline constexpr std::u16string_view kDatabaseErrorCaption = u"FEHLER";

// What a menu command does: open a chapter's template, or the guide in the browser.
struct MainMenuCommand {
    int templateId = 0;       // 0: no dialog
    bool clearTextBuffer = false;
    bool openRatgeber = false;
};

// The entry of MainMenuCommand for a control id; templateId 0 and no
// Ratgeber for an id that is not in the table.
MainMenuCommand mainMenuCommand(int controlId);

std::intptr_t mainMenuProc(ui::Dialog& dialog, const ui::Event& event);

// The path of the buying guide's entry page beside the program.
std::u16string ratgeberPath();
