// Bookmarks: the list mode of the results dialog, ticking and unticking the
// bookmark of the entry shown, and saving and deleting bookmark rows.
#pragma once

#include <string_view>

struct ResultsDialogState;
class WineDatabase;

namespace ui {
class TreeView;
}

// Bookmark-mode set-up: the tree lists every stored bookmark.
void showBookmarkList(ResultsDialogState& state);
// Appends one item per row of the statement in the text buffer under the
// bookmark node; false when the statement cannot be run.
bool fillBookmarkTree(WineDatabase& database, ui::TreeView& tree);

// The check box was clicked: a tick prepares a bookmark, an untick of a
// bookmarked entry asks whether to delete it.
void bookmarkCheckClicked(ResultsDialogState& state);
// Replaces the entry's bookmark row with the fields' texts, in one
// transaction; confirms it once committed, else says why and keeps the texts.
void saveBookmark(ResultsDialogState& state);
// Deletes the entry's bookmark row and shows the bookmark list.
void deleteBookmark(ResultsDialogState& state);
