// Shell services over the screen window.
#include "platform/shell/Shell.h"

#include "platform/shell/DebugOutput.h"
#include "platform/shell/InputPanel.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"

#include <QCoreApplication>
#include <QPainter>
#include <QToolButton>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace shell {

namespace {

KeyNames& names()
{
    static KeyNames n;
    return n;
}

int& requestCount()
{
    static int count = 0;
    return count;
}

std::function<bool(std::u16string_view)>& browserLauncher()
{
    static std::function<bool(std::u16string_view)> launcher;
    return launcher;
}

std::string& browserProgram()
{
    static std::string program = "xdg-open";
    return program;
}

std::function<void(std::u16string_view)>& browserFailedHandler()
{
    static std::function<void(std::u16string_view)> handler;
    return handler;
}

// Hands a launcher's failure to the GUI thread, where the handler is read
// and may show a message.
void postBrowserFailure(const std::string& page)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    QMetaObject::invokeMethod(
        app,
        [page] {
            if (const auto& handler = browserFailedHandler())
                handler(text::fromUtf8(page));
        },
        Qt::QueuedConnection);
}

// Launches still running, so a test can wait for their outcome.
struct Launches {
    std::mutex mutex;
    std::condition_variable done;
    int running = 0;
};

Launches& launches()
{
    static Launches* l = new Launches; // outlives every reaper thread
    return *l;
}

void reportBrowserFailure(const std::string& program, const std::string& why)
{
    debugOutput(text::fromUtf8("browser: " + program + " " + why));
}

// Waits for the launcher in the background: it hands the page to the browser
// and ends, and only its exit status tells whether a browser was found.
void reapLauncher(pid_t pid, std::string program, std::string page)
{
    {
        std::lock_guard lock(launches().mutex);
        ++launches().running;
    }
    std::thread([pid, program = std::move(program), page = std::move(page)] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            reportBrowserFailure(program, "could not open the page (status " + std::to_string(code) + ")");
            postBrowserFailure(page);
        }
        std::lock_guard lock(launches().mutex);
        --launches().running;
        launches().done.notify_all();
    }).detach();
}

// Starts program with one argument, its input and output on /dev/null: a
// launcher that finds no browser must not fill the user's terminal.
bool spawnQuietly(const std::string& program, const std::string& argument)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group, so a terminal's Ctrl+C for the guide leaves the browser alone.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    std::string programArg = program, pageArg = argument;
    char* args[] = {programArg.data(), pageArg.data(), nullptr};
    pid_t pid = 0;
    const int error = posix_spawnp(&pid, program.c_str(), &actions, &attributes, args, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        reportBrowserFailure(program, std::string("cannot be started: ") + std::strerror(error));
        return false;
    }
    reapLauncher(pid, program, argument);
    return true;
}

// The input panel's button: a small keyboard picture that toggles the panel.
class PanelButton : public QToolButton {
public:
    explicit PanelButton(QWidget* parent) : QToolButton(parent)
    {
        setFocusPolicy(Qt::NoFocus);
        setAccessibleName(spokenKeyboardName());
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QToolButton::paintEvent(event);
        QPainter p(this);
        p.setPen(Qt::black);
        const QRect r(5, 8, width() - 10, height() - 14);
        p.drawRect(r);
        for (int row = 0; row < 2; ++row)
            for (int x = r.left() + 2; x < r.right() - 1; x += 3)
                p.drawPoint(x, r.top() + 2 + row * 3);
        p.drawLine(r.left() + 4, r.bottom() - 2, r.right() - 4, r.bottom() - 2);
    }
};

} // namespace

void installInputPanel()
{
    ui::Screen& screen = ui::Screen::instance();
    if (ui::findWindow(kInputPanelClass))
        return;
    QWidget* window = screen.window();
    auto* panel = new InputPanel(window);
    panel->hide();
    screen.placeBelow(panel);
    auto* button = new PanelButton(screen.menuBar());
    button->setGeometry(ui::Screen::kWidth - 34, 1, 32, ui::Screen::kBarHeight - 2);
    button->setAutoRaise(true);
    QObject::connect(button, &QToolButton::clicked, panel, [panel] { panel->setVisible(panel->isHidden()); });
    ui::registerWindow(kInputPanelClass, panel);
    ui::registerWindow(kInputPanelButtonClass, button);
}

void setKeyNames(const KeyNames& n)
{
    names() = n;
}

const KeyNames& keyNames()
{
    return names();
}

void initDialog(ui::Dialog& dialog, unsigned flags)
{
    installInputPanel();
    if (flags & kFullScreen)
        dialog.setFullScreen(true);
    dialog.setDoneButton((flags & kDoneButton) != 0);
    if (flags & kLowerInputPanel)
        showWindow(findWindow(kInputPanelClass), kHide);
}

void inputPanelRequest(ui::Dialog*, int)
{
    ++requestCount();
}

int inputPanelRequestCount()
{
    return requestCount();
}

QWidget* findWindow(std::u16string_view className)
{
    installInputPanel();
    return ui::findWindow(className);
}

void showWindow(QWidget* window, int state)
{
    if (!window)
        return;
    window->setVisible(state != kHide);
    if (state != kHide)
        window->raise();
}

bool isWindowShown(QWidget* window)
{
    return window && !window->isHidden();
}

bool startBrowser(std::u16string_view parameter)
{
    if (browserLauncher()) {
        const auto launcher = browserLauncher();
        return launcher(parameter);
    }
    std::string argument = text::toUtf8(parameter);
    // A path that begins with a dash would be read as an option.
    if (argument.starts_with('-'))
        argument.insert(0, "./");
    return spawnQuietly(browserProgram(), argument);
}

void setBrowserFailedHandler(std::function<void(std::u16string_view)> handler)
{
    browserFailedHandler() = std::move(handler);
}

void waitForBrowserLaunchesForTesting()
{
    std::unique_lock lock(launches().mutex);
    launches().done.wait(lock, [] { return launches().running == 0; });
}

void setBrowserLauncherForTesting(std::function<bool(std::u16string_view)> launcher)
{
    browserLauncher() = std::move(launcher);
}

void setBrowserProgramForTesting(std::string program)
{
    browserProgram() = program.empty() ? std::string("xdg-open") : std::move(program);
}

} // namespace shell
