// Where the scroll beside the thermometer lands at each animation step, in
// dialog pixels: paper, rollers, text rectangle and the bands wiped before a
// rolling-up frame. Pure arithmetic, shared by the drawing and its tests.
#pragma once

#include "platform/ui/Geometry.h"

namespace TemperatureChart {

// The half-opening t of the scroll, in pixels, for each animation step. The
// values ease in and out; steps 16 to 18 are the fully open scroll.
inline constexpr int kScrollOffsets[] = {-8, -7, -6, -4, -2, 1, 4, 8, 13, 19, 25, 32, 39, 44, 47, 49, 50, 50, 50};
inline constexpr int kLastStep = 18;

inline constexpr int kScrollTimer = 1;
inline constexpr int kScrollTimerMs = 100;

inline constexpr int kScrollLeft = 75;
inline constexpr int kScrollWidth = 160;
inline constexpr int kPaperHeight = 123;
inline constexpr int kTopRollerHeight = 23;
inline constexpr int kBottomRollerHeight = 24;
inline constexpr int kTextLeft = 90;
inline constexpr int kTextRight = 225;

// The bottom of the text, t * 0.02 * 5 + (t + 128) in single precision,
// truncated toward zero; for every offset it equals 128 + t + floor(t / 10).
constexpr int textBottom(int t)
{
    return static_cast<int>(static_cast<float>(t) * 0.02f * 5.0f + static_cast<float>(t + 128));
}

// Where each piece of one frame lands, in dialog pixels.
struct ScrollFrame {
    int t = 0;
    int paperFirstRow = 0; // first row of the paper picture that shows
    ui::Rect paper;        // where those rows go
    ui::Rect topRoller;
    ui::Rect bottomRoller;
    ui::Rect text;         // empty (height <= 0) while the scroll is too narrow
    ui::Rect eraseAbove;   // the bands wiped before a rolling-up frame
    ui::Rect eraseBelow;
};

constexpr ScrollFrame scrollFrame(int step)
{
    const int t = kScrollOffsets[step < 0 ? 0 : step > kLastStep ? kLastStep : step];
    ScrollFrame f;
    f.t = t;
    f.paperFirstRow = 100 - 2 * t;
    f.paper = {kScrollLeft, 115 - t, kScrollWidth, 23 + 2 * t};
    f.topRoller = {kScrollLeft, 94 - t, kScrollWidth, kTopRollerHeight};
    f.bottomRoller = {kScrollLeft, 138 + t, kScrollWidth, kBottomRollerHeight};
    f.text = {kTextLeft, 120 - t, kTextRight - kTextLeft, textBottom(t) - (120 - t)};
    // The bands are as wide as the scroll: narrower, they would leave the
    // right end of the rollers' knobs behind at every step.
    f.eraseAbove = {kScrollLeft, 74 - t, kScrollWidth, 20};
    f.eraseBelow = {kScrollLeft, 162 + t, kScrollWidth, 10};
    return f;
}

} // namespace TemperatureChart
