// The main menu: its set-up, owner-drawn rows, command dispatch and the
// release of every singleton when it ends.
#include "app/MainMenu.h"

#include "app/Chapters.h"
#include "app/Singletons.h"
#include "platform/shell/ProgramPath.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr int kEntryLabels[] = {1007, 1008, 1009, 1010};
constexpr int kLinkLabels[] = {1023, 1025, 1026};
constexpr int kRowButtons[] = {1006, 1048, 1049, 1050};
constexpr int kInputPanelRequestValue = 4;

template <class T> void release(T*& pointer)
{
    delete pointer;
    pointer = nullptr;
}

void inputPanelRequest()
{
    shell::inputPanelRequest(g_appState ? g_appState->mainWindow : nullptr, kInputPanelRequestValue);
}

void initialise(ui::Dialog& dialog)
{
    g_appState->mainWindow = &dialog;
    g_wineDatabase->allocateTextBuffer();
    shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen | shell::kLowerInputPanel);

    g_appState->entryFont = ui::createFont(14, 700, u"Tahoma");
    for (int id : kEntryLabels)
        dialog.control(id).setFont(g_appState->entryFont.get(), true);
    g_appState->linkFont = ui::createFont(13, 0, u"Tahoma");
    for (int id : kLinkLabels)
        dialog.control(id).setFont(g_appState->linkFont.get(), true);

    if (!g_wineDatabase->open())
        ui::messageBox(&dialog, kDatabaseErrorText, kDatabaseErrorCaption, ui::mb::kIconInformation | ui::mb::kOk);
    g_shellServices->setInputPanel(false, true);
}

std::intptr_t drawItem(const ui::Event& event)
{
    for (int id : kRowButtons) {
        if (event.controlId != id)
            continue;
        const ui::Brush white{ui::rgb(255, 255, 255), false};
        event.dc->selectPen(ui::nullPen());
        event.dc->selectBrush(&white);
        event.dc->rectangle(event.rect);
        event.dc->selectBrush(nullptr);
        return 1;
    }
    return 0;
}

void command(ui::Dialog& dialog, const ui::Event& event)
{
    if (event.controlId == ui::kIdOk)
        ui::endDialog(dialog, 1);
    else if (event.controlId != 1006)
        inputPanelRequest();
    if (event.code != ui::kClicked) {
        inputPanelRequest();
        return;
    }
    const MainMenuCommand action = mainMenuCommand(event.controlId);
    if (action.openRatgeber) {
        g_shellServices->openInBrowser(ratgeberPath());
        return;
    }
    if (action.templateId == 0)
        return;
    if (action.clearTextBuffer && g_wineDatabase->textBuffer)
        g_wineDatabase->textBuffer[0] = u'\0';
    ui::dialogBox(action.templateId, g_appState->mainWindow, app::chapterProcedure(action.templateId), 0);
}

void destroy()
{
    g_shellServices->setInputPanel(false, false);
    g_wineDatabase->freeTextBuffer();
    release(g_searchFormState);
    release(g_shellServices);
    release(g_resultsDialogState);
    release(g_grapeVarietiesState);
    for (auto*& help : g_helpDialogStates)
        release(help);
    release(g_temperatureChartState);
    // The imprint's record goes too, so nothing outlives the menu.
    release(g_imprintState);
    g_wineDatabase->close();
    release(g_wineDatabase);
    release(g_appState);
}

} // namespace

MainMenuCommand mainMenuCommand(int controlId)
{
    switch (controlId) {
    case 1005: case 1006: case 1007:
        return {kSearchFormTemplate, false, false};
    case 1008: case 1048: case 1051:
        return {kGrapeVarietiesTemplate, false, false};
    case 1009: case 1049: case 1052:
        return {kTemperatureTemplate, false, false};
    case 1010: case 1050: case 1053:
        return {kResultsTemplate, true, false};
    case 1023:
        return {kImprintTemplate, false, false};
    case 1025:
        return {kHelpMenuTemplate, false, false};
    case 1026:
        return {0, false, true};
    default:
        return {};
    }
}

std::u16string ratgeberPath()
{
    return shell::siblingPath(shell::programPath(), u"ratgeber\\0100.htm");
}

std::intptr_t mainMenuProc(ui::Dialog& dialog, const ui::Event& event)
{
    // Nothing is left to answer with once the menu has released everything.
    if (!g_appState)
        return 0;
    switch (event.kind) {
    case ui::EventKind::Initialise:
        initialise(dialog);
        return 0;
    case ui::EventKind::DrawItem:
        return drawItem(event);
    case ui::EventKind::Command:
        command(dialog, event);
        return 0;
    case ui::EventKind::Size:
    case ui::EventKind::Paint:
    case ui::EventKind::SettingChange:
        inputPanelRequest();
        return 0;
    case ui::EventKind::Destroy:
        destroy();
        return 0;
    default:
        return 0;
    }
}
