// The automatic zoom on common desktop screens, and bold labels staying bold
// when the screen is drawn at twice the pixel density.
#include "platform/ui/Fonts.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Zoom.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

TEST(AutomaticZoom, LargestHalfStepThatFitsNineTenthsOfTheHeight)
{
    struct Case {
        int available;
        double zoom;
    };
    // 320 pixels at 2.5 is 800, within 90 % of 1024; at 3 it is 960, not.
    const Case cases[] = {{768, 2.0}, {1024, 2.5}, {1080, 3.0}, {1440, 4.0}, {2160, 6.0}};
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(ui::automaticZoom(c.available, ui::Screen::kHeight), c.zoom) << c.available;
}

TEST(AutomaticZoom, NeverBelowOneAndExactFitCounts)
{
    EXPECT_DOUBLE_EQ(ui::automaticZoom(320, ui::Screen::kHeight), 1.0);
    EXPECT_DOUBLE_EQ(ui::automaticZoom(0, ui::Screen::kHeight), 1.0);
    EXPECT_DOUBLE_EQ(ui::automaticZoom(-5, ui::Screen::kHeight), 1.0);
    // 90 % of 800 is exactly 2.25 windows of 320: the 2 step, not 2.5.
    EXPECT_DOUBLE_EQ(ui::automaticZoom(800, ui::Screen::kHeight), 2.0);
    // 90 % of 1600 is 1440, exactly 4.5 windows.
    EXPECT_DOUBLE_EQ(ui::automaticZoom(1600, ui::Screen::kHeight), 4.5);
}

// Dark pixels of a label drawn at the given device pixel ratio.
int inkOf(const QFont& font, double ratio)
{
    QImage image(static_cast<int>(160 * ratio), static_cast<int>(24 * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, 0, 160, 24), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Weine von A - Z"));
    }
    int dark = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return dark;
}

TEST(BoldFonts, StayClearlyHeavierAtEveryZoom)
{
    // The menu's entry labels (cell height 14) and the caption (12 pixels).
    for (int height : {14, -12}) {
        const QFont regular = ui::makeFont(u"Tahoma", height, 400);
        const QFont bold = ui::makeFont(u"Tahoma", height, 700);
        for (double ratio : {1.0, 2.0, 2.5}) {
            const int light = inkOf(regular, ratio);
            const int heavy = inkOf(bold, ratio);
            ASSERT_GT(light, 0);
            // Bold emboldened from the regular face reached only 1.25 at zoom 2.
            EXPECT_GT(heavy, light * 1.4) << "height " << height << " at zoom " << ratio;
        }
    }
}

} // namespace
