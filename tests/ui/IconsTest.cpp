// The program's icon: the committed PNGs are what the generator draws, square
// at each installed size, with see-through corners for any panel colour.
#include "tools/artwork/Artwork.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Icons, CommittedIconsAreWhatTheGeneratorDrawsWithClearCorners)
{
    for (int size : artwork::iconSizes()) {
        SCOPED_TRACE(size);
        const QImage committed(QStringLiteral(VINARIA_SOURCE_DIR "/packaging/icons/vinaria-%1.png").arg(size));
        ASSERT_FALSE(committed.isNull());
        EXPECT_EQ(committed.size(), QSize(size, size));
        EXPECT_TRUE(committed.hasAlphaChannel());
        EXPECT_EQ(committed.pixelColor(0, 0).alpha(), 0);
        EXPECT_EQ(committed.pixelColor(size - 1, size - 1).alpha(), 0);
        EXPECT_EQ(committed.pixelColor(size / 2, size / 2).alpha(), 255);

        const QImage drawn = artwork::renderIcon(size);
        ASSERT_EQ(drawn.size(), committed.size());
        int different = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const QColor a = drawn.pixelColor(x, y), b = committed.pixelColor(x, y);
                different += std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
                                 std::abs(a.blue() - b.blue()) + std::abs(a.alpha() - b.alpha()) > 24;
            }
        EXPECT_EQ(different, 0) << "run the artwork target after changing the icon";
    }
}

} // namespace
