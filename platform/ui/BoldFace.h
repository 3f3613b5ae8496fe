// The Tahoma-metric package's bold face has the bold widths but strokes no
// heavier than its regular face. This thickens the outlines of such a
// TrueType face in memory and keeps every advance width, so text still fits
// the boxes laid out for the bold face while reading as bold.
#pragma once

#include <QByteArray>

namespace ui {

// The face with every outline grown by strength ems across each stroke, and
// without its embedded bitmaps (which would be drawn unthickened at some
// sizes); empty when the data is not a TrueType face this can read.
QByteArray thickenedFace(const QByteArray& ttf, double strength);

} // namespace ui
