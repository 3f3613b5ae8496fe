// The scroll's frames. Each tick draws one frame straight onto the dialog's
// surface; the surface keeps it, so a repaint of the dialog shows the scroll
// as last drawn.
#include "chapters/ScrollAnimation.h"

#include "chapters/TemperatureChartState.h"
#include "chapters/TemperatureMarks.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "resources/Bitmaps.h"
#include "resources/StringTable.h"
#include "services/Singletons.h"

namespace TemperatureChart {

void ScrollPictures::load()
{
    topRoller = ui::loadBitmap(ids::bitmap::kTopRoller);
    paper = ui::loadBitmap(ids::bitmap::kParchment);
    bottomRoller = ui::loadBitmap(ids::bitmap::kBottomRoller);
}

void ScrollPictures::release()
{
    topRoller.reset();
    paper.reset();
    bottomRoller.reset();
}

namespace {

void copyWhole(ui::DrawContext& dc, const ui::Bitmap* bitmap, const ui::Rect& at)
{
    if (bitmap)
        dc.bitBlt(at.x, at.y, at.width, at.height, *bitmap);
}

// The text's rows are taken from the string table into the state's buffer,
// cut to the loaded capacity.
std::u16string_view loadText(TemperatureChartState& state, int mark)
{
    if (!state.text)
        return {};
    const std::size_t n = text::copy(state.text.get(), TemperatureChartState::kLoadedUnits,
                                     resources::loadString(textIdForMark(mark)));
    return std::u16string_view(state.text.get(), n);
}

void drawFrame(ui::Dialog& dialog, WhichMark which, bool eraseFirst)
{
    dialog.drawOnScreen([&](ui::DrawContext& dc) {
        if (eraseFirst) {
            const ScrollFrame frame = scrollFrame(g_temperatureChartState->step);
            dc.eraseRect(frame.eraseAbove);
            dc.eraseRect(frame.eraseBelow);
        }
        drawScroll(dc);
        drawScrollText(dc, which);
    });
}

} // namespace

void drawScroll(ui::DrawContext& dc)
{
    const TemperatureChartState& state = *g_temperatureChartState;
    const ScrollFrame frame = scrollFrame(state.step);
    if (const ui::Bitmap* paper = state.pictures.paper.get())
        dc.bitBlt(frame.paper.x, frame.paper.y, frame.paper.width, frame.paper.height, *paper, 0, frame.paperFirstRow);
    copyWhole(dc, state.pictures.topRoller.get(), frame.topRoller);
    copyWhole(dc, state.pictures.bottomRoller.get(), frame.bottomRoller);
}

void drawScrollText(ui::DrawContext& dc, WhichMark which)
{
    TemperatureChartState& state = *g_temperatureChartState;
    const int mark = which == WhichMark::Shown ? state.shownMark : state.targetMark;
    const std::u16string_view text = loadText(state, mark);
    const ScrollFrame frame = scrollFrame(state.step);
    if (frame.text.height <= 0)
        return;
    dc.setBackgroundMode(ui::BackgroundMode::Transparent);
    dc.selectFont(state.textFont.get());
    // Lines break only at line feeds; the rectangle clips the rest.
    dc.drawText(text, frame.text, ui::text_flags::kCentre);
}

void openingTick(ui::Dialog& dialog, int timerId)
{
    TemperatureChartState& state = *g_temperatureChartState;
    drawFrame(dialog, WhichMark::Target, false);
    if (state.step < kLastStep) {
        ++state.step;
        return;
    }
    dialog.killTimer(timerId);
    state.shownMark = state.targetMark;
    state.ignoreNextMove = false;
}

void closingTick(ui::Dialog& dialog, int timerId)
{
    TemperatureChartState& state = *g_temperatureChartState;
    // While rolling up, the scroll still shows the text that was open.
    drawFrame(dialog, WhichMark::Shown, true);
    if (state.step > 0) {
        --state.step;
        return;
    }
    dialog.killTimer(timerId);
    // The band is read only now, so the last tap or pick decides.
    state.targetMark = markFromY(state.stylusY);
    startUnrolling(dialog);
}

void startUnrolling(ui::Dialog& dialog)
{
    dialog.setTimer(kScrollTimer, kScrollTimerMs, openingTick);
}

void startRollingUp(ui::Dialog& dialog)
{
    dialog.setTimer(kScrollTimer, kScrollTimerMs, closingTick);
}

} // namespace TemperatureChart
