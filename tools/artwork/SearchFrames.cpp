// The six frames of the search progress animation (159 x 106 pixels each):
// a cellar vault with barrels, where a bottle fills a glass a little more in
// every frame and a lantern's light sweeps along the racks, so the loop reads
// as "looking through the cellar".
#include "tools/artwork/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace artwork {

namespace {

constexpr int kWidth = 159;
constexpr int kHeight = 106;
constexpr int kFrames = 6;

const QColor kVault(96, 74, 58);
const QColor kMortar(70, 52, 40);
const QColor kFloor(60, 46, 36);
const QColor kBarrel(150, 96, 52);
const QColor kHoop(60, 60, 64);
const QColor kWine(128, 0, 32);
const QColor kGlass(235, 240, 245);
const QColor kOutline(30, 24, 20);

void drawVault(QPainter& p)
{
    QLinearGradient wall(0, 0, 0, kHeight);
    wall.setColorAt(0, kVault.darker(160));
    wall.setColorAt(1, kVault);
    p.fillRect(0, 0, kWidth, kHeight, wall);
    // Brick courses of the back wall.
    p.setPen(QPen(kMortar, 1));
    for (int row = 0; row < 8; ++row) {
        const int y = 6 + row * 9;
        p.drawLine(0, y, kWidth, y);
        for (int x = (row % 2) * 10; x < kWidth; x += 20)
            p.drawLine(x, y, x, y + 9);
    }
    // The arch of the vault.
    QPainterPath arch;
    arch.moveTo(0, 0);
    arch.lineTo(kWidth, 0);
    arch.lineTo(kWidth, 30);
    arch.cubicTo(kWidth, 6, 0, 6, 0, 30);
    arch.closeSubpath();
    p.fillPath(arch, kVault.darker(220));
    p.fillRect(0, 82, kWidth, kHeight - 82, kFloor);
}

void drawBarrel(QPainter& p, double x, double y)
{
    const QRectF body(x, y, 34, 26);
    QLinearGradient wood(body.topLeft(), body.bottomLeft());
    wood.setColorAt(0, kBarrel.lighter(120));
    wood.setColorAt(0.5, kBarrel);
    wood.setColorAt(1, kBarrel.darker(150));
    p.setPen(QPen(kOutline, 1));
    p.setBrush(wood);
    p.drawRoundedRect(body, 8, 12);
    p.setPen(QPen(kHoop, 2));
    p.drawLine(QPointF(x + 8, y + 1), QPointF(x + 8, y + 25));
    p.drawLine(QPointF(x + 26, y + 1), QPointF(x + 26, y + 25));
    // The round head, facing the viewer.
    p.setPen(QPen(kOutline, 1));
    p.setBrush(kBarrel.darker(115));
    p.drawEllipse(QRectF(x - 4, y + 2, 10, 22));
}

// The lantern's light moves from left to right across the racks.
void drawLight(QPainter& p, int frame)
{
    const double cx = 20 + frame * (kWidth - 40) / (kFrames - 1.0);
    QRadialGradient light(QPointF(cx, 40), 46);
    light.setColorAt(0, QColor(255, 220, 140, 120));
    light.setColorAt(1, QColor(255, 220, 140, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.drawEllipse(QPointF(cx, 40), 46, 46);
}

// A bottle tilted over the glass, its mouth right above the stream.
void drawBottle(QPainter& p)
{
    p.save();
    p.translate(148.7, 14);
    p.rotate(50);
    QPainterPath bottle;
    bottle.moveTo(-5, 0);
    bottle.lineTo(5, 0);
    bottle.lineTo(5, 26);
    bottle.cubicTo(5, 30, 2, 31, 2, 34);
    bottle.lineTo(2, 42);
    bottle.lineTo(-2, 42);
    bottle.lineTo(-2, 34);
    bottle.cubicTo(-2, 31, -5, 30, -5, 26);
    bottle.closeSubpath();
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(30, 70, 40));
    p.drawPath(bottle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 230, 200));
    p.drawRect(QRectF(-4, 8, 8, 10));
    p.restore();
}

// The glass fills from nearly empty to nearly full over the six frames.
void drawGlass(QPainter& p, int frame)
{
    const double left = 104, right = 128, rim = 50, bottom = 72;
    QPainterPath bowl;
    bowl.moveTo(left, rim);
    bowl.lineTo(right, rim);
    bowl.cubicTo(right, bottom - 4, right - 6, bottom, (left + right) / 2, bottom);
    bowl.cubicTo(left + 6, bottom, left, bottom - 4, left, rim);
    p.setPen(Qt::NoPen);
    p.fillPath(bowl, QColor(kGlass.red(), kGlass.green(), kGlass.blue(), 200));

    const double level = bottom - 3 - (frame + 1) * (bottom - rim - 6) / kFrames;
    QPainterPath wine;
    wine.addRect(QRectF(left, level, right - left, bottom - level));
    p.fillPath(wine.intersected(bowl), kWine);

    // The stream from the bottle's neck into the glass.
    p.setPen(QPen(kWine, 2));
    p.drawLine(QPointF(116.5, 41), QPointF(116.5, level));

    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bowl);
    p.drawLine(QPointF((left + right) / 2, bottom), QPointF((left + right) / 2, 86));
    p.drawLine(QPointF(108, 86), QPointF(124, 86));
}

void drawFrame(QImage& image, int frame)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawVault(p);
    drawBarrel(p, 10, 56);
    drawBarrel(p, 50, 56);
    drawBarrel(p, 30, 30);
    drawLight(p, frame);
    drawBottle(p);
    drawGlass(p, frame);
}

template <int Frame> void drawSearchFrame(QImage& image)
{
    drawFrame(image, Frame);
}

} // namespace

std::vector<Picture> searchFrames()
{
    return {
        {148, kWidth, kHeight, drawSearchFrame<0>},
        {149, kWidth, kHeight, drawSearchFrame<1>},
        {150, kWidth, kHeight, drawSearchFrame<2>},
        {151, kWidth, kHeight, drawSearchFrame<3>},
        {152, kWidth, kHeight, drawSearchFrame<4>},
        {153, kWidth, kHeight, drawSearchFrame<5>},
    };
}

} // namespace artwork
