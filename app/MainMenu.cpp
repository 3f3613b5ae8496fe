// The main menu: its set-up, owner-drawn rows, command dispatch and the
// release of every singleton when it ends.
#include "app/MainMenu.h"

#include "app/Chapters.h"
#include "app/Singletons.h"
#include "resources/AccessibleTexts.h"
#include "resources/GuideTexts.h"
#include "resources/dialogs/GrapeVarietiesIds.h"
#include "resources/dialogs/HelpIds.h"
#include "resources/dialogs/ImprintIds.h"
#include "resources/dialogs/MainMenuIds.h"
#include "resources/dialogs/ResultsIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "resources/dialogs/TemperatureChartIds.h"
#include "services/DatabaseErrorText.h"
#include "platform/shell/ProgramPath.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "services/GuideLocation.h"

namespace {

using namespace ids::mainMenu;

constexpr int kEntryLabels[] = {kSearchLabel, kVarietiesLabel, kTemperatureLabel, kBookmarksLabel};
constexpr int kLinkLabels[] = {kImprintLink, kHelpLink, kRatgeberLink};
constexpr int kRowButtons[] = {kSearchRow, kVarietiesRow, kTemperatureRow, kBookmarksRow};

template <class T> void release(T*& pointer)
{
    delete pointer;
    pointer = nullptr;
}

void reportGuideFailure(ui::Dialog& dialog)
{
    ui::messageBox(&dialog, databaseErrorText(g_wineDatabase->lastFailure()), kDatabaseErrorCaption,
                   ui::mb::kIconInformation | ui::mb::kOk);
}

void checkGuideWhole()
{
    // The menu may be gone by now (a test, or a very quick Done).
    if (!g_appState || !g_appState->mainWindow || !g_wineDatabase)
        return;
    if (!g_wineDatabase->runDeferredCheck())
        reportGuideFailure(*g_appState->mainWindow);
}

void initialise(ui::Dialog& dialog)
{
    g_appState->mainWindow = &dialog;
    g_wineDatabase->allocateTextBuffer();
    shell::setKeyNames(texts::kKeyNames);
    shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen | shell::kLowerInputPanel);

    g_appState->entryFont = ui::createFont(14, 700, u"Tahoma");
    for (int id : kEntryLabels)
        dialog.control(id).setFont(g_appState->entryFont.get(), true);
    g_appState->linkFont = ui::createFont(13, 0, u"Tahoma");
    for (int id : kLinkLabels)
        dialog.control(id).setFont(g_appState->linkFont.get(), true);

    // The guide's whole-file check waits until the menu is on the screen.
    if (!g_wineDatabase->open(WineDatabase::WholeFileCheck::Deferred))
        reportGuideFailure(dialog);
    else
        ui::Screen::instance().afterFirstPaint(checkGuideWhole);
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

void reportRatgeberNotOpened(ui::Dialog* owner, std::u16string_view path)
{
    std::u16string text(texts::guide::kPageNotOpened);
    text += path;
    ui::messageBox(owner, text, texts::guide::kNoticeCaption, ui::mb::kIconInformation | ui::mb::kOk);
}

// A desktop without a browser says so, with the address to copy: at once
// when the launcher cannot start, or later, over whatever dialog is then in
// front, when the launcher starts and finds no browser.
void openRatgeber(ui::Dialog& dialog)
{
    const std::u16string path = ratgeberPath();
    const bool started = g_shellServices->openInBrowser(
        path, [](std::u16string_view page) { reportRatgeberNotOpened(ui::Screen::instance().top(), page); });
    if (!started)
        reportRatgeberNotOpened(&dialog, path);
}

void command(ui::Dialog& dialog, const ui::Event& event)
{
    if (event.controlId == ui::kIdOk)
        ui::endDialog(dialog, 1);
    else if (event.controlId != kSearchRow)
        requestInputPanel();
    if (event.code != ui::kClicked) {
        requestInputPanel();
        return;
    }
    const MainMenuCommand action = mainMenuCommand(event.controlId);
    if (action.openRatgeber) {
        openRatgeber(dialog);
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
    case kSearchPicture: case kSearchRow: case kSearchLabel:
        return {ids::search::kTemplate, false, false};
    case kVarietiesLabel: case kVarietiesRow: case kVarietiesPicture:
        return {ids::varieties::kTemplate, false, false};
    case kTemperatureLabel: case kTemperatureRow: case kTemperaturePicture:
        return {ids::temperature::kTemplate, false, false};
    case kBookmarksLabel: case kBookmarksRow: case kBookmarksPicture:
        return {ids::results::kTemplate, true, false};
    case kImprintLink:
        return {ids::imprint::kTemplate, false, false};
    case kHelpLink:
        return {ids::helpMenu::kTemplate, false, false};
    case kRatgeberLink:
        return {0, false, true};
    default:
        return {};
    }
}

std::u16string ratgeberPath()
{
    return location::ratgeberEntryPage(shell::programPath());
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
        requestInputPanel();
        return 0;
    case ui::EventKind::Destroy:
        destroy();
        return 0;
    default:
        return 0;
    }
}
