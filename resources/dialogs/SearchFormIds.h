// Names of template 126, the search form, and of its controls.
#pragma once

namespace ids::search {
inline constexpr int kTemplate = 126;

inline constexpr int kTitle = 1000;
inline constexpr int kColourFrame = 1006;
inline constexpr int kKeywordLabel = 1007;
inline constexpr int kCountryLabel = 1008;
inline constexpr int kRegionLabel = 1009;
inline constexpr int kFullTextLabel = 1010;
inline constexpr int kStartButton = 1011;
inline constexpr int kKeywordEdit = 1012;
inline constexpr int kCountryCombo = 1013;
inline constexpr int kRegionCombo = 1014;
inline constexpr int kRedCheck = 1015;
inline constexpr int kRoseCheck = 1016;
inline constexpr int kWhiteCheck = 1017;
inline constexpr int kBrownCheck = 1018;
inline constexpr int kQualityLabel = 1019;
inline constexpr int kQualityScroll = 1021;
inline constexpr int kVeryGoodCheck = 1022;
inline constexpr int kQualityFrame = 1026;
inline constexpr int kQualityText = 1027;
inline constexpr int kVeryGoodLabel = 1028;
inline constexpr int kRedLabel = 1029;
inline constexpr int kRoseLabel = 1030;
inline constexpr int kWhiteLabel = 1031;
inline constexpr int kBrownLabel = 1032;
inline constexpr int kTasteFrame = 1036;
inline constexpr int kDryCheck = 1037;
inline constexpr int kSweetCheck = 1038;
inline constexpr int kMediumCheck = 1039;    // "Lieblich"
inline constexpr int kSparklingCheck = 1040;
inline constexpr int kDryLabel = 1041;
inline constexpr int kMediumLabel = 1042;
inline constexpr int kSweetLabel = 1043;
inline constexpr int kSparklingLabel = 1044;
inline constexpr int kAnimation = 1075;
inline constexpr int kFullTextCheck = 1078;
} // namespace ids::search
