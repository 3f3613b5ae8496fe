// The results dialog, template 109. A non-empty text buffer at start holds a
// search statement: its hits are listed under colour nodes, at most 80 rows
// in the statement's keyword order. An empty buffer lists the bookmarks.
#include "results/ResultsDialog.h"

#include "db/WineDatabase.h"
#include "platform/shell/Shell.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/GuideTexts.h"
#include "resources/ResultsTexts.h"
#include "resources/dialogs/ResultsIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "results/Bookmarks.h"
#include "results/EntryTexts.h"
#include "results/EntryView.h"
#include "results/ResultsDialogState.h"
#include "results/WineRow.h"
#include "search/SearchAnimation.h"
#include "search/SearchFormState.h"
#include "search/TolerantSearch.h"
#include "services/DatabaseErrorText.h"
#include "services/AppState.h"
#include "services/Singletons.h"

#include <optional>

namespace {

using namespace ids::results;

constexpr int kItemFontHeight = 15;
constexpr int kItemFontWeight = 700;
constexpr std::size_t kLabelUnits = 1000;
// Description and note take 499 characters and a terminator when saved.
constexpr int kBookmarkFieldLimit = 499;

// A colour column and the node its rows are listed under, in listing order.
struct ColourColumn {
    std::uint16_t column;
    ui::TreeItem ResultsDialogState::*node;
};
static constexpr ColourColumn kColourColumns[] = {
    {wine_row::kRed,   &ResultsDialogState::redNode},
    {wine_row::kWhite, &ResultsDialogState::whiteNode},
    {wine_row::kRose,  &ResultsDialogState::roseNode},
    {wine_row::kBrown, &ResultsDialogState::brownNode},
};

// A colour node and the search form's check box for it, in pruning order.
struct ColourChoice {
    int checkBox;
    ui::TreeItem ResultsDialogState::*node;
};
static constexpr ColourChoice kColourChoices[] = {
    {ids::search::kRedCheck,   &ResultsDialogState::redNode},
    {ids::search::kRoseCheck,  &ResultsDialogState::roseNode},
    {ids::search::kWhiteCheck, &ResultsDialogState::whiteNode},
    {ids::search::kBrownCheck, &ResultsDialogState::brownNode},
};

void information(ui::Dialog& dialog, std::u16string_view text, std::u16string_view caption)
{
    ui::messageBox(&dialog, text, caption, ui::mb::kIconInformation | ui::mb::kOk);
}

ui::TreeItem appendItem(ResultsDialogState& state, ui::TreeView& tree, ui::TreeItem parent, std::u16string_view text,
                        std::intptr_t data = 0)
{
    // Every item, nodes included, is drawn in the bold item font.
    ui::TreeItem item = tree.insertItem(parent, text, data);
    tree.setItemFont(item, state.itemFont.get());
    return item;
}

void appendCategoryNodes(ResultsDialogState& state, ui::TreeView& tree)
{
    state.redNode = appendItem(state, tree, nullptr, texts::results::kRedNode);
    state.roseNode = appendItem(state, tree, nullptr, texts::results::kRoseNode);
    state.whiteNode = appendItem(state, tree, nullptr, texts::results::kWhiteNode);
    state.brownNode = appendItem(state, tree, nullptr, texts::results::kBrownNode);
    state.keywordNode = appendItem(state, tree, nullptr, texts::results::kKeywordNode);
    state.bookmarkNode = nullptr;
}

// Lists the recordset's current row under each of its colours, or under
// "Stichwort" when it has none; a row without keyword gets no item.
void listRow(ResultsDialogState& state, WineDatabase& db, ui::TreeView& tree)
{
    const ado::Variant keyword = db.columnValue(wine_row::kKeyword);
    const ado::Variant region = db.columnValue(wine_row::kRegion);
    std::optional<std::u16string> label = treeLabel(keyword.isText() ? std::optional<std::u16string>(keyword.text())
                                                                     : std::nullopt,
                                                    region.isText() ? std::optional<std::u16string>(region.text())
                                                                    : std::nullopt);
    if (!label)
        return;
    if (label->size() >= kLabelUnits)
        label->resize(kLabelUnits - 1);
    const ado::Variant id = db.columnValue(wine_row::kId);
    const std::intptr_t data = id.isInt() ? static_cast<std::intptr_t>(id.intValue()) : 0;

    bool coloured = false;
    for (const ColourColumn& colour : kColourColumns) {
        const ado::Variant value = db.columnValue(colour.column);
        if (value.isInt() && value.intValue() > 0) {
            appendItem(state, tree, state.*colour.node, *label, data);
            coloured = true;
        }
    }
    if (!coloured)
        appendItem(state, tree, state.keywordNode, *label, data);
}

void removeEmptyNodes(ResultsDialogState& state, ui::TreeView& tree)
{
    for (ui::TreeItem ResultsDialogState::*node : {&ResultsDialogState::redNode, &ResultsDialogState::whiteNode,
                                                  &ResultsDialogState::roseNode, &ResultsDialogState::brownNode,
                                                  &ResultsDialogState::keywordNode}) {
        if (state.*node && tree.childCount(state.*node) == 0) {
            tree.deleteItem(state.*node);
            state.*node = nullptr;
        }
    }
}

// Keeps only the colours ticked on the search form beneath; with none
// ticked (or no form) every colour was searched.
void removeUnsearchedColours(ResultsDialogState& state, ui::TreeView& tree)
{
    ui::Dialog* form = g_searchFormState ? g_searchFormState->dialog : nullptr;
    if (!form)
        return;
    bool anyTicked = false;
    for (const ColourChoice& choice : kColourChoices)
        anyTicked = anyTicked || form->checkBox(choice.checkBox).isChecked();
    if (!anyTicked)
        return;
    for (const ColourChoice& choice : kColourChoices) {
        if (state.*choice.node && !form->checkBox(choice.checkBox).isChecked()) {
            tree.deleteItem(state.*choice.node);
            state.*choice.node = nullptr;
        }
    }
}

// The choices of the search the form beneath is running; none when the
// dialog was opened without the form.
const SearchCriteria* searchedCriteria()
{
    return g_searchFormState && g_searchFormState->dialog ? &g_searchFormState->searched : nullptr;
}

// After a search with a term that found nothing: its tolerant searches in
// turn, until one lists rows; notice then says what was searched instead.
bool fillTolerantly(ResultsDialogState& state, ui::TreeView& tree, int& hits, std::u16string& notice)
{
    const SearchCriteria* criteria = searchedCriteria();
    if (state.guideFailed || !criteria)
        return false;
    WineDatabase& db = *g_wineDatabase;
    for (const TolerantSearch& search : tolerantSearches(*criteria, db)) {
        db.setText(search.statement);
        if (fillResultTree(db, tree, hits)) {
            notice = tolerantNoticeFor(*criteria, search, state.firstHitId, db);
            return true;
        }
        if (state.guideFailed)
            return false;
    }
    return false;
}

void initialise(ResultsDialogState& state, ui::Dialog& dialog)
{
    state.bookmarked = false;
    shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
    state.itemFont = ui::createFont(kItemFontHeight, kItemFontWeight, u"Tahoma");
    dialog.control(kHeader).setFont(state.itemFont.get(), true);
    g_shellServices->setInputPanel(false, true);
    for (int tab = 0; tab < static_cast<int>(std::size(texts::results::kTabs)); ++tab)
        dialog.tabControl(kTabs).insertItem(tab, texts::results::kTabs[tab]);
    // Longer texts could not be saved whole.
    dialog.edit(kDescriptionEdit).setLimit(kBookmarkFieldLimit);
    dialog.edit(kNoteEdit).setLimit(kBookmarkFieldLimit);

    state.currentKeyword = std::make_unique<char16_t[]>(ResultsDialogState::kKeywordUnits);
    state.currentId[0] = u'\0';

    const char16_t* buffer = g_wineDatabase->textBuffer;
    if (buffer && buffer[0]) {
        if (!runSearch(state))
            return;
        dialog.button(kBookmarkCheck).setText(texts::results::kSetBookmark);
        showTabGroup(state, results_tab::kInfo);
    } else {
        showBookmarkList(state);
    }
    stopSearchAnimation();
}

void command(ResultsDialogState& state, ui::Dialog& dialog, const ui::Event& event)
{
    switch (event.controlId) {
    case ui::kIdOk:
        ui::endDialog(dialog, 1);
        break;
    case kSaveButton:
        saveBookmark(state);
        requestInputPanel();
        break;
    case kBookmarkCheck:
        bookmarkCheckClicked(state);
        break;
    default:
        requestInputPanel();
        break;
    }
}

void notify(ResultsDialogState& state, ui::Dialog& dialog, const ui::Event& event)
{
    if (event.controlId == kTabs && event.code == ui::kTabSelectionChanged)
        showTabGroup(state, dialog.tabControl(kTabs).currentIndex());
    else if (event.controlId == kTree && event.code == ui::kTreeSelectionChanged)
        showEntry(state, event.itemData);
}

void destroy(ResultsDialogState& state)
{
    state.currentKeyword.reset();
    state.itemFont.reset();
    state.redNode = state.whiteNode = state.roseNode = state.brownNode = state.keywordNode = state.bookmarkNode =
        nullptr;
}

} // namespace

bool readStatementRows(WineDatabase& db, ResultsDialogState& state, const std::function<bool(ado::Recordset&)>& read)
{
    state.guideFailed = false;
    bool listed = false;
    try {
        if (db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly))
            listed = read(*db.recordset());
        else
            state.guideFailed = db.guideLost();
    } catch (const ado::Fault& fault) {
        db.noteFault(fault);
        state.guideFailed = db.lastFailure().reason != GuideFailure::None;
        listed = false;
    }
    db.closeRecordset();
    return listed;
}

bool fillResultTree(WineDatabase& db, ui::TreeView& tree, int& hitCount)
{
    hitCount = 0;
    ResultsDialogState& state = *g_resultsDialogState;
    state.firstHitId = 0;
    const bool listed = readStatementRows(db, state, [&](ado::Recordset& rows) {
        rows.moveFirst();
        if (rows.eof())
            return false;
        hitCount = static_cast<int>(std::max(0L, rows.recordCount()));
        const ado::Variant firstId = db.columnValue(wine_row::kId);
        state.firstHitId = firstId.isInt() ? firstId.intValue() : 0;
        // Rows, not items, count: a row without keyword or with two colours uses one place.
        for (int row = 0; row < kMaxResultRows && !rows.eof(); ++row, rows.moveNext())
            listRow(state, db, tree);
        return true;
    });
    if (!listed)
        hitCount = 0;
    return listed;
}

bool runSearch(ResultsDialogState& state)
{
    ui::Dialog& dialog = *state.dialog;
    ui::TreeView& tree = dialog.treeView(kTree);
    tree.deleteAllItems();
    appendCategoryNodes(state, tree);

    int hits = 0;
    std::u16string tolerantNotice;
    if (!fillResultTree(*g_wineDatabase, tree, hits) && !fillTolerantly(state, tree, hits, tolerantNotice)) {
        stopSearchAnimation();
        if (state.guideFailed)
            ui::messageBox(&dialog, guideReadErrorText(g_wineDatabase->lastFailure()), texts::guide::kErrorCaption,
                           ui::mb::kIconInformation | ui::mb::kOk);
        else
            information(dialog, texts::results::kNoHits, texts::results::kNoticeCaption);
        ui::endDialog(dialog, 0);
        return false;
    }
    if (!tolerantNotice.empty()) {
        stopSearchAnimation();
        information(dialog, tolerantNotice, texts::results::kNoticeCaption);
    }
    if (hits > kMaxResultRows) {
        const std::u16string text = text::format(texts::results::kTooManyHits, {hits});
        stopSearchAnimation();
        information(dialog, text, texts::results::kMessageCaption);
    }
    removeEmptyNodes(state, tree);
    removeUnsearchedColours(state, tree);
    return true;
}

std::intptr_t resultsDialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    // Nothing to work with once the main menu has released the singletons.
    if (!g_resultsDialogState || !g_wineDatabase || !g_shellServices)
        return 0;
    ResultsDialogState& state = *g_resultsDialogState;
    state.dialog = &dialog;
    switch (event.kind) {
    case ui::EventKind::Initialise:
        initialise(state, dialog);
        return 0;
    case ui::EventKind::Command:
        command(state, dialog, event);
        return 0;
    case ui::EventKind::Notify:
        notify(state, dialog, event);
        return 0;
    case ui::EventKind::Size:
    case ui::EventKind::Paint:
    case ui::EventKind::SettingChange:
        requestInputPanel();
        return 0;
    case ui::EventKind::Destroy:
        destroy(state);
        return 0;
    default:
        return 0;
    }
}
