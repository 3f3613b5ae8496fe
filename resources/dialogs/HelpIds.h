// Names of templates 136 (the help menu) and 137 (a help page) and of their controls.
#pragma once

namespace ids::helpMenu {
inline constexpr int kTemplate = 136;

inline constexpr int kBookmarksHelp = 1006;
inline constexpr int kTemperatureHelp = 1026;
inline constexpr int kVarietiesHelp = 1036;
inline constexpr int kSearchHelp = 1048;
inline constexpr int kTitle = 1058;
} // namespace ids::helpMenu

namespace ids::helpPage {
inline constexpr int kTemplate = 137;

inline constexpr int kTitle = 1057;
inline constexpr int kRows = 1046;
} // namespace ids::helpPage
