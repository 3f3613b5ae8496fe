// The results dialog, template 109: search hits or the bookmark list.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

class WineDatabase;
struct ResultsDialogState;

namespace ui {
class TreeView;
}

// Rows listed at most from one search.
inline constexpr int kMaxResultRows = 80;

std::intptr_t resultsDialogProc(ui::Dialog& dialog, const ui::Event& event);

// Search-mode set-up; false when nothing was found and the dialog has ended.
bool runSearch(ResultsDialogState& state);
// Runs the statement in the text buffer and lists up to kMaxResultRows rows
// under the colour nodes; hitCount is the statement's row count (0 when it
// cannot be had). False when the statement cannot be run or finds no row.
bool fillResultTree(WineDatabase& database, ui::TreeView& tree, int& hitCount);
