// Helpers the control families share: template text as shown, the colour
// request to the procedure, the stylus report, and edit-field fonts.
#pragma once

#include <QFont>
#include <QString>

class QPoint;
class QWidget;

namespace ui {

class Brush;
class Dialog;
class DrawContext;

// Texts of the templates use "\n\r" or "\r\n" for a line break.
QString displayText(const QString& s);

// Asks the procedure for the colours of a static or check box. Returns the
// brush to fill with, or null for the dialog's own background.
const Brush* colourRequest(Dialog* dialog, int id, DrawContext& dc);

// A stylus touch on a control, reported in the dialog's pixels.
void sendStylusDown(Dialog* dialog, QWidget* widget, const QPoint& pos);

// What the user types may be any character, unlike the dialogs' own texts:
// an edit field's font may borrow a character from another face.
QFont withFallbackFaces(QFont font);
bool isEditField(const QWidget* widget);

} // namespace ui
