// The program's icon: a dark green bottle behind a glass of red wine, on a
// rounded cream tile, drawn on a 256-unit grid and scaled to each size.
#include "tools/artwork/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

namespace {

constexpr double kGrid = 256.0;

const QColor kTile(250, 243, 228);
const QColor kTileEdge(196, 170, 130);
const QColor kBottle(34, 78, 52);
const QColor kBottleShine(90, 140, 105);
const QColor kLabel(236, 222, 190);
const QColor kWine(128, 0, 32);
const QColor kGlass(225, 235, 242, 220);
const QColor kOutline(45, 40, 40);

void drawTile(QPainter& p)
{
    QPainterPath tile;
    tile.addRoundedRect(QRectF(12, 12, 232, 232), 44, 44);
    QLinearGradient ground(0, 12, 0, 244);
    ground.setColorAt(0, kTile);
    ground.setColorAt(1, kTile.darker(108));
    p.fillPath(tile, ground);
    p.setPen(QPen(kTileEdge, 6));
    p.drawPath(tile);
}

void drawBottle(QPainter& p)
{
    QPainterPath bottle;
    bottle.moveTo(70, 40);
    bottle.lineTo(94, 40);
    bottle.lineTo(94, 92);
    bottle.cubicTo(94, 108, 122, 112, 122, 138);
    bottle.lineTo(122, 222);
    bottle.quadTo(122, 228, 116, 228);
    bottle.lineTo(48, 228);
    bottle.quadTo(42, 228, 42, 222);
    bottle.lineTo(42, 138);
    bottle.cubicTo(42, 112, 70, 108, 70, 92);
    bottle.closeSubpath();
    p.fillPath(bottle, kBottle);
    p.setPen(QPen(kOutline, 4));
    p.drawPath(bottle);
    // Capsule, label and a highlight down the shoulder.
    p.fillRect(QRectF(68, 34, 28, 22), kWine);
    p.fillRect(QRectF(48, 160, 68, 44), kLabel);
    p.setPen(QPen(kBottleShine, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(54, 138), QPointF(54, 150));
}

void drawGlass(QPainter& p)
{
    QPainterPath bowl;
    bowl.moveTo(116, 92);
    bowl.lineTo(212, 92);
    bowl.cubicTo(216, 140, 196, 172, 164, 174);
    bowl.cubicTo(132, 172, 112, 140, 116, 92);
    bowl.closeSubpath();
    QPainterPath wine;
    wine.moveTo(118, 124);
    wine.lineTo(210, 124);
    wine.cubicTo(206, 154, 190, 170, 164, 171);
    wine.cubicTo(138, 170, 122, 154, 118, 124);
    wine.closeSubpath();
    p.fillPath(bowl, kGlass);
    QLinearGradient red(0, 124, 0, 171);
    red.setColorAt(0, kWine.lighter(130));
    red.setColorAt(1, kWine.darker(120));
    p.fillPath(wine, red);
    p.setPen(QPen(kOutline, 4));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bowl);
    // Stem and foot.
    p.setPen(QPen(kOutline, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(164, 174), QPointF(164, 220));
    p.drawLine(QPointF(138, 224), QPointF(190, 224));
    // A glint on the bowl.
    p.setPen(QPen(Qt::white, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(128, 102), QPointF(130, 118));
}

} // namespace

const std::vector<int>& iconSizes()
{
    static const std::vector<int> sizes{48, 256};
    return sizes;
}

QImage renderIcon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / kGrid, size / kGrid);
    drawTile(p);
    drawBottle(p);
    drawGlass(p);
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace artwork
