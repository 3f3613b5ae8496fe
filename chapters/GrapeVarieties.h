// The grape varieties chapter, dialog 128.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

namespace GrapeVarieties {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);
} // namespace
