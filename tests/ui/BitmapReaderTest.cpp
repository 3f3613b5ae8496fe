// The quick reader of the module's 24-bit bitmaps draws exactly what the
// general image reader draws, and leaves every other file to it.
#include "platform/ui/DrawContext.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Bits per pixel, from the bitmap's info header.
int bitsPerPixel(const QByteArray& bmp)
{
    constexpr int kBitCountOffset = 28;
    return bmp.size() > kBitCountOffset + 1
        ? static_cast<unsigned char>(bmp[kBitCountOffset]) | static_cast<unsigned char>(bmp[kBitCountOffset + 1]) << 8
        : 0;
}

// 24-bit pictures come out exactly as the general reader draws them; the
// 256-colour ones are left to it.
TEST(BitmapReader, EveryShippedBitmapMatchesTheGeneralReader)
{
    const QStringList names = QDir(QStringLiteral(":/bitmaps")).entryList({QStringLiteral("*.bmp")});
    ASSERT_FALSE(names.isEmpty());
    int quickOnes = 0;
    for (const QString& name : names) {
        const QString path = QStringLiteral(":/bitmaps/") + name;
        const QByteArray bytes = fileBytes(path);
        const QImage quick = ui::decodeBitmap24(bytes);
        if (bitsPerPixel(bytes) != 24) {
            EXPECT_TRUE(quick.isNull()) << name.toStdString();
            continue;
        }
        const QImage general = QImage(path).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(quick.isNull()) << name.toStdString();
        EXPECT_EQ(quick, general) << name.toStdString();
        ++quickOnes;
    }
    EXPECT_GE(quickOnes, 4);
}

// A 2 x 2 bitmap, top row red and green, bottom row blue and white; rows are
// padded to four bytes. A negative height stores the top row first.
QByteArray tinyBitmap(bool topDown)
{
    QByteArray bmp("BM", 2);
    auto put32 = [&](quint32 v) { for (int i = 0; i < 4; ++i) bmp.append(static_cast<char>(v >> (8 * i))); };
    auto put16 = [&](quint16 v) { bmp.append(static_cast<char>(v)); bmp.append(static_cast<char>(v >> 8)); };
    put32(14 + 40 + 16); put32(0); put32(14 + 40);
    put32(40); put32(2); put32(topDown ? static_cast<quint32>(-2) : 2u); put16(1); put16(24);
    put32(0); put32(16); put32(2835); put32(2835); put32(0); put32(0);
    const QByteArray top("\x00\x00\xff" "\x00\xff\x00" "\x00\x00", 8);
    const QByteArray bottom("\xff\x00\x00" "\xff\xff\xff" "\x00\x00", 8);
    bmp.append(topDown ? top : bottom);
    bmp.append(topDown ? bottom : top);
    return bmp;
}

TEST(BitmapReader, RowOrderAndPaddingBothWays)
{
    for (bool topDown : {false, true}) {
        const QImage image = ui::decodeBitmap24(tinyBitmap(topDown));
        ASSERT_EQ(image.size(), QSize(2, 2));
        EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
        EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
        EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 255));
        EXPECT_EQ(image.pixel(1, 1), qRgb(255, 255, 255));
    }
}

TEST(BitmapReader, TruncatedOrOtherFilesAreLeftToTheGeneralReader)
{
    const QByteArray good = tinyBitmap(false);
    EXPECT_TRUE(ui::decodeBitmap24(good.left(good.size() - 1)).isNull());
    EXPECT_TRUE(ui::decodeBitmap24(good.left(20)).isNull());
    EXPECT_TRUE(ui::decodeBitmap24(QByteArray()).isNull());
    QByteArray eightBit = good;
    eightBit[14 + 14] = 8;
    EXPECT_TRUE(ui::decodeBitmap24(eightBit).isNull());
    QByteArray compressed = good;
    compressed[14 + 16] = 1;
    EXPECT_TRUE(ui::decodeBitmap24(compressed).isNull());
    QByteArray huge = good;
    huge[14 + 7] = 0x7f; // width far beyond any picture
    EXPECT_TRUE(ui::decodeBitmap24(huge).isNull());
}

} // namespace
