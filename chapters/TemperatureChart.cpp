// The serving-temperature chart, dialog 129.
#include "chapters/TemperatureChart.h"

#include "services/PlaceholderDialog.h"

namespace TemperatureChart {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    return placeholderChapterProc(dialog, event);
}
} // namespace
