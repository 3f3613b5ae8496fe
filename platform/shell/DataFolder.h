// Where a program's data files are found: beside the program, else in the
// installed share folder, and the user's own data folder for writable copies.
#pragma once

#include <filesystem>
#include <string_view>

namespace shell {

// $XDG_DATA_HOME/<appName>, or ~/.local/share/<appName> when that variable
// is unset, empty or not an absolute path. Empty when neither it nor HOME
// gives a folder.
std::filesystem::path userDataFolder(std::string_view appName);

// The installed data folder of a program in <prefix>/bin: <prefix>/share/<appName>.
std::filesystem::path installedDataFolder(const std::filesystem::path& programFolder, std::string_view appName);

// True when file can be changed in place: its folder accepts new files (for
// journals and replacements) and the file, if present, is writable.
bool isWritableInPlace(const std::filesystem::path& file);

} // namespace shell
