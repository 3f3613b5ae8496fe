// Bookmarks. A bookmark row is replaced inside one transaction, so a failed
// write leaves the stored bookmark as it was; the user hears of success only
// once the row is written, and of a failure with the fields still holding
// what was typed.
#include "results/Bookmarks.h"

#include "db/Sql.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/GuideTexts.h"
#include "resources/ResultsTexts.h"
#include "resources/dialogs/ResultsIds.h"
#include "results/EntryView.h"
#include "results/ResultsDialog.h"
#include "results/ResultsDialogState.h"
#include "services/DatabaseErrorText.h"
#include "services/ShellServices.h"
#include "services/Singletons.h"

#include <string>

namespace {

using namespace ids::results;

// Description and note: 500 units with the terminator.
constexpr std::size_t kBookmarkTextChars = 499;
constexpr std::int16_t kLookupChars = 100;
constexpr std::size_t kLabelUnits = 1000;

constexpr std::uint16_t kBookmarkEntryId = 1;
constexpr std::uint16_t kBookmarkDescription = 2;

void message(ResultsDialogState& state, std::u16string_view text, std::u16string_view caption, unsigned flags)
{
    ui::messageBox(state.dialog, text, caption, flags);
}

// Runs one statement composed in the text buffer; true when it ran.
bool run(std::u16string_view statement)
{
    WineDatabase& db = *g_wineDatabase;
    db.setText(statement);
    return db.execute(db.textBuffer) == 0;
}

bool bookmarkRowExists(std::u16string_view id)
{
    WineDatabase& db = *g_wineDatabase;
    db.setText(text::format(sql::kBookmarkExists, {id}));
    char16_t found[kLookupChars + 1] = {};
    db.queryValue(found, kLookupChars);
    return !id.empty() && std::u16string_view(found) == id;
}

std::u16string fieldText(ui::Dialog& dialog, int id)
{
    std::u16string text = dialog.edit(id).text();
    if (text.size() > kBookmarkTextChars)
        text.resize(kBookmarkTextChars);
    return text;
}

// Clears the tree and lists every stored bookmark under a new root node.
void rebuildBookmarkTree(ResultsDialogState& state)
{
    ui::TreeView& tree = state.dialog->treeView(kTree);
    tree.deleteAllItems();
    state.redNode = state.whiteNode = state.roseNode = state.brownNode = state.keywordNode = nullptr;
    state.bookmarkNode = tree.insertItem(nullptr, texts::results::kBookmarkNode);
    tree.setItemFont(state.bookmarkNode, state.itemFont.get());
    g_wineDatabase->setText(sql::kBookmarkList);
    // A list cut short by a failing guide is said to be so.
    if (!fillBookmarkTree(*g_wineDatabase, tree) && state.guideFailed)
        ui::messageBox(state.dialog, guideReadErrorText(g_wineDatabase->lastFailure()), texts::guide::kErrorCaption,
                       ui::mb::kIconInformation | ui::mb::kOk);
}

} // namespace

bool writeBookmark(std::u16string_view id, std::u16string_view description, std::u16string_view note)
{
    if (!run(sql::kBegin))
        return false;
    bool written = true;
    if (bookmarkRowExists(id))
        written = run(text::format(sql::kBookmarkDelete, {id}));
    written = written
        && run(text::format(sql::kBookmarkInsert,
                            {id, ShellServices::doubleApostrophes(description), ShellServices::doubleApostrophes(note)}));
    written = written && run(sql::kCommit);
    if (!written)
        run(sql::kRollback);
    return written;
}

void showBookmarkList(ResultsDialogState& state)
{
    ui::Dialog& dialog = *state.dialog;
    rebuildBookmarkTree(state);
    dialog.tabControl(kTabs).setCurrentIndex(results_tab::kInfo);
    showTabGroup(state, results_tab::kInfo);
    dialog.button(kBookmarkCheck).setText(texts::results::kDeleteBookmark);
}

bool fillBookmarkTree(WineDatabase& db, ui::TreeView& tree)
{
    ResultsDialogState& state = *g_resultsDialogState;
    return readStatementRows(db, state, [&](ado::Recordset& rows) {
        for (rows.moveFirst(); !rows.eof(); rows.moveNext()) {
            const ado::Variant description = db.columnValue(kBookmarkDescription);
            char16_t label[kLabelUnits];
            text::format(label, kLabelUnits, texts::results::kBookmarkLabel,
                         {description.isText() ? description.text() : std::u16string_view()});
            const ado::Variant entryId = db.columnValue(kBookmarkEntryId);
            const std::intptr_t data = entryId.isInt() ? static_cast<std::intptr_t>(entryId.intValue()) : 0;
            tree.setItemFont(tree.insertItem(state.bookmarkNode, label, data), state.itemFont.get());
        }
        return true;
    });
}

void bookmarkCheckClicked(ResultsDialogState& state)
{
    ui::Dialog& dialog = *state.dialog;
    if (dialog.checkBox(kBookmarkCheck).isChecked()) {
        dialog.control(kSaveButton).show(true);
        dialog.edit(kDescriptionEdit).setText(state.currentKeyword ? state.currentKeyword.get() : u"");
        return;
    }
    if (!state.bookmarked) {
        // A tick never saved: back to no bookmark.
        dialog.control(kSaveButton).show(false);
        return;
    }
    const int answer = ui::messageBox(state.dialog, texts::results::kDeleteQuestion, texts::results::kQuestionCaption,
                                      ui::mb::kIconQuestion | ui::mb::kYesNo);
    if (answer == ui::kIdYes)
        deleteBookmark(state);
}

void deleteBookmark(ResultsDialogState& state)
{
    ui::Dialog& dialog = *state.dialog;
    if (!run(text::format(sql::kBookmarkDelete, {state.currentId}))) {
        message(state, texts::results::kDeleteFailed, texts::results::kErrorCaption, ui::mb::kIconError | ui::mb::kOk);
        // The row is still there, and so is the tick.
        dialog.checkBox(kBookmarkCheck).setChecked(true);
        return;
    }
    dialog.control(kSaveButton).show(false);
    dialog.edit(kDescriptionEdit).setText(u"");
    dialog.edit(kNoteEdit).setText(u"");
    dialog.checkBox(kBookmarkCheck).setChecked(false);
    state.bookmarked = false;
    rebuildBookmarkTree(state);
    dialog.treeView(kTree).expand(state.bookmarkNode);
}

void saveBookmark(ResultsDialogState& state)
{
    ui::Dialog& dialog = *state.dialog;
    const std::u16string_view id(state.currentId);
    if (id.empty()) {
        message(state, texts::results::kNoEntryChosen, texts::results::kNoticeCaption,
                ui::mb::kIconInformation | ui::mb::kOk);
        return;
    }
    const std::u16string description = fieldText(dialog, kDescriptionEdit);
    const std::u16string note = fieldText(dialog, kNoteEdit);
    if (writeBookmark(id, description, note)) {
        state.bookmarked = true;
        dialog.checkBox(kBookmarkCheck).setChecked(true);
        message(state, texts::results::kSaved, texts::results::kNoticeCaption, ui::mb::kIconInformation | ui::mb::kOk);
        return;
    }
    // The old row, if any, is untouched; box and flag say whether there is one.
    state.bookmarked = bookmarkRowExists(id);
    dialog.checkBox(kBookmarkCheck).setChecked(state.bookmarked);
    message(state, texts::results::kSaveFailed, texts::results::kErrorCaption, ui::mb::kIconError | ui::mb::kOk);
}
