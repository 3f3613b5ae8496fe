// The running program's own path, and files that lie beside it.
#pragma once

#include <string>
#include <string_view>

namespace shell {

// Full path of the running program file.
std::u16string programPath();

// For tests: programPath() answers this path until reset with an empty one.
void setProgramPathForTesting(std::u16string_view path);

// The program's folder followed by name. The folder ends at the last "\" or
// "/"; a path with neither keeps its first character, as the handheld did.
std::u16string siblingPath(std::u16string_view programPath, std::u16string_view name);

} // namespace shell
