// Progress callbacks over the engine's progress handler, one per connection.
#include "platform/ado/Progress.h"

#include <map>

namespace ado {

namespace {

std::map<sqlite3*, std::function<void()>>& ticks()
{
    static std::map<sqlite3*, std::function<void()>> map;
    return map;
}

int callTick(void* handle)
{
    const auto it = ticks().find(static_cast<sqlite3*>(handle));
    if (it != ticks().end() && it->second)
        it->second();
    return 0; // go on with the statement
}

} // namespace

void setProgressHandler(Connection& connection, std::function<void()> tick, int steps)
{
    sqlite3* handle = connection.handle();
    if (!handle)
        return;
    if (!tick) {
        sqlite3_progress_handler(handle, 0, nullptr, nullptr);
        ticks().erase(handle);
        return;
    }
    ticks()[handle] = std::move(tick);
    sqlite3_progress_handler(handle, steps, callTick, handle);
}

} // namespace ado
