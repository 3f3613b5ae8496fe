// Object creation by programmatic identifier.
#include "platform/ado/Objects.h"

#include <set>
#include <string>

namespace ado {

namespace {

std::set<std::u16string>& unavailableIds()
{
    static std::set<std::u16string> ids;
    return ids;
}

bool available(std::u16string_view progId, std::u16string_view expected)
{
    return progId == expected && !unavailableIds().contains(std::u16string(progId));
}

} // namespace

bool initializeRuntime()
{
    return true;
}

std::shared_ptr<Connection> createConnection(std::u16string_view progId)
{
    return available(progId, kConnectionProgId) ? std::make_shared<Connection>() : nullptr;
}

std::shared_ptr<Recordset> createRecordset(std::u16string_view progId)
{
    return available(progId, kRecordsetProgId) ? std::make_shared<Recordset>() : nullptr;
}

void setUnavailable(std::u16string_view progId, bool unavailable)
{
    if (unavailable)
        unavailableIds().insert(std::u16string(progId));
    else
        unavailableIds().erase(std::u16string(progId));
}

} // namespace ado
