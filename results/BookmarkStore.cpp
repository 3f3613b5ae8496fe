// Bookmark rows: the statements composed in the shared text buffer,
// apostrophes doubled, every write inside one transaction.
#include "results/BookmarkStore.h"

#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "services/ShellServices.h"

namespace {

constexpr std::int16_t kLookupChars = 100;

// Runs one statement through the text buffer; true when it ran.
bool run(WineDatabase& db, std::u16string_view statement)
{
    db.setText(statement);
    return db.execute(db.textBuffer) == 0;
}

} // namespace

std::optional<bool> bookmarkExists(WineDatabase& db, std::u16string_view id)
{
    db.setText(text::format(sql::kBookmarkExists, {id}));
    char16_t found[kLookupChars + 1] = {};
    if (!db.queryValue(found, kLookupChars))
        return std::nullopt;
    return !id.empty() && std::u16string_view(found) == id;
}

bool replaceBookmarkRow(WineDatabase& db, std::u16string_view id, std::u16string_view description,
                        std::u16string_view note)
{
    const std::optional<bool> exists = bookmarkExists(db, id);
    if (!exists)
        return false;
    if (*exists && !run(db, text::format(sql::kBookmarkDelete, {id})))
        return false;
    return run(db, text::format(sql::kBookmarkInsert, {id, ShellServices::doubleApostrophes(description),
                                                        ShellServices::doubleApostrophes(note)}));
}

bool writeBookmark(WineDatabase& db, std::u16string_view id, std::u16string_view description,
                   std::u16string_view note)
{
    return db.runTransaction([&] { return replaceBookmarkRow(db, id, description, note); });
}

bool removeBookmark(WineDatabase& db, std::u16string_view id)
{
    return db.runTransaction([&] { return run(db, text::format(sql::kBookmarkDelete, {id})); });
}
