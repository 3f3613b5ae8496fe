// The zoom at which the screen window opens on a desktop screen.
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

} // namespace ui
