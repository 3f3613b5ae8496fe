// The help menu, dialog 136, and its four pages.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

namespace HelpMenu {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);
} // namespace
