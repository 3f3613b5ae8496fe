// The serving-temperature chart: what a tap on the thermometer or a wine
// type makes the scroll show, the stylus bookkeeping, and the colours.
#include "chapters/TemperatureChart.h"
#include "chapters/TemperatureChartState.h"
#include "chapters/TemperatureMarks.h"
#include "platform/ui/Screen.h"
#include "resources/StringTable.h"
#include "resources/dialogs/TemperatureChartIds.h"
#include "tests/ui/ChapterTestSupport.h"
#include "tests/ui/UiTestSupport.h"

#include <QImage>
#include <QPainter>

namespace {

using namespace ids::temperature;
using testing_support::utf8;

class TemperatureChartTest : public chapter_testing::ChapterTest {
protected:
    TemperatureChartState& state() { return *g_temperatureChartState; }

    std::u16string shownText() { return state().text ? std::u16string(state().text.get()) : u"(none)"; }

    // Fires the scroll's timer until it stops; returns the ticks.
    int runAnimation(ui::Dialog& d)
    {
        int ticks = 0;
        while (d.hasTimer(TemperatureChart::kScrollTimer) && ticks < 100) {
            d.fireTimer(TemperatureChart::kScrollTimer);
            ++ticks;
        }
        return ticks;
    }

    void pick(ui::Dialog& d, int index)
    {
        d.comboBox(kWineTypeCombo).setCurrentIndex(index);
        d.sendCommand(kWineTypeCombo, ui::kSelectionChanged);
    }

    void stylus(ui::Dialog& d, int x, int y)
    {
        ui::Event e;
        e.kind = ui::EventKind::StylusMove;
        e.x = x;
        e.y = y;
        d.send(e);
    }

    // A tap at dialog y on the thermometer, as the window system delivers it.
    void tapThermometer(ui::Dialog& d, int y)
    {
        const QPoint centre = ui_testing::centreOf(d, kThermometer);
        ui_testing::tapAt(d, centre.x(), y);
    }
};

TEST_F(TemperatureChartTest, OpeningUnrollsTheIntroductionAndListsTheWineTypes)
{
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        EXPECT_TRUE(d.hasDoneButton());
        EXPECT_EQ(d.timerInterval(TemperatureChart::kScrollTimer), 100);
        EXPECT_EQ(state().step, 0);
        EXPECT_EQ(shownText(), resources::loadString(1));
        EXPECT_EQ(d.staticControl(kScrollText).text(), resources::loadString(1));
        EXPECT_FALSE(d.control(kScrollText).isVisible());

        ui::ComboBox& types = d.comboBox(kWineTypeCombo);
        ASSERT_EQ(types.count(), 21);
        EXPECT_EQ(types.currentIndex(), -1);
        for (int i = 0; i < 21; ++i)
            EXPECT_EQ(types.itemText(i), resources::kWineMarks[i].name);

        // Nineteen frames, then the open scroll stays without a timer.
        EXPECT_EQ(runAnimation(d), 19);
        EXPECT_EQ(state().step, 18);
        EXPECT_EQ(shownText(), resources::loadString(1));
        EXPECT_TRUE(state().textFont->qfont().bold());
    });
    // Closing releases what the opening made.
    EXPECT_EQ(state().text, nullptr);
    EXPECT_EQ(state().textFont, nullptr);
    EXPECT_EQ(state().whiteBrush, nullptr);
    EXPECT_EQ(state().pictures.paper, nullptr);
}

TEST_F(TemperatureChartTest, TapsAtTheBandEdgesChooseTheirBands)
{
    struct Tap { int y, mark, text; };
    const Tap taps[] = {{19, 18, 9}, {20, 17, 8}, {25, 17, 8}, {215, 4, 15}, {216, 3, 1}, {230, 2, 1}};
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        runAnimation(d);
        for (const Tap& tap : taps) {
            SCOPED_TRACE(tap.y);
            tapThermometer(d, tap.y);
            EXPECT_EQ(state().targetMark, tap.mark);
            EXPECT_EQ(state().stylusY, tap.y);
            // Rolls up from the open scroll, then unrolls with the band's text.
            EXPECT_EQ(runAnimation(d), 19 + 19);
            EXPECT_EQ(shownText(), resources::loadString(tap.text)) << utf8(shownText());
            EXPECT_EQ(state().shownMark, tap.mark);
        }
    });
}

TEST_F(TemperatureChartTest, EveryWineTypeShowsItsBandAndTheEmptyOneTheIntroduction)
{
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        runAnimation(d);
        for (int i = 1; i < 21; ++i) {
            SCOPED_TRACE(utf8(resources::kWineMarks[i].name));
            pick(d, i);
            const int mark = resources::kWineMarks[i].mark;
            EXPECT_EQ(state().stylusY, 258 - 14 * mark);
            EXPECT_EQ(state().targetMark, mark);
            runAnimation(d);
            EXPECT_EQ(shownText(), resources::loadString(TemperatureChart::textIdForMark(mark)));
        }
        // "Sherry" shares its text with "Champagner" and "Weißwein, trocken".
        pick(d, 16);
        runAnimation(d);
        EXPECT_EQ(shownText(), resources::loadString(14));

        pick(d, 0);
        EXPECT_EQ(state().stylusY, 256);
        EXPECT_EQ(state().targetMark, 19);
        EXPECT_EQ(runAnimation(d), 38);
        EXPECT_EQ(state().shownMark, 1);
        EXPECT_EQ(shownText(), resources::loadString(1));
    });
}

TEST_F(TemperatureChartTest, TheStylusMoveAfterAPickIsIgnoredOnce)
{
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        stylus(d, 30, 40);
        EXPECT_EQ(state().stylusX, 30);
        EXPECT_EQ(state().stylusY, 40);
        pick(d, 3); // Bordeaux, mark 17
        EXPECT_TRUE(state().ignoreNextMove);
        stylus(d, 140, 230);
        EXPECT_EQ(state().stylusY, 258 - 14 * 17);
        EXPECT_EQ(state().stylusX, 30);
        stylus(d, 140, 230);
        EXPECT_EQ(state().stylusY, 230);
        // Stylus positions are unsigned 16-bit values.
        stylus(d, -1, -2);
        EXPECT_EQ(state().stylusX, 65535);
        EXPECT_EQ(state().stylusY, 65534);
        // The end of an unrolling forgets a pending ignore.
        pick(d, 3);
        runAnimation(d);
        EXPECT_FALSE(state().ignoreNextMove);
    });
}

TEST_F(TemperatureChartTest, ATapAfterAPickShowsTheTappedBand)
{
    // The drop-down list sends the dialog no stylus move of its own, so the
    // move swallowed after a pick is the tap's; the tap's release still counts.
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        runAnimation(d);
        pick(d, 16); // Sherry, mark 8
        runAnimation(d);
        tapThermometer(d, 25);
        EXPECT_EQ(state().targetMark, 17);
        runAnimation(d);
        EXPECT_EQ(shownText(), resources::loadString(8));
    });
}

TEST_F(TemperatureChartTest, AClickWithoutStylusUsesTheThermometerNotAnEarlierOpening)
{
    state().stylusY = 25; // left from an earlier opening
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        runAnimation(d);
        d.sendCommand(kThermometer, ui::kClicked); // keyboard or accessibility
        const ui::Rect r = d.control(kThermometer).rect();
        EXPECT_EQ(state().stylusY, r.y + r.height / 2);
        EXPECT_EQ(state().targetMark, TemperatureChart::markFromY(r.y + r.height / 2));
        EXPECT_NE(state().targetMark, 17);
        // Once the stylus has moved in this opening, its position decides.
        runAnimation(d);
        stylus(d, 20, 150);
        d.sendCommand(kThermometer, ui::kClicked);
        EXPECT_EQ(state().targetMark, 8);
    });
}

TEST_F(TemperatureChartTest, ReopeningStartsAgainWithTheIntroduction)
{
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        runAnimation(d);
        tapThermometer(d, 100);
        d.fireTimer(TemperatureChart::kScrollTimer);
    });
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        EXPECT_EQ(state().step, 0);
        EXPECT_EQ(state().targetMark, 0);
        EXPECT_EQ(state().shownMark, 0);
        EXPECT_FALSE(state().ignoreNextMove);
        runAnimation(d);
        EXPECT_EQ(shownText(), resources::loadString(1));
    });
}

TEST_F(TemperatureChartTest, ColourAnswersAndTheScrollSurvivesARepaint)
{
    open(kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        QImage image(10, 10, QImage::Format_RGB32);
        QPainter painter(&image);
        ui::DrawContext dc(painter);
        ui::Event e;
        e.kind = ui::EventKind::ColourRequest;
        e.dc = &dc;
        e.controlId = kScrollText;
        dc.setTextColour(ui::rgb(200, 0, 0));
        dc.setBackgroundMode(ui::BackgroundMode::Opaque);
        const auto* hollow = reinterpret_cast<const ui::Brush*>(d.send(e));
        ASSERT_NE(hollow, nullptr);
        EXPECT_TRUE(hollow->hollow);
        EXPECT_EQ(dc.textColour(), ui::rgb(0, 0, 0));
        EXPECT_EQ(dc.backgroundMode(), ui::BackgroundMode::Transparent);
        for (int id : {kTitle, kThermometer, kWineTypeLabel}) {
            e.controlId = id;
            const auto* white = reinterpret_cast<const ui::Brush*>(d.send(e));
            ASSERT_NE(white, nullptr);
            EXPECT_FALSE(white->hollow);
            EXPECT_EQ(white->colour, ui::rgb(255, 255, 255));
            EXPECT_EQ(white, state().whiteBrush.get());
        }

        runAnimation(d);
        // Covered and repainted: the open scroll is still on the screen.
        d.widget()->repaint();
        const QColor paper = ui_testing::pixelAt(d, 80, 150);
        EXPECT_NE(paper, QColor(Qt::white));
        EXPECT_EQ(paper, d.surface().snapshot().pixelColor(80, 150));
    });
}

} // namespace
