// The procedure of a chapter whose behaviour is not built yet: full screen
// with a Done button, ends with 1 on Done.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

std::intptr_t placeholderChapterProc(ui::Dialog& dialog, const ui::Event& event);
