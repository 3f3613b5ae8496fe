// The process entry's work.
#include "app/Program.h"

#include "app/MainMenu.h"
#include "app/Singletons.h"
#include "platform/ui/Dialog.h"

namespace app {

int run(void* instance)
{
    g_appState->instance = instance;
    ui::dialogBox(kMainMenuTemplate, nullptr, mainMenuProc, 0);
    return 0;
}

} // namespace app
