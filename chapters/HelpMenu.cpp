// The help menu, dialog 136: four buttons, each opening its page as dialog
// 137 owned by the menu. Pages are filled anew from fixed rows at each opening.
#include "chapters/HelpMenu.h"

#include "chapters/HelpDialogState.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "resources/HelpTexts.h"
#include "resources/dialogs/HelpIds.h"
#include "services/Singletons.h"

namespace {

// The help menu's record comes first among the five, then one per page.
enum HelpRecord { kMenuRecord, kBookmarksRecord, kTemperatureRecord, kVarietiesRecord, kSearchRecord };

HelpDialogState* record(int which)
{
    return g_helpDialogStates[which];
}

void releaseTitleFont(int which)
{
    if (HelpDialogState* state = record(which)) {
        state->titleFont.reset();
        state->dialog = nullptr;
    }
}

void createTitleFont(ui::Dialog& dialog, HelpDialogState& state, int titleId)
{
    state.titleFont = ui::createFont(20, 700, u"Tahoma");
    dialog.control(titleId).setFont(state.titleFont.get(), true);
}

std::intptr_t pageProc(ui::Dialog& dialog, const ui::Event& event, int which, const resources::HelpPageText& page)
{
    HelpDialogState* state = record(which);
    if (!state)
        return 0;
    state->dialog = &dialog;
    switch (event.kind) {
    case ui::EventKind::Initialise: {
        shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
        createTitleFont(dialog, *state, ids::helpPage::kTitle);
        dialog.staticControl(ids::helpPage::kTitle).setText(page.title);
        ui::ListBox& rows = dialog.listBox(ids::helpPage::kRows);
        for (std::u16string_view row : page.rows)
            rows.addString(row);
        return 0;
    }
    case ui::EventKind::Command:
        if (event.controlId == ui::kIdOk)
            ui::endDialog(dialog, 1);
        return 0;
    case ui::EventKind::Destroy:
        releaseTitleFont(which);
        return 0;
    default:
        return 0;
    }
}

ui::DialogProc pageFor(int buttonId)
{
    switch (buttonId) {
    case ids::helpMenu::kBookmarksHelp: return HelpPage::bookmarksProc;
    case ids::helpMenu::kTemperatureHelp: return HelpPage::temperatureProc;
    case ids::helpMenu::kVarietiesHelp: return HelpPage::varietiesProc;
    case ids::helpMenu::kSearchHelp: return HelpPage::searchProc;
    default: return {};
    }
}

void menuCommand(ui::Dialog& menu, const ui::Event& event)
{
    if (event.code == ui::kClicked)
        if (const ui::DialogProc page = pageFor(event.controlId))
            ui::dialogBox(ids::helpPage::kTemplate, &menu, page, 0);
    if (event.controlId == ui::kIdOk)
        ui::endDialog(menu, 1);
    else
        requestInputPanel();
}

} // namespace

namespace HelpMenu {

std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    HelpDialogState* state = record(kMenuRecord);
    if (!state)
        return 0;
    state->dialog = &dialog;
    switch (event.kind) {
    case ui::EventKind::Initialise:
        shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
        createTitleFont(dialog, *state, ids::helpMenu::kTitle);
        g_shellServices->setInputPanel(false, true);
        return 0;
    case ui::EventKind::Command:
        menuCommand(dialog, event);
        return 0;
    case ui::EventKind::Size:
    case ui::EventKind::Paint:
    case ui::EventKind::SettingChange:
        requestInputPanel();
        return 0;
    case ui::EventKind::Destroy:
        releaseTitleFont(kMenuRecord);
        return 0;
    default:
        return 0;
    }
}

} // namespace HelpMenu

namespace HelpPage {

std::intptr_t bookmarksProc(ui::Dialog& dialog, const ui::Event& event)
{
    return pageProc(dialog, event, kBookmarksRecord, resources::kBookmarksHelp);
}

std::intptr_t temperatureProc(ui::Dialog& dialog, const ui::Event& event)
{
    return pageProc(dialog, event, kTemperatureRecord, resources::kTemperatureHelp);
}

std::intptr_t varietiesProc(ui::Dialog& dialog, const ui::Event& event)
{
    return pageProc(dialog, event, kVarietiesRecord, resources::kVarietiesHelp);
}

std::intptr_t searchProc(ui::Dialog& dialog, const ui::Event& event)
{
    return pageProc(dialog, event, kSearchRecord, resources::kSearchHelp);
}

} // namespace HelpPage
