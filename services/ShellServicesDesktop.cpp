// The input panel and the browser: the two services that need the desktop.
#include "services/ShellServices.h"

#include "platform/shell/Shell.h"

bool ShellServices::setInputPanel(bool panelShown, bool buttonShown)
{
    // Both windows are looked up before either changes.
    QWidget* panel = shell::findWindow(shell::kInputPanelClass);
    QWidget* button = shell::findWindow(shell::kInputPanelButtonClass);
    if (panel)
        shell::showWindow(panel, panelShown ? shell::kShow : shell::kHide);
    if (button)
        shell::showWindow(button, buttonShown ? shell::kShow : shell::kHide);
    return true;
}

bool ShellServices::openInBrowser(std::u16string_view parameter,
                                  std::function<void(std::u16string_view)> laterFailure)
{
    shell::setBrowserFailedHandler(std::move(laterFailure));
    return shell::startBrowser(parameter);
}
