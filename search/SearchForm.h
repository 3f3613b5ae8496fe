// The search form, dialog 126.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

namespace SearchForm {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);
} // namespace
