// The data folders from the process environment and the file system.
#include "platform/shell/DataFolder.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace shell {

namespace fs = std::filesystem;

fs::path userDataFolder(std::string_view appName)
{
    const char* xdg = std::getenv("XDG_DATA_HOME");
    // Relative values are to be ignored, so a stray setting never points
    // into the current working folder.
    if (xdg && *xdg == '/')
        return fs::path(xdg) / appName;
    const char* home = std::getenv("HOME");
    if (home && *home == '/')
        return fs::path(home) / ".local" / "share" / appName;
    return {};
}

fs::path installedDataFolder(const fs::path& programFolder, std::string_view appName)
{
    return (programFolder / ".." / "share" / appName).lexically_normal();
}

bool isWritableInPlace(const fs::path& file)
{
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return false;
    std::error_code ec;
    return !fs::exists(file, ec) || ::access(file.c_str(), W_OK) == 0;
}

} // namespace shell
