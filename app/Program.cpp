// The process entry's work.
#include "app/Program.h"

#include "app/MainMenu.h"
#include "resources/dialogs/MainMenuIds.h"
#include "app/Singletons.h"
#include "platform/ui/Dialog.h"
#include "platform/text/Utf16.h"
#include "services/GuideLocation.h"

namespace app {

int run(void* instance, const std::u16string& guideFile)
{
    // Normally done by the static initialiser already; calling it here also
    // keeps that initialiser's object file in the program.
    createSingletons();
    g_appState->instance = instance;
    // An installed guide is opened through the user's own copy, so bookmarks
    // can be written.
    g_wineDatabase->guidePath = guideFile.empty()
        ? text::fromUtf8(location::prepareGuide(location::placesOfThisProgram()).string())
        : guideFile;
    ui::dialogBox(ids::mainMenu::kTemplate, nullptr, mainMenuProc, 0);
    return 0;
}

} // namespace app
