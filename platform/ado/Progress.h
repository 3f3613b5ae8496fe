// A callback that a long-running statement calls now and then on the thread
// that runs it, so that thread can keep the screen alive meanwhile.
#pragma once

#include "platform/ado/Connection.h"

#include <functional>

namespace ado {

// Steps of the database engine between two calls: small enough for a call
// every few milliseconds, large enough to cost nothing measurable.
inline constexpr int kProgressSteps = 1000;

// Calls tick every `steps` engine steps of any statement on connection; an
// empty tick removes it. The tick never interrupts the statement.
void setProgressHandler(Connection& connection, std::function<void()> tick, int steps = kProgressSteps);

} // namespace ado
