// The scroll's frames read back from the dialog's drawing surface: where
// paper, rollers, erase bands and text land at each step, and how a tap
// turns the animation round.
#include "chapters/ScrollAnimation.h"
#include "chapters/TemperatureChart.h"
#include "chapters/TemperatureChartState.h"
#include "resources/Bitmaps.h"
#include "resources/StringTable.h"
#include "resources/dialogs/TemperatureChartIds.h"
#include "tests/ui/ChapterTestSupport.h"
#include "tests/ui/UiTestSupport.h"

#include <QImage>

namespace {

using namespace TemperatureChart;

class ScrollAnimationTest : public chapter_testing::ChapterTest {
protected:
    void SetUp() override
    {
        ChapterTest::SetUp();
        paper = ui::loadBitmap(ids::bitmap::kParchment)->image();
        topRoller = ui::loadBitmap(ids::bitmap::kTopRoller)->image();
        bottomRoller = ui::loadBitmap(ids::bitmap::kBottomRoller)->image();
    }

    TemperatureChartState& state() { return *g_temperatureChartState; }

    // One tick drawn onto an empty surface, so only its frame is there.
    QImage frameOfNextTick(ui::Dialog& d)
    {
        d.surface().clear();
        d.fireTimer(kScrollTimer);
        return d.surface().snapshot();
    }

    void advanceTo(ui::Dialog& d, int step)
    {
        while (state().step < step)
            d.fireTimer(kScrollTimer);
    }

    static bool clear(const QImage& image, int x, int y) { return qAlpha(image.pixel(x, y)) == 0; }
    static QRgb rgb(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

    // Every pixel of the frame's pieces outside the text rectangle is the
    // pictures' own; nothing lands outside the scroll.
    void expectPieces(const QImage& image, const ScrollFrame& f)
    {
        int wrong = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const bool inText = f.text.height > 0 && f.text.contains(x, y);
                if (f.topRoller.contains(x, y))
                    wrong += rgb(image, x, y) != (topRoller.pixel(x - 75, y - f.topRoller.y) | 0xFF000000u);
                else if (f.bottomRoller.contains(x, y))
                    wrong += rgb(image, x, y) != (bottomRoller.pixel(x - 75, y - f.bottomRoller.y) | 0xFF000000u);
                else if (f.paper.contains(x, y) && !inText)
                    wrong += rgb(image, x, y) != (paper.pixel(x - 75, f.paperFirstRow + y - f.paper.y) | 0xFF000000u);
                else if (!f.paper.contains(x, y))
                    wrong += !clear(image, x, y);
            }
        }
        EXPECT_EQ(wrong, 0);
    }

    // Pixels of the text rectangle that differ from the paper beneath.
    int inkIn(const QImage& image, const ScrollFrame& f)
    {
        int ink = 0;
        for (int y = std::max(f.text.y, f.paper.y); y < std::min(f.text.bottom(), f.bottomRoller.y); ++y)
            for (int x = f.text.x; x < f.text.right(); ++x)
                if (y >= f.topRoller.bottom())
                    ink += rgb(image, x, y) != (paper.pixel(x - 75, f.paperFirstRow + y - f.paper.y) | 0xFF000000u);
        return ink;
    }

    QImage paper, topRoller, bottomRoller;
};

TEST_F(ScrollAnimationTest, UnrollingFramesLandWhereTheGeometrySays)
{
    open(ids::temperature::kTemplate, dialogProc, [&](ui::Dialog& d) {
        for (int step : {0, 3, 4, 9, 16, 17, 18}) {
            SCOPED_TRACE(step);
            advanceTo(d, step);
            ASSERT_EQ(state().step, step);
            const ScrollFrame f = scrollFrame(step);
            const QImage image = frameOfNextTick(d);
            expectPieces(image, f);
            // No text while the scroll is narrow; the introduction once open.
            if (step <= 3) {
                EXPECT_LE(f.text.height, 0);
            }
            if (step >= 9) {
                EXPECT_GT(inkIn(image, f), 50);
            }
        }
        EXPECT_FALSE(d.hasTimer(kScrollTimer));
    });
}

TEST_F(ScrollAnimationTest, RollingUpWipesTheBandsBeforeEachFrame)
{
    open(ids::temperature::kTemplate, dialogProc, [&](ui::Dialog& d) {
        advanceTo(d, 18);
        d.fireTimer(kScrollTimer);
        ui_testing::tapAt(d, ui_testing::centreOf(d, ids::temperature::kThermometer).x(), 25);
        for (int step : {18, 17, 16, 9, 4, 3, 0}) {
            SCOPED_TRACE(step);
            while (state().step > step)
                d.fireTimer(kScrollTimer);
            // Something stands where the bands go; the tick takes it away.
            d.surface().clear();
            d.drawOnScreen([](ui::DrawContext& dc) { dc.fillRect({0, 0, 240, 268}, ui::Brush{ui::rgb(255, 0, 0)}); });
            d.fireTimer(kScrollTimer);
            const QImage image = d.surface().snapshot();
            const ScrollFrame f = scrollFrame(step);
            for (const ui::Rect& band : {f.eraseAbove, f.eraseBelow}) {
                EXPECT_TRUE(clear(image, band.x, band.y));
                EXPECT_TRUE(clear(image, band.right() - 1, band.bottom() - 1));
                EXPECT_FALSE(clear(image, band.right(), band.y));      // right of the scroll keeps its own
                EXPECT_FALSE(clear(image, band.x - 1, band.y));
            }
            EXPECT_FALSE(clear(image, 100, f.eraseAbove.y - 1));
            EXPECT_FALSE(clear(image, 100, f.eraseBelow.bottom()));
            EXPECT_EQ(rgb(image, 80, f.topRoller.y), topRoller.pixel(5, 0) | 0xFF000000u);
            EXPECT_EQ(rgb(image, 80, f.bottomRoller.bottom() - 1), bottomRoller.pixel(5, 23) | 0xFF000000u);
        }
        // Step 0 was the last rolling-up frame: the unrolling takes over.
        EXPECT_EQ(state().step, 0);
        EXPECT_EQ(state().targetMark, 17);
        EXPECT_TRUE(d.hasTimer(kScrollTimer));
    });
}

// Frames drawn one over the other, as on the screen: each leaves nothing of
// the one before outside the scroll, not even the right end of a knob.
TEST_F(ScrollAnimationTest, NoFrameLeavesATrailOutsideTheScroll)
{
    open(ids::temperature::kTemplate, dialogProc, [&](ui::Dialog& d) {
        auto strayPixels = [&](const ScrollFrame& f) {
            const QImage image = d.surface().snapshot();
            int stray = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = kScrollLeft; x < image.width(); ++x) {
                    const bool inScroll = x < f.paper.right() && y >= f.topRoller.y && y < f.bottomRoller.bottom();
                    stray += !inScroll && !clear(image, x, y);
                }
            return stray;
        };
        d.surface().clear();
        while (d.hasTimer(kScrollTimer)) {
            const ScrollFrame f = scrollFrame(state().step);
            d.fireTimer(kScrollTimer);
            EXPECT_EQ(strayPixels(f), 0) << "unrolling, t " << f.t;
        }
        ui_testing::tapAt(d, ui_testing::centreOf(d, ids::temperature::kThermometer).x(), 25);
        for (int frame = 0; frame <= kLastStep; ++frame) {
            const ScrollFrame f = scrollFrame(state().step);
            d.fireTimer(kScrollTimer);
            EXPECT_EQ(strayPixels(f), 0) << "rolling up, t " << f.t;
        }
    });
}

TEST_F(ScrollAnimationTest, ATapWhileUnrollingRollsUpFromThereWithTheOldText)
{
    open(ids::temperature::kTemplate, dialogProc, [&](ui::Dialog& d) {
        const int x = ui_testing::centreOf(d, ids::temperature::kThermometer).x();
        advanceTo(d, 18);
        d.fireTimer(kScrollTimer); // open with the introduction
        ui_testing::tapAt(d, x, 25); // band 17
        while (state().step > 0)
            d.fireTimer(kScrollTimer);
        advanceTo(d, 10);
        EXPECT_EQ(std::u16string(state().text.get()), resources::loadString(8));

        ui_testing::tapAt(d, x, 150); // band 8, while band 17 unrolls
        d.fireTimer(kScrollTimer);
        EXPECT_EQ(state().step, 9);
        // Rolling up shows what was fully open before: the introduction.
        EXPECT_EQ(std::u16string(state().text.get()), resources::loadString(1));
        // A second tap while rolling up only changes the band that follows.
        ui_testing::tapAt(d, x, 60);
        int ticks = 0;
        for (; state().step > 0; ++ticks)
            d.fireTimer(kScrollTimer);
        EXPECT_EQ(ticks, 9);
        d.fireTimer(kScrollTimer); // the last rolling-up frame
        EXPECT_EQ(std::u16string(state().text.get()), resources::loadString(1));
        d.fireTimer(kScrollTimer); // the first unrolling frame
        EXPECT_EQ(state().targetMark, 15);
        EXPECT_EQ(std::u16string(state().text.get()), resources::loadString(10));
    });
}

TEST_F(ScrollAnimationTest, TheSameWineTypeTwiceRollsUpAndUnrollsAgain)
{
    open(ids::temperature::kTemplate, dialogProc, [&](ui::Dialog& d) {
        int frames = 0;
        for (int round = 0; round < 2; ++round) {
            d.comboBox(ids::temperature::kWineTypeCombo).setCurrentIndex(10);
            d.sendCommand(ids::temperature::kWineTypeCombo, ui::kSelectionChanged);
            for (frames = 0; d.hasTimer(kScrollTimer); ++frames)
                d.fireTimer(kScrollTimer);
        }
        EXPECT_EQ(frames, 38);
        EXPECT_EQ(std::u16string(state().text.get()), resources::loadString(4));
    });
}

} // namespace
