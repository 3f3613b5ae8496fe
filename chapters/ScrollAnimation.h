// The paper scroll beside the thermometer: its pictures, its drawing, and
// the two timer routines that unroll it and roll it up.
#pragma once

#include "chapters/ScrollGeometry.h"
#include "platform/ui/DrawContext.h"

#include <memory>

namespace ui {
class Dialog;
}

namespace TemperatureChart {

// The three scroll pictures, loaded when the dialog opens and released when
// it closes, so a frame only copies.
struct ScrollPictures {
    std::unique_ptr<ui::Bitmap> topRoller;
    std::unique_ptr<ui::Bitmap> paper;
    std::unique_ptr<ui::Bitmap> bottomRoller;
    void load();
    void release();
};

enum class WhichMark { Target, Shown };

// Draw onto the chart's dialog at the state's current step.
void drawScroll(ui::DrawContext& dc);
void drawScrollText(ui::DrawContext& dc, WhichMark which);

// Timer routines of timer 1: each stops its timer when its animation ends.
void openingTick(ui::Dialog& dialog, int timerId);
void closingTick(ui::Dialog& dialog, int timerId);

// Start (or take over) timer 1 with one of the routines; the animation goes
// on from the step it has reached.
void startUnrolling(ui::Dialog& dialog);
void startRollingUp(ui::Dialog& dialog);

} // namespace TemperatureChart
