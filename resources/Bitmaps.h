// Names of the module's bitmaps, by the number the templates refer to them with.
#pragma once

namespace ids::bitmap {
inline constexpr int kNotePad = 105;      // Lesezeichen row
inline constexpr int kGrapes = 106;       // Rebsorten row
inline constexpr int kThermometerIcon = 107; // temperature row
inline constexpr int kTasting = 108;      // Weine von A - Z row
inline constexpr int kThermometer = 131;  // the temperature chart's scale
inline constexpr int kImprintBanner = 134;
inline constexpr int kBottomRoller = 144;
inline constexpr int kTopRoller = 145;
inline constexpr int kParchment = 146;
inline constexpr int kFirstSearchFrame = 148; // six frames, 148 to 153
inline constexpr int kSearchFrames = 6;
} // namespace ids::bitmap
