// The menu pictures: committed files match the generator, in size, depth and ground.
#include "platform/ui/DrawContext.h"
#include "tools/artwork/Artwork.h"

#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

int whitePixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == QColor(Qt::white);
    return n;
}

TEST(Artwork, MenuPicturesAreSixtyByFiftyTwentyFourBitOnWhite)
{
    for (int id : {105, 106, 107, 108}) {
        SCOPED_TRACE(id);
        QFile file(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bmp = file.readAll();
        ASSERT_GT(bmp.size(), 30);
        EXPECT_EQ(bmp.left(2), QByteArray("BM"));
        EXPECT_EQ(static_cast<unsigned char>(bmp[28]), 24u); // bits per pixel
        const auto bitmap = ui::loadBitmap(id);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->width(), 60);
        EXPECT_EQ(bitmap->height(), 50);
        const QImage& image = bitmap->image();
        for (const QPoint corner : {QPoint(0, 0), QPoint(59, 0), QPoint(0, 49)})
            EXPECT_EQ(image.pixelColor(corner), QColor(Qt::white));
        // A white ground with a motif on it.
        const int white = whitePixels(image);
        EXPECT_GT(white, 3000 / 3);
        EXPECT_LT(white, 3000 - 300);
    }
}

TEST(Artwork, CommittedPicturesAreWhatTheGeneratorDraws)
{
    for (const auto& picture : artwork::pictures()) {
        SCOPED_TRACE(picture.id);
        const auto committed = ui::loadBitmap(picture.id);
        ASSERT_TRUE(committed);
        const QImage drawn = artwork::render(picture).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(drawn.size(), committed->image().size());
        int different = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x) {
                const QColor a = drawn.pixelColor(x, y), b = committed->image().pixelColor(x, y);
                different += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 24;
            }
        EXPECT_LT(different, 30) << "run the artwork target after changing a motif";
    }
}

TEST(DrawContext, BitBlitCopiesAndTextStaysInsideItsRectangle)
{
    QImage target(100, 60, QImage::Format_RGB32);
    target.fill(Qt::black);
    const auto bitmap = ui::loadBitmap(105);
    ASSERT_TRUE(bitmap);
    {
        QPainter painter(&target);
        ui::DrawContext dc(painter);
        dc.bitBlt(10, 5, 20, 10, *bitmap, 25, 20); // a piece of the pad picture
        dc.setTextColour(ui::rgb(255, 0, 0));
        dc.setBackgroundMode(ui::BackgroundMode::Transparent);
        dc.selectFont(nullptr);
        dc.drawText(u"Spätburgunder aus der Pfalz", ui::Rect{40, 30, 30, 12}, ui::text_flags::kCentre | ui::text_flags::kSingleLine);
    }
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(target.pixelColor(10 + x, 5 + y), bitmap->image().pixelColor(25 + x, 20 + y)) << x << "," << y;
    EXPECT_EQ(target.pixelColor(30, 15), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(9, 4), QColor(Qt::black));
    // Clipped: nothing red outside the rectangle.
    int redInside = 0;
    for (int y = 0; y < target.height(); ++y)
        for (int x = 0; x < target.width(); ++x) {
            const bool red = target.pixelColor(x, y).red() > 128 && target.pixelColor(x, y).green() < 100;
            const bool inside = x >= 40 && x < 70 && y >= 30 && y < 42;
            if (red && !inside)
                ADD_FAILURE() << "text outside its rectangle at " << x << "," << y;
            redInside += red && inside;
        }
    EXPECT_GT(redInside, 0);
}

TEST(DrawContext, RectangleOutlinesWithThePenAndFillsWithTheBrush)
{
    QImage target(20, 20, QImage::Format_RGB32);
    target.fill(Qt::white);
    {
        QPainter painter(&target);
        ui::DrawContext dc(painter);
        ui::Pen pen;
        pen.colour = ui::rgb(0, 0, 0);
        const ui::Brush brush{ui::rgb(0, 0, 255), false};
        dc.selectPen(pen);
        dc.selectBrush(&brush);
        dc.rectangle(ui::Rect{2, 2, 10, 10});
    }
    EXPECT_EQ(target.pixelColor(2, 2), QColor(Qt::black));
    EXPECT_EQ(target.pixelColor(11, 11), QColor(Qt::black)); // right and bottom edges are inside
    EXPECT_EQ(target.pixelColor(12, 12), QColor(Qt::white));
    EXPECT_EQ(target.pixelColor(6, 6), QColor(0, 0, 255));
}

} // namespace
