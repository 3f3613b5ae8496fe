// Process entry of the wine guide: one window, the main menu in it; or, with
// options, a task on the command line that needs no display.
#include "app/Program.h"
#include "cli/CommandLine.h"
#include "platform/shell/ProgramPath.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Screen.h"
#include "resources/UsageText.h"
#include "services/GuideLocation.h"
#include "platform/ui/Zoom.h"

#include <QApplication>
#include <QScreen>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

bool displayConfigured()
{
    if (std::getenv("QT_QPA_PLATFORM"))
        return true;
    const char* x = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x && *x) || (wayland && *wayland);
}

void reportNoDisplay()
{
    std::fputs("vinaria: no graphical display is available, so the wine guide cannot open its window.\n"
               "Start it from a desktop session (DISPLAY or WAYLAND_DISPLAY must be set).\n",
               stderr);
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// Usage and the files this start would use; copies nothing.
void printUsage(const std::u16string& guideFile)
{
    location::Choice guide = location::chooseGuide(location::placesOfThisProgram());
    if (!guideFile.empty())
        guide = {location::Use::InPlace, {}, text::toUtf8(guideFile)};
    std::fputs(texts::kUsage, stdout);
    std::printf("%s%s\n", texts::kGuideLine, guide.file.c_str());
    if (guide.use == location::Use::UserCopy)
        std::printf("%s%s\n", texts::kCopyOfLine, guide.origin.c_str());
    if (guide.use == location::Use::Missing)
        std::printf("%s\n", texts::kMissingLine);
    std::printf("%s%s\n", texts::kRatgeberLine, text::toUtf8(location::ratgeberEntryPage(shell::programPath())).c_str());
}

// Notices that tell the user nothing they can act on.
bool isIdleNotice(const QString& message)
{
    return message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set"));
}

// Qt's warnings are printed, but not its idle notices; the command line's
// tasks use this alone.
void taskMessageHandler(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && !isIdleNotice(message))
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

// A platform plugin that cannot reach its display ends the program with a
// plain message instead of an abort.
void messageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtFatalMsg) {
        reportNoDisplay();
        std::fprintf(stderr, "(%s)\n", qPrintable(message));
        std::fflush(stderr);
        _exit(1);
    }
    taskMessageHandler(type, context, message);
}

// On a large desktop screen the 240 x 320 window would be tiny: start again
// at the largest half-step zoom at which it still fits the screen's height
// with the on-screen keyboard shown below it.
void zoomForLargeScreens(char** argv)
{
    if (std::getenv("QT_SCALE_FACTOR") || std::getenv("VINARIA_NO_ZOOM"))
        return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    const double zoom = ui::automaticZoom(screen->availableGeometry().height(), ui::Screen::kTallestHeight);
    if (zoom <= 1.0)
        return;
    // Qt's number format ignores the locale, so 2.5 never becomes "2,5".
    setenv("QT_SCALE_FACTOR", QByteArray::number(zoom, 'g', 4).constData(), 1);
    execv("/proc/self/exe", argv);
}

} // namespace

int main(int argc, char** argv)
{
    // Tasks on the command line are done before anything needs a display.
    cli::Request request;
    if (const QStringList arguments = argumentsOf(argc, argv); cli::hasOptions(arguments)) {
        const cli::Parsed parsed = cli::parseArguments(arguments);
        if (!parsed.error.empty())
            return cli::reportUsageError(parsed.error);
        request = parsed.request;
        if (request.task == cli::Task::Help) {
            printUsage(request.guideFile);
            return 0;
        }
        if (request.task != cli::Task::Window) {
            qInstallMessageHandler(taskMessageHandler);
            return cli::runTask(request);
        }
    }
    if (!displayConfigured()) {
        reportNoDisplay();
        return 1;
    }
    qInstallMessageHandler(messageHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);
    zoomForLargeScreens(argv);
    QApplication::setApplicationName(QStringLiteral("Vinaria"));

    if (std::getenv("VINARIA_REPORT_PAINT"))
        ui::Screen::instance().afterFirstPaint([] {
            std::puts("vinaria: main window painted");
            std::fflush(stdout);
        });
    // The module: the one program whose resources hold the templates.
    const int result = app::run(QCoreApplication::instance(), request.guideFile);
    ui::Screen::destroy();
    return result;
}
