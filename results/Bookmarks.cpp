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
#include "results/BookmarkStore.h"
#include "results/EntryView.h"
#include "results/ResultsDialog.h"
#include "results/ResultsDialogState.h"
#include "services/DatabaseErrorText.h"
#include "services/Singletons.h"

#include <optional>
#include <string>
#include <vector>

namespace {

using namespace ids::results;

// Description and note: 500 units with the terminator.
constexpr std::size_t kBookmarkTextChars = 499;
constexpr std::int16_t kKeywordChars = 100;
constexpr std::size_t kLabelUnits = 1000;

constexpr std::uint16_t kBookmarkEntryId = 1;
constexpr std::uint16_t kBookmarkDescription = 2;

void message(ResultsDialogState& state, std::u16string_view text, std::u16string_view caption, unsigned flags)
{
    ui::messageBox(state.dialog, text, caption, flags);
}

void reportWriteFailure(ResultsDialogState& state, std::u16string_view action, const GuideProblem& problem)
{
    message(state, guideWriteErrorText(action, problem), texts::results::kErrorCaption, ui::mb::kIconError | ui::mb::kOk);
}

std::u16string fieldText(ui::Dialog& dialog, int id)
{
    std::u16string text = dialog.edit(id).text();
    if (text.size() > kBookmarkTextChars)
        text.resize(kBookmarkTextChars);
    return text;
}

// One row of the bookmark list as read.
struct ListedBookmark {
    std::intptr_t entryId;
    std::u16string label;
};

// A bookmark without a description is listed under its wine's keyword, so
// that it can be found and opened; read after the list's own statement,
// only for such rows.
void labelBlankBookmarks(WineDatabase& db, std::vector<ListedBookmark>& rows)
{
    for (ListedBookmark& row : rows) {
        if (!row.label.empty())
            continue;
        const std::u16string id = text::format(u"%i", {static_cast<int>(row.entryId)});
        db.setText(text::format(sql::kEntryKeyword, {id}));
        char16_t keyword[kKeywordChars + 1] = {};
        db.queryValue(keyword, kKeywordChars);
        // A bookmark whose wine is gone from the guide still shows its number.
        row.label = keyword[0] ? std::u16string(keyword) : id;
    }
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

// The list shows the bookmarks as stored, the entry just saved selected.
void relistAfterSave(ResultsDialogState& state, std::u16string_view id)
{
    if (!state.bookmarkNode)
        return;
    rebuildBookmarkTree(state);
    ui::TreeView& tree = state.dialog->treeView(kTree);
    tree.expand(state.bookmarkNode);
    for (int i = 0; i < tree.childCount(state.bookmarkNode); ++i) {
        ui::TreeItem item = tree.child(state.bookmarkNode, i);
        if (text::format(u"%i", {static_cast<int>(tree.itemData(item))}) == id) {
            tree.selectItem(item);
            break;
        }
    }
}

} // namespace

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
    std::vector<ListedBookmark> rows;
    const bool listed = readStatementRows(db, state, [&](ado::Recordset& rs) {
        for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
            const ado::Variant description = db.columnValue(kBookmarkDescription);
            char16_t label[kLabelUnits];
            text::format(label, kLabelUnits, texts::results::kBookmarkLabel,
                         {description.isText() ? description.text() : std::u16string_view()});
            const ado::Variant entryId = db.columnValue(kBookmarkEntryId);
            rows.push_back({entryId.isInt() ? static_cast<std::intptr_t>(entryId.intValue()) : 0, label});
        }
        return true;
    });
    labelBlankBookmarks(db, rows);
    for (const ListedBookmark& row : rows)
        tree.setItemFont(tree.insertItem(state.bookmarkNode, row.label, row.entryId), state.itemFont.get());
    return listed;
}

void bookmarkCheckClicked(ResultsDialogState& state)
{
    ui::Dialog& dialog = *state.dialog;
    if (dialog.checkBox(kBookmarkCheck).isChecked()) {
        dialog.control(kSaveButton).show(true);
        // The keyword is the description unless the user has typed one.
        if (dialog.edit(kDescriptionEdit).text().empty())
            dialog.edit(kDescriptionEdit).setText(state.currentKeyword ? state.currentKeyword.get() : u"");
        return;
    }
    if (!state.bookmarked) {
        // A tick never saved: back to no bookmark.
        dialog.control(kSaveButton).show(false);
        return;
    }
    const int answer = ui::messageBox(state.dialog, texts::results::kDeleteQuestion, texts::results::kQuestionCaption,
                                      ui::mb::kIconQuestion | ui::mb::kYesNo | ui::mb::kDefaultSecond);
    if (answer == ui::kIdYes)
        deleteBookmark(state);
    else
        // Kept: the box shows the bookmark that is still stored.
        dialog.checkBox(kBookmarkCheck).setChecked(true);
}

void deleteBookmark(ResultsDialogState& state)
{
    ui::Dialog& dialog = *state.dialog;
    if (!removeBookmark(*g_wineDatabase, state.currentId)) {
        reportWriteFailure(state, texts::results::kDeleteFailed, g_wineDatabase->lastFailure());
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
    const std::u16string id(state.currentId);
    if (id.empty()) {
        message(state, texts::results::kNoEntryChosen, texts::results::kNoticeCaption,
                ui::mb::kIconInformation | ui::mb::kOk);
        return;
    }
    WineDatabase& db = *g_wineDatabase;
    if (writeBookmark(db, id, fieldText(dialog, kDescriptionEdit), fieldText(dialog, kNoteEdit))) {
        state.bookmarked = true;
        dialog.checkBox(kBookmarkCheck).setChecked(true);
        relistAfterSave(state, id);
        message(state, texts::results::kSaved, texts::results::kNoticeCaption, ui::mb::kIconInformation | ui::mb::kOk);
        return;
    }
    const GuideProblem problem = db.lastFailure();
    // The old row, if any, is untouched; box and flag say whether there is
    // one. When that cannot be read (or a lock would hold the lookup as long
    // again), they stay as they were.
    const std::optional<bool> stored =
        problem.reason == GuideFailure::Locked ? std::nullopt : bookmarkExists(db, id);
    if (stored) {
        state.bookmarked = *stored;
        dialog.checkBox(kBookmarkCheck).setChecked(*stored);
    }
    reportWriteFailure(state, texts::results::kSaveFailed, problem);
}
