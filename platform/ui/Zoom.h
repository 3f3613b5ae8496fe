// The zoom of the screen window: the one it opens at on a desktop screen,
// and the steps the zoom keys take while it runs.
#pragma once

namespace ui {

// Zoom steps are halves; the window is never drawn smaller than its
// handheld size.
inline constexpr double kZoomStep = 0.5;
// Share of the screen's available height the window may take.
inline constexpr double kZoomHeightShare = 0.9;

// The largest zoom, in steps of kZoomStep and at least 1, at which a window
// windowHeight pixels high fits in kZoomHeightShare of availableHeight.
double automaticZoom(int availableHeight, int windowHeight);

// The next zoom a key asks for: one step up or down from current (a zoom
// between steps goes to the neighbouring step), kept within 1 and largest;
// current itself when that is already the limit.
double zoomedIn(double current, double largest);
double zoomedOut(double current);

// The zoom the program draws at now, and a change of it for every window:
// windows shown at the time must be made again (see Screen).
double currentZoom();
void setApplicationZoom(double zoom);

} // namespace ui
