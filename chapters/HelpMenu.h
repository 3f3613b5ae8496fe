// The help menu, dialog 136, and its four pages, each a dialog 137.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

namespace HelpMenu {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);
} // namespace HelpMenu

namespace HelpPage {
// One procedure per page; each fills dialog 137 with its page's title and rows.
std::intptr_t bookmarksProc(ui::Dialog& dialog, const ui::Event& event);
std::intptr_t temperatureProc(ui::Dialog& dialog, const ui::Event& event);
std::intptr_t varietiesProc(ui::Dialog& dialog, const ui::Event& event);
std::intptr_t searchProc(ui::Dialog& dialog, const ui::Event& event);
} // namespace HelpPage
