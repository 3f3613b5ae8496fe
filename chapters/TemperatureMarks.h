// Temperature marks: the band of the thermometer that a tap's y or a wine
// type names, and the string-table text that a band shows. A mark is whole
// degrees Celsius; the bands 4 to 18 have texts, any other mark shows the
// introduction.
#pragma once

namespace TemperatureChart {

inline constexpr int kIntroductionText = 1;

// Top of the thermometer's first band, and the height of one band, in
// dialog pixels. Integer division truncates toward zero, so the few pixels
// above the first band still count as 18 degrees.
inline constexpr int kScaleTop = 6;
inline constexpr int kBandHeight = 14;
inline constexpr int kTopMark = 18;

constexpr int markFromY(int y)
{
    return kTopMark - (y - kScaleTop) / kBandHeight;
}

constexpr int textIdForMark(int mark)
{
    switch (mark) {
    case 18: return 9;
    case 17: return 8;
    case 16: return 7;
    case 15: return 10;
    case 14: return 6;
    case 13: return 11;
    case 12: return 12;
    case 11: return 5;
    case 10: return 13;
    case 9: return 4;
    case 8: return 14;
    case 7: return 3;
    case 6: case 5: case 4: return 15;
    default: return kIntroductionText;
    }
}

// The y a wine-type pick puts in place of a tap: one that lies in the
// band of the mark.
constexpr int yForMark(int mark)
{
    return 258 - kBandHeight * mark;
}

// The empty wine type: a y below the scale, and a mark outside it, so the
// scroll unrolls with the introduction.
inline constexpr int kNoWineTypeY = 256;
inline constexpr int kNoWineTypeMark = 19;

} // namespace TemperatureChart
