// Shell services over the screen window.
#include "platform/shell/Shell.h"

#include "platform/shell/InputPanel.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"

#include <QPainter>
#include <QProcess>
#include <QToolButton>

namespace shell {

namespace {

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

// The input panel's button: a small keyboard picture that toggles the panel.
class PanelButton : public QToolButton {
public:
    explicit PanelButton(QWidget* parent) : QToolButton(parent) { setFocusPolicy(Qt::NoFocus); }

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
    const ui::Rect area = screen.dialogAreaRect();
    panel->move(0, area.bottom() - InputPanel::kHeight);
    panel->hide();
    auto* button = new PanelButton(screen.menuBar());
    button->setGeometry(ui::Screen::kWidth - 34, 1, 32, ui::Screen::kBarHeight - 2);
    button->setAutoRaise(true);
    QObject::connect(button, &QToolButton::clicked, panel, [panel] {
        panel->setVisible(panel->isHidden());
        if (panel->isVisible())
            panel->raise();
    });
    ui::registerWindow(kInputPanelClass, panel);
    ui::registerWindow(kInputPanelButtonClass, button);
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
    QString argument = QString::fromUtf16(parameter.data(), static_cast<qsizetype>(parameter.size()));
    // A path that begins with a dash would be read as an option.
    if (argument.startsWith(QLatin1Char('-')))
        argument.prepend(QStringLiteral("./"));
    return QProcess::startDetached(QString::fromStdString(browserProgram()), {argument});
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
