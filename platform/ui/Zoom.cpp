// The zoom. Qt reads its scale factor once, at start; a change while the
// program runs goes through Qt's own high-DPI scaling, which has no public
// call for it, so this file is the one place that uses Qt's private API.
#include "platform/ui/Zoom.h"

#include <QtGlobal>
#include <QtGui/private/qhighdpiscaling_p.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace ui {

namespace {

double& zoomNow()
{
    static double zoom = [] {
        bool ok = false;
        const double set = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
        return ok && set > 0 ? set : 1.0;
    }();
    return zoom;
}

QtMessageHandler& previousHandler()
{
    static QtMessageHandler handler = nullptr;
    return handler;
}

// Qt warns that windows exist; the screen window is made again at once.
void quietWarning(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QHighDpiScaling")))
        return;
    if (previousHandler())
        previousHandler()(type, context, message);
    else
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

double automaticZoom(int availableHeight, int windowHeight)
{
    if (availableHeight <= 0 || windowHeight <= 0)
        return 1.0;
    const double fitting = availableHeight * kZoomHeightShare / windowHeight;
    const double steps = std::floor(fitting / kZoomStep + 1e-9);
    return std::max(1.0, steps * kZoomStep);
}

double zoomedIn(double current, double largest)
{
    const double next = (std::floor(current / kZoomStep + 1e-9) + 1) * kZoomStep;
    return next <= largest + 1e-9 ? next : current;
}

double zoomedOut(double current)
{
    const double previous = (std::ceil(current / kZoomStep - 1e-9) - 1) * kZoomStep;
    return previous >= 1.0 - 1e-9 ? previous : current;
}

double currentZoom()
{
    return zoomNow();
}

void setApplicationZoom(double zoom)
{
    zoomNow() = zoom;
    previousHandler() = qInstallMessageHandler(quietWarning);
    QHighDpiScaling::setGlobalFactor(zoom);
    qInstallMessageHandler(previousHandler());
}

} // namespace ui
