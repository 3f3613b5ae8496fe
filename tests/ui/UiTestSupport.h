// Helpers of the dialog tests: taps at dialog pixels, pixels of the screen.
#pragma once

#include "platform/ui/Dialog.h"

#include <QColor>
#include <QPoint>

namespace ui_testing {

// A stylus tap at (x, y) of the dialog, delivered to whatever control lies
// on top there, as the window system would.
void tapAt(ui::Dialog& dialog, int x, int y);

// The colour the screen shows at (x, y) of the dialog.
QColor pixelAt(ui::Dialog& dialog, int x, int y);

// The middle of a control, in dialog pixels.
QPoint centreOf(ui::Dialog& dialog, int controlId);

} // namespace ui_testing
