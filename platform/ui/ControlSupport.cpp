// The helpers the control families share.
#include "platform/ui/ControlSupport.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/DrawContext.h"

#include <QLineEdit>
#include <QPlainTextEdit>

namespace ui {

QString displayText(const QString& s)
{
    QString out = s;
    out.remove(QLatin1Char('\r'));
    return out;
}

const Brush* colourRequest(Dialog* dialog, int id, DrawContext& dc)
{
    Event e;
    e.kind = EventKind::ColourRequest;
    e.controlId = id;
    e.dc = &dc;
    dc.setBackgroundMode(BackgroundMode::Transparent);
    return reinterpret_cast<const Brush*>(dialog->send(e));
}

void sendStylusDown(Dialog* dialog, QWidget* widget, const QPoint& pos)
{
    if (!dialog->widget())
        return;
    const QPoint p = widget->mapTo(dialog->widget(), pos);
    Event e;
    e.kind = EventKind::StylusMove;
    e.x = p.x();
    e.y = p.y();
    dialog->send(e);
}

QFont withFallbackFaces(QFont font)
{
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() & ~QFont::NoFontMerging));
    return font;
}

bool isEditField(const QWidget* widget)
{
    return qobject_cast<const QLineEdit*>(widget) || qobject_cast<const QPlainTextEdit*>(widget);
}

} // namespace ui
