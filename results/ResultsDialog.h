// The results dialog, template 109: search hits or the bookmark list.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>
#include <functional>

class WineDatabase;
struct ResultsDialogState;

namespace ado {
class Recordset;
}
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

// Runs the statement in textBuffer as a static, read-only cursor and hands
// its rows to read, which returns false when they hold nothing to list. A
// failure of the guide while reading is recorded and marks
// state.guideFailed, and the whole fill fails: no partial list passes for
// the answer.
bool readStatementRows(WineDatabase& database, ResultsDialogState& state,
                       const std::function<bool(ado::Recordset&)>& read);
