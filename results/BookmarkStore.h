// The bookmark rows themselves, without any window: whether an entry has
// one, and replacing or removing it. Each write is one transaction of the
// guide, stored whole or not at all; a bookmark import runs
// replaceBookmarkRow for every bookmark inside one runTransaction.
#pragma once

#include <optional>
#include <string_view>

class WineDatabase;

// Whether entry id (decimal) has a bookmark row; none when the lookup
// failed, which is not the same as no bookmark.
std::optional<bool> bookmarkExists(WineDatabase& database, std::u16string_view id);

// The statements that put the new row of entry id in place of any old one:
// the lookup, the old row's DELETE, the INSERT. For use inside a
// transaction; false when one of them failed.
bool replaceBookmarkRow(WineDatabase& database, std::u16string_view id, std::u16string_view description,
                        std::u16string_view note);

// Replaces entry id's bookmark in one transaction; true once committed.
bool writeBookmark(WineDatabase& database, std::u16string_view id, std::u16string_view description,
                   std::u16string_view note);
// Deletes entry id's bookmark in one transaction; true once committed.
bool removeBookmark(WineDatabase& database, std::u16string_view id);
