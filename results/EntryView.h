// The entry detail view under the results tree: the header line, the Info
// and Jahrgänge texts, the bookmark fields, and which tab shows which group.
#pragma once

#include <cstdint>

struct ResultsDialogState;

namespace results_tab {
inline constexpr int kInfo = 0;
inline constexpr int kVintages = 1;
inline constexpr int kBookmark = 2;
} // namespace results_tab

// Shows the entry whose ID is itemData; 0 (a category node) keeps what is shown.
void showEntry(ResultsDialogState& state, std::intptr_t itemData);

// Shows the control group of a tab and hides the others.
void showTabGroup(ResultsDialogState& state, int tab);
