// The motifs of the main menu rows (60 x 50 pixels each).
#include "tools/artwork/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

namespace {

const QColor kWineRed(128, 0, 32);
const QColor kGrape(88, 36, 110);
const QColor kLeaf(70, 130, 40);
const QColor kOutline(40, 40, 40);

// 108: a person in profile raising a glass of red wine to the lips.
void drawTasting(QImage& image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Shoulders and body.
    QPainterPath body;
    body.moveTo(8, 50);
    body.cubicTo(8, 36, 16, 31, 26, 31);
    body.cubicTo(36, 31, 42, 38, 42, 50);
    body.closeSubpath();
    p.fillPath(body, QColor(60, 80, 130));
    // Head in profile, facing right.
    QPainterPath head;
    head.moveTo(20, 29);
    head.cubicTo(14, 27, 13, 14, 19, 9);
    head.cubicTo(25, 4, 33, 7, 34, 13);
    head.lineTo(37, 18);
    head.lineTo(34, 19);
    head.lineTo(35, 23);
    head.cubicTo(34, 26, 31, 27, 28, 27);
    head.lineTo(28, 31);
    head.closeSubpath();
    p.fillPath(head, QColor(236, 196, 160));
    p.setPen(QPen(kOutline, 1));
    p.drawPath(head);
    // Hair.
    QPainterPath hair;
    hair.moveTo(18, 20);
    hair.cubicTo(13, 12, 18, 5, 26, 6);
    hair.cubicTo(31, 6, 34, 9, 33, 12);
    hair.cubicTo(27, 10, 23, 13, 22, 19);
    hair.closeSubpath();
    p.fillPath(hair, QColor(90, 60, 30));
    // Arm raising the glass.
    p.setPen(QPen(QColor(60, 80, 130), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, 38), QPointF(44, 30));
    // The glass: bowl with wine, stem and foot, tilted to the lips.
    p.save();
    p.translate(44, 22);
    p.rotate(-25);
    QPainterPath bowl;
    bowl.moveTo(-6, -8);
    bowl.lineTo(6, -8);
    bowl.cubicTo(6, 0, 3, 3, 0, 3);
    bowl.cubicTo(-3, 3, -6, 0, -6, -8);
    QPainterPath wine;
    wine.moveTo(-5.5, -3);
    wine.lineTo(5.5, -3);
    wine.cubicTo(5, 1, 2.5, 2.5, 0, 2.5);
    wine.cubicTo(-2.5, 2.5, -5, 1, -5.5, -3);
    p.fillPath(bowl, QColor(235, 240, 245));
    p.fillPath(wine, kWineRed);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(bowl);
    p.drawLine(QPointF(0, 3), QPointF(0, 11));
    p.drawLine(QPointF(-4, 11), QPointF(4, 11));
    p.restore();
    // Hand.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(236, 196, 160));
    p.drawEllipse(QPointF(44, 30), 3, 3);
}

// 106: a bunch of grapes on a stem with a leaf.
void drawGrapes(QImage& image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    // Stem and leaf.
    p.setPen(QPen(QColor(100, 70, 30), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(30, 4), QPointF(30, 12));
    QPainterPath leaf;
    leaf.moveTo(31, 8);
    leaf.cubicTo(36, 1, 46, 1, 50, 6);
    leaf.cubicTo(46, 12, 37, 13, 31, 8);
    p.fillPath(leaf, kLeaf);
    p.setPen(QPen(QColor(40, 90, 20), 1));
    p.drawLine(QPointF(32, 8), QPointF(48, 6));
    // Berries in rows that narrow to the tip.
    const int rows[][2] = {{5, 0}, {4, 1}, {4, 0}, {3, 1}, {2, 2}, {1, 3}};
    const double r = 4.2;
    for (int row = 0; row < 6; ++row) {
        const int count = rows[row][0];
        const double startX = 30 - (count - 1) * r;
        const double y = 15 + row * 6.2;
        for (int i = 0; i < count; ++i) {
            const QPointF c(startX + i * 2 * r, y);
            QRadialGradient g(c + QPointF(-1.5, -1.5), r * 1.4);
            g.setColorAt(0, QColor(170, 120, 190));
            g.setColorAt(1, kGrape);
            p.setPen(QPen(QColor(50, 20, 60), 0.8));
            p.setBrush(g);
            p.drawEllipse(c, r, r);
        }
    }
}

// 107: a thermometer with a red column and a scale.
void drawThermometer(QImage& image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tube(25, 3, 10, 36);
    p.setPen(QPen(kOutline, 1.2));
    p.setBrush(QColor(240, 244, 248));
    p.drawRoundedRect(tube, 5, 5);
    p.drawEllipse(QPointF(30, 42), 7, 7);
    // Column and bulb.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 20, 30));
    p.drawRect(QRectF(28, 14, 4, 28));
    p.drawEllipse(QPointF(30, 42), 5.5, 5.5);
    // Scale marks on the right, with a longer mark every fifth.
    p.setPen(QPen(kOutline, 1));
    for (int i = 0; i <= 10; ++i) {
        const double y = 8 + i * 3;
        p.drawLine(QPointF(37, y), QPointF(i % 5 == 0 ? 43 : 40, y));
    }
    // A small glass of wine beside it.
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(250, 230, 150));
    QPainterPath glass;
    glass.moveTo(8, 26);
    glass.lineTo(18, 26);
    glass.cubicTo(18, 34, 15, 36, 13, 36);
    glass.cubicTo(11, 36, 8, 34, 8, 26);
    p.drawPath(glass);
    p.drawLine(QPointF(13, 36), QPointF(13, 44));
    p.drawLine(QPointF(9, 44), QPointF(17, 44));
}

// 105: a ring-bound note pad with a pen across it.
void drawNotePad(QImage& image)
{
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF pad(12, 6, 32, 40);
    p.setPen(QPen(kOutline, 1));
    p.setBrush(QColor(255, 250, 200));
    p.drawRect(pad);
    // Lines of writing.
    p.setPen(QPen(QColor(120, 150, 200), 1));
    for (double y = 16; y < 44; y += 5)
        p.drawLine(QPointF(15, y), QPointF(41, y));
    // Rings along the top edge.
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(Qt::NoBrush);
    for (double x = 16; x < 42; x += 6)
        p.drawArc(QRectF(x - 2, 3, 4, 6), 0, 180 * 16);
    // The pen, lying diagonally across the pad.
    p.save();
    p.translate(44, 18);
    p.rotate(125);
    p.setPen(QPen(kOutline, 0.8));
    p.setBrush(QColor(30, 60, 150));
    p.drawRect(QRectF(0, -2.5, 26, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(-2, -2.5, 3, 5));
    QPainterPath tip;
    tip.moveTo(26, -2.5);
    tip.lineTo(33, 0);
    tip.lineTo(26, 2.5);
    tip.closeSubpath();
    p.setBrush(QColor(230, 200, 150));
    p.drawPath(tip);
    p.restore();
}

} // namespace

std::vector<Picture> menuPictures()
{
    return {
        {105, 60, 50, drawNotePad},
        {106, 60, 50, drawGrapes},
        {107, 60, 50, drawThermometer},
        {108, 60, 50, drawTasting},
    };
}

const std::vector<Picture>& pictures()
{
    static const std::vector<Picture> all = [] {
        std::vector<Picture> list;
        for (auto family : {menuPictures, searchFrames, chapterPictures})
            for (const Picture& picture : family())
                list.push_back(picture);
        return list;
    }();
    return all;
}

QImage render(const Picture& picture)
{
    QImage image(picture.width, picture.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    picture.draw(image);
    if (picture.depth == 8)
        return image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace artwork
