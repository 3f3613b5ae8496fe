// Names of template 129, the serving-temperature chart, and of its controls.
#pragma once

namespace ids::temperature {
inline constexpr int kTemplate = 129;

inline constexpr int kWineTypeCombo = 1005;
inline constexpr int kThermometer = 1054;
inline constexpr int kTitle = 1055;
inline constexpr int kScrollText = 1056;
inline constexpr int kTopRoller = 1072;
inline constexpr int kPaper = 1073;
inline constexpr int kBottomRoller = 1074;
inline constexpr int kWineTypeLabel = 1080;
} // namespace ids::temperature
