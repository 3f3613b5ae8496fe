// The process entry's work.
#include "app/Program.h"

#include "app/MainMenu.h"
#include "resources/dialogs/MainMenuIds.h"
#include "app/Singletons.h"
#include "platform/ui/Dialog.h"

namespace app {

int run(void* instance)
{
    // Normally done by the static initialiser already; calling it here also
    // keeps that initialiser's object file in the program.
    createSingletons();
    g_appState->instance = instance;
    ui::dialogBox(ids::mainMenu::kTemplate, nullptr, mainMenuProc, 0);
    return 0;
}

} // namespace app
