// The serving-temperature chart, dialog 129: a thermometer whose bands, or a
// list of wine types, choose the text that the scroll beside it unrolls.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

namespace TemperatureChart {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);
} // namespace
