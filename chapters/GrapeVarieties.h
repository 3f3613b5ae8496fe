// The grape varieties chapter, dialog 128: an introduction, a red and a
// white list of varieties, and the description of the one picked.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace GrapeVarieties {

// The statement that looks up the description of the variety called name:
// every variety whose name begins with it, first row wins. Apostrophes are
// doubled; a name holding a wildcard is compared as it stands.
std::u16string descriptionStatement(std::u16string_view name);

std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);

} // namespace GrapeVarieties
