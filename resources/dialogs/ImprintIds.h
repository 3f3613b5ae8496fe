// Names of template 132, the imprint, and of its controls.
#pragma once

namespace ids::imprint {
inline constexpr int kTemplate = 132;

inline constexpr int kBanner = -1; // the picture has no id of its own
inline constexpr int kRows = 1046;
inline constexpr int kTitle = 1057;
} // namespace ids::imprint
