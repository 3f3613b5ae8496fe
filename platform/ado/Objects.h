// Creation of the data-access objects by programmatic identifier, as the
// handheld's component runtime does it. Tests can make an identifier
// unavailable to see how callers cope without the component.
#pragma once

#include "platform/ado/Connection.h"
#include "platform/ado/Recordset.h"

#include <memory>
#include <string_view>

namespace ado {

inline constexpr std::u16string_view kConnectionProgId = u"ADOCE.Connection.3.0";
inline constexpr std::u16string_view kRecordsetProgId = u"ADOCE.Recordset.3.0";
inline constexpr std::u16string_view kProvider = u"cedb";

// Initialises the component runtime for the calling thread; always succeeds here.
bool initializeRuntime();

// Null when the identifier is unknown or made unavailable.
std::shared_ptr<Connection> createConnection(std::u16string_view progId);
std::shared_ptr<Recordset> createRecordset(std::u16string_view progId);

// For tests: while unavailable, creation by this identifier fails.
void setUnavailable(std::u16string_view progId, bool unavailable);

} // namespace ado
