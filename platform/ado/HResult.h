// Result codes of the data-access calls: negative means failure.
#pragma once

#include <cstdint>
#include <stdexcept>

namespace ado {

using HResult = std::int32_t;

constexpr HResult kOk = 0;
constexpr HResult kFail = static_cast<HResult>(0x80004005u);
constexpr HResult kNotFound = static_cast<HResult>(0x800A0CB3u);

constexpr bool succeeded(HResult hr) { return hr >= 0; }

// A fault inside the data-access component (damaged file, lost connection),
// as opposed to a statement it merely refuses.
class Fault : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace ado
