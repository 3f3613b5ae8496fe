// Names of template 128, the grape varieties, and of its controls.
#pragma once

namespace ids::varieties {
inline constexpr int kTemplate = 128;

inline constexpr int kRedLabel = 1007;
inline constexpr int kWhiteLabel = 1008;
inline constexpr int kRedCombo = 1013;
inline constexpr int kWhiteCombo = 1014;
inline constexpr int kIntroList = 1046;
inline constexpr int kDescriptionEdit = 1047;
inline constexpr int kTitle = 1080;
} // namespace ids::varieties
