// The serving-temperature chart, dialog 129.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>

namespace TemperatureChart {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event);
} // namespace
