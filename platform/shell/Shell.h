// The handheld shell's services on the desktop: dialog initialisation, the
// input-panel request, top-level windows by class name, the soft input panel
// (a German on-screen keyboard) with its button, and starting the browser.
#pragma once

#include <functional>
#include <string>
#include <string_view>

class QWidget;

namespace ui {
class Dialog;
}

namespace shell {

// Flags of the shell dialog initialisation.
inline constexpr unsigned kDoneButton = 1;   // a Done button that sends command 1
inline constexpr unsigned kFullScreen = 4;   // sized to the whole dialog area
inline constexpr unsigned kLowerInputPanel = 8;

inline constexpr std::u16string_view kInputPanelClass = u"SipWndClass";
inline constexpr std::u16string_view kInputPanelButtonClass = u"MS_SIPBUTTON";

// Show states of showWindow.
inline constexpr int kHide = 0;
inline constexpr int kShow = 5;

void initDialog(ui::Dialog& dialog, unsigned flags);

// What a screen reader calls the on-screen keyboard, its button and the keys
// that type no character of their own; a key left empty keeps its label.
struct KeyNames {
    std::u16string_view keyboard;
    std::u16string_view shift;
    std::u16string_view backspace;
    std::u16string_view space;
    std::u16string_view enter;
    std::u16string_view letters; // the layer keys
    std::u16string_view symbols;
    std::u16string_view accents;
};
// Call before the input panel is installed.
void setKeyNames(const KeyNames& names);
const KeyNames& keyNames();

// The request every dialog makes on size, paint and setting changes; the
// desktop has nothing to adjust, so it is only counted.
void inputPanelRequest(ui::Dialog* window, int value);
int inputPanelRequestCount();

// Installs the input panel and its button on the screen (once).
void installInputPanel();
QWidget* findWindow(std::u16string_view className);
void showWindow(QWidget* window, int state);
bool isWindowShown(QWidget* window);

// Starts the desktop's browser on a file path without waiting; false when
// the launcher cannot be started. The launcher's own output is discarded;
// its failure, and a failed start, go to the debug output, and a launcher's
// failure to the handler below as well.
bool startBrowser(std::u16string_view parameter);
// Called on the GUI thread with the page when a launcher that did start
// ends in failure (it found no browser); without a handler the failure goes
// to the debug output only.
void setBrowserFailedHandler(std::function<void(std::u16string_view)> handler);
// For tests: returns when every launcher started so far has ended.
void waitForBrowserLaunchesForTesting();
// For tests: replaces the launcher (empty restores xdg-open).
void setBrowserLauncherForTesting(std::function<bool(std::u16string_view)> launcher);
// For tests: the program started in place of xdg-open.
void setBrowserProgramForTesting(std::string program);

} // namespace shell
