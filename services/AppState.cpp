// The input-panel request shared by every dialog.
#include "services/AppState.h"

#include "platform/shell/Shell.h"

namespace {
// The value the shell's input-panel request is made with.
constexpr int kInputPanelRequestValue = 4;
} // namespace

void requestInputPanel()
{
    shell::inputPanelRequest(g_appState ? g_appState->mainWindow : nullptr, kInputPanelRequestValue);
}
