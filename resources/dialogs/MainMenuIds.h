// Names of template 102, the main menu, and of its controls.
#pragma once

namespace ids::mainMenu {
inline constexpr int kTemplate = 102;

inline constexpr int kTitle = 1000;
inline constexpr int kSearchPicture = 1005;
inline constexpr int kSearchRow = 1006;
inline constexpr int kSearchLabel = 1007;
inline constexpr int kVarietiesLabel = 1008;
inline constexpr int kTemperatureLabel = 1009;
inline constexpr int kBookmarksLabel = 1010;
inline constexpr int kImprintLink = 1023;
inline constexpr int kHelpLink = 1025;
inline constexpr int kRatgeberLink = 1026;
inline constexpr int kVarietiesRow = 1048;
inline constexpr int kTemperatureRow = 1049;
inline constexpr int kBookmarksRow = 1050;
inline constexpr int kVarietiesPicture = 1051;
inline constexpr int kTemperaturePicture = 1052;
inline constexpr int kBookmarksPicture = 1053;
} // namespace ids::mainMenu
