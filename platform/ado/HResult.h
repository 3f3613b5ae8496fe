// Result codes of the data-access calls: negative means failure.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ado {

using HResult = std::int32_t;

constexpr HResult kOk = 0;
constexpr HResult kFail = static_cast<HResult>(0x80004005u);
constexpr HResult kNotFound = static_cast<HResult>(0x800A0CB3u);

constexpr bool succeeded(HResult hr) { return hr >= 0; }

// A fault inside the data-access component (damaged file, lost connection,
// a lock held past the busy timeout), as opposed to a statement it merely
// refuses. code is the engine's extended result code, 0 when there is none.
class Fault : public std::runtime_error {
public:
    explicit Fault(const std::string& message, int code = 0) : std::runtime_error(message), code_(code) {}
    int code() const { return code_; }

private:
    int code_ = 0;
};

} // namespace ado
