// The automatic zoom.
#include "platform/ui/Zoom.h"

#include <algorithm>
#include <cmath>

namespace ui {

double automaticZoom(int availableHeight, int windowHeight)
{
    if (availableHeight <= 0 || windowHeight <= 0)
        return 1.0;
    const double fitting = availableHeight * kZoomHeightShare / windowHeight;
    const double steps = std::floor(fitting / kZoomStep + 1e-9);
    return std::max(1.0, steps * kZoomStep);
}

} // namespace ui
