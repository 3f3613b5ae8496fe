// Bookmarks out of the guide and back in: the list with their wines, the
// CSV export written through a temporary file and a rename, and the import
// that takes a whole file in one transaction or nothing of it.
#pragma once

#include "cli/BookmarkCsv.h"
#include "cli/Console.h"

#include <QIODevice>

#include <functional>
#include <string>
#include <vector>

class WineDatabase;

namespace cli {

// Every bookmark in the bookmark list's order; false when the guide fails.
bool readBookmarkRows(WineDatabase& database, std::vector<BookmarkRow>& rows);

// Writes a file whole or not at all: write fills a temporary file beside it,
// which then takes the file's name. False, with the reason on standard
// error, when the folder is missing or cannot be written.
bool saveWhole(const std::u16string& path, const std::function<bool(QIODevice&)>& write, const Console& console);

int exportBookmarks(WineDatabase& database, const std::u16string& path, const Console& console);

// A row names a wine by its id when that entry is the row's wine (or the row
// gives no keyword), else by the one entry with the row's keyword and region
// (a guide of another edition). Rows naming no wine refuse the whole file
// unless skipUnknown; a row for a wine another row named already refuses it.
int importBookmarks(WineDatabase& database, const std::u16string& path, bool skipUnknown, const Console& console);

} // namespace cli
