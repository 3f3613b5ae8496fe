// The serving-temperature chart, dialog 129. A tap on the thermometer, or a
// wine type from the list, sets the band; the scroll rolls up with the old
// text and unrolls with the band's (ScrollAnimation.cpp).
#include "chapters/TemperatureChart.h"

#include "chapters/ScrollAnimation.h"
#include "chapters/TemperatureChartState.h"
#include "chapters/TemperatureMarks.h"
#include "platform/shell/Shell.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "resources/StringTable.h"
#include "resources/dialogs/TemperatureChartIds.h"
#include "services/Singletons.h"

#include <iterator>

namespace TemperatureChart {

namespace {

using namespace ids::temperature;

// Stylus positions arrive as two unsigned 16-bit halves of one word.
constexpr std::int32_t kPositionMask = 0xFFFF;

void createFonts(ui::Dialog& dialog, TemperatureChartState& state)
{
    state.titleFont = ui::createFont(20, 700, u"Tahoma");
    dialog.control(kTitle).setFont(state.titleFont.get(), true);
    state.textFont = ui::createFont(13, 700, u"BethHand");
    dialog.control(kScrollText).setFont(state.textFont.get(), true);
    state.comboFont = ui::createFont(11, 400, u"Tahoma");
    dialog.control(kWineTypeCombo).setFont(state.comboFont.get(), true);
}

void initialise(ui::Dialog& dialog)
{
    TemperatureChartState& state = *g_temperatureChartState;
    state.text = std::make_unique<char16_t[]>(TemperatureChartState::kTextUnits);
    shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
    state.step = 0;
    createFonts(dialog, state);
    state.whiteBrush = ui::createSolidBrush(ui::rgb(255, 255, 255));
    state.pictures.load();
    state.stylusMoved = false;
    g_shellServices->setInputPanel(false, true);

    text::copy(state.text.get(), TemperatureChartState::kLoadedUnits, resources::loadString(kIntroductionText));
    dialog.staticControl(kScrollText).setText(state.text.get());
    state.targetMark = 0;
    state.shownMark = 0;
    startUnrolling(dialog);
    // At step 0 nothing shows; this loads the introduction once more.
    dialog.drawOnScreen([](ui::DrawContext& dc) { drawScrollText(dc, WhichMark::Shown); });

    ui::ComboBox& wineTypes = dialog.comboBox(kWineTypeCombo);
    for (const auto& wine : resources::kWineMarks)
        wineTypes.addString(wine.name);
    state.ignoreNextMove = false;
}

void stylusMove(const ui::Event& event)
{
    TemperatureChartState& state = *g_temperatureChartState;
    state.stylusMoved = true;
    if (state.ignoreNextMove) {
        state.ignoreNextMove = false;
        return;
    }
    state.stylusX = event.x & kPositionMask;
    state.stylusY = event.y & kPositionMask;
}

// The band comes from where the tap was. A click that carries no position
// (keyboard, accessibility) counts as one in the middle of the thermometer
// when no stylus has moved over this opening of the dialog, so that a
// position left from an earlier opening never decides.
void thermometerTap(ui::Dialog& dialog, const ui::Event& event)
{
    TemperatureChartState& state = *g_temperatureChartState;
    if (event.hasPosition) {
        state.stylusX = event.x & kPositionMask;
        state.stylusY = event.y & kPositionMask;
    } else if (!state.stylusMoved) {
        const ui::Rect r = dialog.control(kThermometer).rect();
        state.stylusX = r.x + r.width / 2;
        state.stylusY = r.y + r.height / 2;
    }
    state.targetMark = markFromY(state.stylusY);
    startRollingUp(dialog);
}

void wineTypePicked(ui::Dialog& dialog)
{
    TemperatureChartState& state = *g_temperatureChartState;
    state.ignoreNextMove = true;
    const int index = dialog.comboBox(kWineTypeCombo).currentIndex();
    if (index < 0 || index >= static_cast<int>(std::size(resources::kWineMarks)))
        return;
    if (index != 0) {
        state.stylusY = yForMark(resources::kWineMarks[index].mark);
        state.targetMark = markFromY(state.stylusY);
        startRollingUp(dialog);
        return;
    }
    startRollingUp(dialog);
    state.stylusY = kNoWineTypeY;
    state.targetMark = kNoWineTypeMark;
}

void command(ui::Dialog& dialog, const ui::Event& event)
{
    if (event.controlId == kThermometer && event.code == ui::kClicked)
        thermometerTap(dialog, event);
    else if (event.controlId == kWineTypeCombo && event.code == ui::kSelectionChanged)
        wineTypePicked(dialog);
    if (event.controlId == ui::kIdOk)
        ui::endDialog(dialog, 1);
    else
        g_shellServices->setInputPanel(false, true);
}

std::intptr_t colourRequest(const ui::Event& event)
{
    // The hidden text control draws over whatever lies beneath it.
    static const ui::Brush hollow{ui::rgb(255, 255, 255), true};
    if (event.controlId == kScrollText) {
        if (event.dc) {
            event.dc->setTextColour(ui::rgb(0, 0, 0));
            event.dc->setBackgroundMode(ui::BackgroundMode::Transparent);
        }
        return ui::brushResult(&hollow);
    }
    return ui::brushResult(g_temperatureChartState->whiteBrush.get());
}

void destroy()
{
    TemperatureChartState& state = *g_temperatureChartState;
    state.text.reset();
    state.titleFont.reset();
    state.textFont.reset();
    state.comboFont.reset();
    state.whiteBrush.reset();
    state.pictures.release();
    state.dialog = nullptr;
}

} // namespace

std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    if (!g_temperatureChartState)
        return 0;
    g_temperatureChartState->dialog = &dialog;
    switch (event.kind) {
    case ui::EventKind::Initialise:
        initialise(dialog);
        return 0;
    case ui::EventKind::Command:
        command(dialog, event);
        return 0;
    case ui::EventKind::StylusMove:
        stylusMove(event);
        return 0;
    case ui::EventKind::ColourRequest:
        return colourRequest(event);
    case ui::EventKind::Size:
    case ui::EventKind::Paint:
    case ui::EventKind::SettingChange:
        requestInputPanel();
        return 0;
    case ui::EventKind::Destroy:
        destroy();
        return 0;
    default:
        return 0;
    }
}

} // namespace TemperatureChart
