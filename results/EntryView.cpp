// The entry detail view. Every lookup is composed in the shared text buffer
// and read with the database's one-value query; each text starts empty, so a
// lookup that finds nothing leaves its part of the view empty. A lookup that
// fails is told apart from one that finds nothing: the entry is shown only
// once all of it was read.
#include "results/EntryView.h"

#include "db/Sql.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/GuideTexts.h"
#include "resources/ResultsTexts.h"
#include "resources/dialogs/ResultsIds.h"
#include "results/EntryTexts.h"
#include "results/ResultsDialogState.h"
#include "services/DatabaseErrorText.h"
#include "services/ShellServices.h"
#include "services/Singletons.h"

#include <optional>
#include <string>

namespace {

using namespace ids::results;

constexpr std::int16_t kLookupChars = 100;
constexpr std::int16_t kBookmarkTextChars = 4000;
constexpr std::size_t kHeaderUnits = 100;

struct TabGroup {
    int tab;
    int shown[3];
    int hidden[5];
};

// Controls of each tab; 0 ends a list. "Speichern" on the bookmark tab
// follows the check box and is handled apart.
static constexpr TabGroup kTabGroups[] = {
    {results_tab::kInfo,     {kInfoEdit, 0, 0},                                    {kDescriptionEdit, kNoteEdit, kBookmarkCheck, kSaveButton, kVintageEdit}},
    {results_tab::kVintages, {kVintageEdit, 0, 0},                                 {kDescriptionEdit, kNoteEdit, kBookmarkCheck, kSaveButton, kInfoEdit}},
    {results_tab::kBookmark, {kDescriptionEdit, kNoteEdit, kBookmarkCheck},        {kInfoEdit, kVintageEdit, 0, 0, 0}},
};

// A text the entry decoder sets, held until every read of the entry has
// succeeded; unset when the decoder found no row.
class HeldText : public ui::TextTarget {
public:
    void setText(std::u16string_view text) override { value = std::u16string(text); }
    std::u16string text() const override { return value.value_or(std::u16string()); }
    std::optional<std::u16string> value;
};

// Everything the view shows of one entry, read before any of it is shown.
struct EntryReading {
    HeldText info, vintages;
    std::u16string header, keyword, description, note;
    bool bookmarked = false;
};

// Reads the first value of a statement composed from fmt and value into out,
// which starts empty; at most maxChars characters. False when the read
// failed, which is not the same as an empty value.
bool lookUp(std::u16string_view fmt, std::u16string_view value, std::int16_t maxChars, std::u16string& out)
{
    WineDatabase& db = *g_wineDatabase;
    db.setText(text::format(fmt, {value}));
    out.assign(static_cast<std::size_t>(maxChars) + 1, u'\0');
    const bool read = db.queryValue(out.data(), maxChars);
    out.resize(text::length(out.c_str()));
    return read;
}

bool readHeader(std::u16string_view id, EntryReading& entry)
{
    std::u16string country, name, region;
    if (!lookUp(sql::kEntryCountryCode, id, kLookupChars, country)
        || !lookUp(sql::kCountryName, ShellServices::doubleApostrophes(country), kLookupChars, name)
        || !lookUp(sql::kEntryRegion, id, kLookupChars, region)
        || !lookUp(sql::kEntryKeyword, id, kLookupChars, entry.keyword))
        return false;
    // A code without a row in the country table stands for itself.
    char16_t header[kHeaderUnits];
    text::format(header, kHeaderUnits, texts::results::kHeader, {name.empty() ? country : name, region});
    entry.header = header;
    return true;
}

bool readBookmark(std::u16string_view id, EntryReading& entry)
{
    std::u16string row;
    if (!lookUp(sql::kBookmarkDescription, id, kBookmarkTextChars, entry.description)
        || !lookUp(sql::kBookmarkNote, id, kBookmarkTextChars, entry.note)
        || !lookUp(sql::kBookmarkExists, id, kLookupChars, row))
        return false;
    entry.bookmarked = !entry.note.empty() || !entry.description.empty() || row == id;
    return true;
}

bool readEntry(std::u16string_view id, EntryReading& entry)
{
    WineDatabase& db = *g_wineDatabase;
    db.setText(text::format(sql::kEntryRow, {id}));
    return showEntryTexts(db, entry.info, entry.vintages) && readHeader(id, entry) && readBookmark(id, entry);
}

void showReading(ResultsDialogState& state, std::u16string_view id, const EntryReading& entry)
{
    ui::Dialog& dialog = *state.dialog;
    if (entry.info.value)
        dialog.edit(kInfoEdit).setText(*entry.info.value);
    if (entry.vintages.value)
        dialog.edit(kVintageEdit).setText(*entry.vintages.value);
    dialog.staticControl(kHeader).setText(entry.header);
    if (state.currentKeyword)
        text::copy(state.currentKeyword.get(), ResultsDialogState::kKeywordUnits, entry.keyword);
    text::copy(state.currentId, ResultsDialogState::kIdUnits, id);

    dialog.edit(kDescriptionEdit).setText(entry.description);
    dialog.edit(kNoteEdit).setText(entry.note);
    state.bookmarked = entry.bookmarked;
    dialog.checkBox(kBookmarkCheck).setChecked(state.bookmarked);
    const bool onBookmarkTab = dialog.tabControl(kTabs).currentIndex() == results_tab::kBookmark;
    dialog.control(kSaveButton).show(state.bookmarked && onBookmarkTab);
}

} // namespace

void showEntry(ResultsDialogState& state, std::intptr_t itemData)
{
    if (itemData == 0 || !state.dialog)
        return;
    const std::u16string id = text::format(u"%i", {static_cast<int>(itemData)});
    EntryReading entry;
    if (!readEntry(id, entry)) {
        // A failed read is no answer: the view keeps the entry it showed,
        // and what the user typed there.
        ui::messageBox(state.dialog, guideReadErrorText(g_wineDatabase->lastFailure()), texts::guide::kErrorCaption,
                       ui::mb::kIconInformation | ui::mb::kOk);
        return;
    }
    showReading(state, id, entry);
}

void showTabGroup(ResultsDialogState& state, int tab)
{
    if (!state.dialog)
        return;
    ui::Dialog& dialog = *state.dialog;
    for (const TabGroup& group : kTabGroups) {
        if (group.tab != tab)
            continue;
        for (int id : group.hidden)
            if (id)
                dialog.control(id).show(false);
        for (int id : group.shown)
            if (id)
                dialog.control(id).show(true);
    }
    // A tick not yet saved counts as a bookmark from here on, so that an
    // untick asks before anything is deleted.
    if (tab == results_tab::kBookmark && dialog.checkBox(kBookmarkCheck).isChecked()) {
        dialog.control(kSaveButton).show(true);
        state.bookmarked = true;
    }
}
