// The entry's texts, read with the statements and limits the entry view
// uses, so both show the same words.
#include "cli/Entry.h"

#include "db/Sql.h"
#include "db/WineDatabase.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Targets.h"
#include "resources/ResultsTexts.h"
#include "results/EntryTexts.h"
#include "services/ShellServices.h"

namespace cli {

namespace {

constexpr std::int16_t kLookupChars = 100;
constexpr std::int16_t kBookmarkTextChars = 4000;
constexpr std::size_t kHeaderUnits = 100;

class TextHolder : public ui::TextTarget {
public:
    void setText(std::u16string_view text) override { value = text; }
    std::u16string text() const override { return value; }
    std::u16string value;
};

// The first value of the statement fmt filled with value; empty when none.
std::u16string lookUp(WineDatabase& db, std::u16string_view fmt, std::u16string_view value, std::int16_t maxChars)
{
    db.setText(text::format(fmt, {value}));
    std::u16string out(static_cast<std::size_t>(maxChars) + 1, u'\0');
    db.queryValue(out.data(), maxChars);
    out.resize(text::length(out.c_str()));
    return out;
}

std::u16string headerLine(WineDatabase& db, std::u16string_view id)
{
    std::u16string country = lookUp(db, sql::kEntryCountryCode, id, kLookupChars);
    // A code without a row in the country table stands for itself.
    const std::u16string name =
        lookUp(db, sql::kCountryName, ShellServices::doubleApostrophes(country), kLookupChars);
    if (!name.empty())
        country = name;
    const std::u16string region = lookUp(db, sql::kEntryRegion, id, kLookupChars);
    char16_t header[kHeaderUnits];
    text::format(header, kHeaderUnits, texts::results::kHeader, {country, region});
    return header;
}

void readBookmark(WineDatabase& db, std::u16string_view id, ShownEntry& entry)
{
    entry.description = lookUp(db, sql::kBookmarkDescription, id, kBookmarkTextChars);
    entry.note = lookUp(db, sql::kBookmarkNote, id, kBookmarkTextChars);
    const bool rowExists = lookUp(db, sql::kBookmarkExists, id, kLookupChars) == id;
    entry.bookmarked = rowExists || !entry.description.empty() || !entry.note.empty();
}

} // namespace

Outcome readEntry(WineDatabase& db, int id, ShownEntry& entry)
{
    const std::u16string idText = text::format(u"%i", {id});
    db.setText(text::format(sql::kEntryRow, {idText}));
    TextHolder info, vintages;
    if (!showEntryTexts(db, info, vintages))
        return Outcome::GuideFailed;
    // Every row has an Info text, if only a blank and a line break.
    if (info.value.empty())
        return db.lastFailure().reason == GuideFailure::None ? Outcome::NothingFound : Outcome::GuideFailed;
    entry.info = std::move(info.value);
    entry.vintages = std::move(vintages.value);
    entry.header = headerLine(db, idText);
    entry.keyword = lookUp(db, sql::kEntryKeyword, idText, kLookupChars);
    readBookmark(db, idText, entry);
    return db.lastFailure().reason == GuideFailure::None ? Outcome::Done : Outcome::GuideFailed;
}

} // namespace cli
