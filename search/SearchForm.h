// The search form, dialog 126.
#pragma once

#include "search/SearchCriteria.h"
#include "platform/ui/Event.h"

#include <cstdint>

namespace SearchForm {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);

// Refills the region list after a blank entry: every region in the guide's
// order, or the chosen country's regions by name. Nothing is chosen after.
void refillRegionCombo(bool allRegions);
// The form's choices as they stand now.
SearchCriteria readSearchCriteria();
} // namespace
