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
// Replaces the entry's bookmark row with the fields' texts, in one transaction.
void saveBookmark(ResultsDialogState& state);
// The write step of saveBookmark: deletes any row of the entry and inserts
// the new one, all or nothing; true once the transaction is committed.
bool writeBookmark(std::u16string_view id, std::u16string_view description, std::u16string_view note);
// Deletes the entry's bookmark row and shows the bookmark list.
void deleteBookmark(ResultsDialogState& state);
