// The imprint, dialog 132: a heading, the credit rows and a banner.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

namespace Imprint {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);
} // namespace Imprint
