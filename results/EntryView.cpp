// The entry detail view. Every lookup is composed in the shared text buffer
// and read with the database's one-value query; each text starts empty, so a
// lookup that finds nothing leaves its part of the view empty.
#include "results/EntryView.h"

#include "db/Sql.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "resources/ResultsTexts.h"
#include "resources/dialogs/ResultsIds.h"
#include "results/EntryTexts.h"
#include "results/ResultsDialogState.h"
#include "services/ShellServices.h"
#include "services/Singletons.h"

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

// Reads the first value of a statement composed from fmt and value into a
// text that starts empty; at most maxChars characters.
std::u16string lookUp(std::u16string_view fmt, std::u16string_view value, std::int16_t maxChars)
{
    WineDatabase& db = *g_wineDatabase;
    db.setText(text::format(fmt, {value}));
    std::u16string out(static_cast<std::size_t>(maxChars) + 1, u'\0');
    db.queryValue(out.data(), maxChars);
    out.resize(text::length(out.c_str()));
    return out;
}

void showHeader(ui::Dialog& dialog, std::u16string_view id)
{
    std::u16string country = lookUp(sql::kEntryCountryCode, id, kLookupChars);
    // A code without a row in the country table stands for itself.
    const std::u16string name =
        lookUp(sql::kCountryName, ShellServices::doubleApostrophes(country), kLookupChars);
    if (!name.empty())
        country = name;
    const std::u16string region = lookUp(sql::kEntryRegion, id, kLookupChars);
    const std::u16string keyword = lookUp(sql::kEntryKeyword, id, kLookupChars);

    char16_t header[kHeaderUnits];
    text::format(header, kHeaderUnits, texts::results::kHeader, {country, region});
    dialog.staticControl(kHeader).setText(header);

    ResultsDialogState& state = *g_resultsDialogState;
    if (state.currentKeyword)
        text::copy(state.currentKeyword.get(), ResultsDialogState::kKeywordUnits, keyword);
    text::copy(state.currentId, ResultsDialogState::kIdUnits, id);
}

// Fills the bookmark fields; true when the entry has a bookmark.
bool showBookmarkFields(ui::Dialog& dialog, std::u16string_view id)
{
    const std::u16string description = lookUp(sql::kBookmarkDescription, id, kBookmarkTextChars);
    dialog.edit(kDescriptionEdit).setText(description);
    const std::u16string note = lookUp(sql::kBookmarkNote, id, kBookmarkTextChars);
    dialog.edit(kNoteEdit).setText(note);
    const bool rowExists = lookUp(sql::kBookmarkExists, id, kLookupChars) == id;
    return !note.empty() || !description.empty() || rowExists;
}

} // namespace

void showEntry(ResultsDialogState& state, std::intptr_t itemData)
{
    if (itemData == 0 || !state.dialog)
        return;
    ui::Dialog& dialog = *state.dialog;
    const std::u16string id = text::format(u"%i", {static_cast<int>(itemData)});

    WineDatabase& db = *g_wineDatabase;
    db.setText(text::format(sql::kEntryRow, {id}));
    showEntryTexts(db, dialog.edit(kInfoEdit), dialog.edit(kVintageEdit));
    showHeader(dialog, id);

    state.bookmarked = showBookmarkFields(dialog, id);
    dialog.checkBox(kBookmarkCheck).setChecked(state.bookmarked);
    const bool onBookmarkTab = dialog.tabControl(kTabs).currentIndex() == results_tab::kBookmark;
    dialog.control(kSaveButton).show(state.bookmarked && onBookmarkTab);
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
