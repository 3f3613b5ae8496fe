// Debug output to standard error, or to a sink a test installs.
#include "platform/shell/DebugOutput.h"

#include "platform/text/Utf16.h"

#include <cstdio>

namespace shell {

namespace {

std::function<void(std::u16string_view)>& sink()
{
    static std::function<void(std::u16string_view)> s;
    return s;
}

} // namespace

void debugOutput(std::u16string_view text)
{
    if (sink()) {
        sink()(text);
        return;
    }
    std::fprintf(stderr, "%s\n", text::toUtf8(text).c_str());
}

void setDebugSink(std::function<void(std::u16string_view)> s)
{
    sink() = std::move(s);
}

} // namespace shell
