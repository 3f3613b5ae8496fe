// Static texts and static pictures.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Targets.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;

namespace ui {

class Bitmap;

class StaticControl : public Control, public TextTarget {
public:
    using Control::Control;
    void setText(std::u16string_view text) override;
    std::u16string text() const override;
    // Shows a bitmap (a picture control keeps its own copy); null shows none.
    void setBitmap(const Bitmap* bitmap);
};

Control* createStatic(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

// The font a one-line static text is drawn with in a box this wide: the
// substitute faces run a little wider than the handheld's, so a text that
// misses its box by a few per cent is narrowed instead of losing a letter.
QFont fittedStaticFont(QFont font, const QString& text, int boxWidth);

// Draws a static text as the handheld laid it out: words wrapped, lines one
// font cell apart, clipped to its box.
void drawStaticText(QPainter& painter, const QRect& box, QString text, unsigned styles);

} // namespace ui
