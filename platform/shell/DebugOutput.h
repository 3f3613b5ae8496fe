// The debug output channel: diagnostics for developers, never shown to users.
#pragma once

#include <functional>
#include <string_view>

namespace shell {

// Writes one diagnostic line (to standard error unless a sink is set).
void debugOutput(std::u16string_view text);

// For tests: receives every diagnostic instead; an empty function restores stderr.
void setDebugSink(std::function<void(std::u16string_view)> sink);

} // namespace shell
