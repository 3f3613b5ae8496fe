// The pictures of the reference chapters: the thermometer of the serving
// temperatures, the scroll's two rollers and its paper, and the imprint's
// banner. All are 256-colour pictures.
#include "tools/artwork/Artwork.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>

#include <algorithm>
#include <iterator>

namespace artwork {

namespace {

const QColor kColumnRed(200, 16, 24);
const QColor kBandLine(40, 16, 40);
const QColor kWood(120, 72, 32);
const QColor kBannerRed(176, 16, 40);

// Rows of the thermometer picture that divide its bands; the chart's tap
// zones are laid out against them.
constexpr int kBandLines[] = {0, 19, 33, 46, 60, 73, 87, 100, 114, 127, 141, 154, 168, 181, 195, 209, 224};
constexpr int kTopDegree = 18;
constexpr int kScaleDegrees = 15; // 18 down to 4

// 131: 58 x 225, red at the top fading to violet, a glass tube with a red
// column and a bulb at its foot, the scale on the right and "°C" above it.
void drawThermometer(QImage& image)
{
    QPainter p(&image);
    // One even colour per band, so that 256 colours hold the fade.
    const QColor top(236, 36, 36), bottom(118, 56, 204);
    const int bands = static_cast<int>(std::size(kBandLines)) - 1;
    for (int i = 0; i < bands; ++i) {
        const double f = static_cast<double>(i) / (bands - 1);
        const QColor c(static_cast<int>(top.red() + f * (bottom.red() - top.red())),
                       static_cast<int>(top.green() + f * (bottom.green() - top.green())),
                       static_cast<int>(top.blue() + f * (bottom.blue() - top.blue())));
        p.fillRect(QRect(0, kBandLines[i], image.width(), kBandLines[i + 1] - kBandLines[i] + 1), c);
    }

    // The tube, then the column rising from the bulb.
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tube(8, 4, 10, 206);
    p.setPen(QPen(QColor(60, 30, 60), 1));
    p.setBrush(QColor(250, 244, 250));
    p.drawRoundedRect(tube, 5, 5);
    p.setPen(Qt::NoPen);
    p.setBrush(kColumnRed);
    p.drawRect(QRectF(11, 60, 4, 150));
    p.setPen(QPen(QColor(60, 30, 60), 1));
    p.drawEllipse(QPointF(13, 213), 9, 9);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 140, 140));
    p.drawEllipse(QPointF(10, 210), 2.5, 2.5);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Band lines over the scale side, clear of the tube.
    p.setPen(QPen(kBandLine, 1));
    for (int row : kBandLines)
        p.drawLine(24, row, image.width() - 1, row);

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    for (int i = 0; i < kScaleDegrees; ++i) {
        const QRect band(24, kBandLines[i] + 1, 20, kBandLines[i + 1] - kBandLines[i] - 1);
        p.drawText(band, Qt::AlignRight | Qt::AlignVCenter, QString::number(kTopDegree - i));
    }
    font.setPixelSize(9);
    p.setFont(font);
    p.drawText(QRect(44, 1, 14, 18), Qt::AlignCenter, QStringLiteral("°C"));
}

// A wooden rod across the scroll with a turned knob at each end, lit from above.
void drawRoller(QImage& image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int h = image.height();
    QLinearGradient rod(0, 0, 0, h);
    rod.setColorAt(0.0, kWood.lighter(170));
    rod.setColorAt(0.35, kWood.lighter(125));
    rod.setColorAt(1.0, kWood.darker(170));
    p.setPen(Qt::NoPen);
    p.setBrush(rod);
    p.drawRoundedRect(QRectF(10, 3, image.width() - 20, h - 6), 4, 4);
    QLinearGradient knob(0, 0, 0, h);
    knob.setColorAt(0.0, QColor(214, 170, 90));
    knob.setColorAt(1.0, QColor(110, 70, 20));
    p.setBrush(knob);
    p.drawEllipse(QRectF(0, 1, 14, h - 2));
    p.drawEllipse(QRectF(image.width() - 14, 1, 14, h - 2));
    p.setPen(QPen(kWood.darker(220), 1));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(14, h - 4), QPointF(image.width() - 14, h - 4));
}

// 146: light parchment, mottled, darker towards its left and right edges.
void drawParchment(QImage& image)
{
    QRandomGenerator grain(146);
    const int w = image.width();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < w; ++x) {
            const int edge = std::min(x, w - 1 - x);
            const int shade = edge < 12 ? (12 - edge) * 7 : 0;
            const int noise = static_cast<int>(grain.bounded(9)) - 4;
            image.setPixelColor(x, y, QColor(std::clamp(246 - shade + noise, 0, 255),
                                             std::clamp(234 - shade - shade / 3 + noise, 0, 255),
                                             std::clamp(200 - shade - shade / 2 + noise, 0, 255)));
        }
    }
}

// 134: 275 x 52, red and white: the program's name beside a glass of red
// wine. The right 40 pixels lie beyond the dialog's edge and stay plain.
void drawImprintBanner(QImage& image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(image.rect(), kBannerRed);
    p.fillRect(QRect(0, 0, image.width(), 3), Qt::white);
    p.fillRect(QRect(0, image.height() - 3, image.width(), 3), Qt::white);

    // The mark: a white disc holding a wine glass.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(30, 26), 19, 19);
    QPainterPath bowl;
    bowl.moveTo(21, 13);
    bowl.lineTo(39, 13);
    bowl.cubicTo(39, 26, 35, 30, 30, 30);
    bowl.cubicTo(25, 30, 21, 26, 21, 13);
    p.setPen(QPen(kBannerRed, 2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bowl);
    QPainterPath wine;
    wine.moveTo(22, 20);
    wine.lineTo(38, 20);
    wine.cubicTo(37, 27, 34, 29, 30, 29);
    wine.cubicTo(26, 29, 23, 27, 22, 20);
    p.fillPath(wine, kBannerRed);
    p.drawLine(QPointF(30, 30), QPointF(30, 38));
    p.drawLine(QPointF(24, 39), QPointF(36, 39));

    QFont name(QStringLiteral("DejaVu Serif"));
    name.setPixelSize(26);
    name.setBold(true);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRect(58, 4, 170, 30), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Vinaria"));
    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(10);
    p.setFont(line);
    p.drawText(QRect(60, 33, 170, 14), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Weinführer · Ausgabe 2007"));
}

} // namespace

std::vector<Picture> chapterPictures()
{
    return {
        {131, 58, 225, drawThermometer, 8},
        {134, 275, 52, drawImprintBanner, 8},
        {144, 160, 24, drawRoller, 8},
        {145, 160, 23, drawRoller, 8},
        {146, 160, 123, drawParchment, 8},
    };
}

} // namespace artwork
