// Static texts and static pictures.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Targets.h"

#include <QFont>
#include <QRect>
#include <QString>

class QPainter;
class QTextLayout;

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

// How much narrower a one-line text is drawn in a box of this size (1 for
// not at all): a text that misses its box by a few per cent is narrowed
// instead of losing a letter (the substitute faces run a little wider than
// the handheld's); in a box with room for one line only, a text is narrowed
// by up to a quarter rather than wrap out of sight. A box height of 0 allows
// only the few per cent.
double textNarrowing(const QFont& font, const QString& text, int boxWidth, int boxHeight = 0);

// The height of one line of a static text: ascent plus descent of the
// face's own metrics, each rounded as the handheld did.
double staticLineHeight(const QFont& font);

// A static text laid out as the handheld did: words wrapped at boxWidth,
// lines one font cell (ascent plus descent of the face's own metrics) apart.
// The layout is ready to draw at the box's top left.
void layOutStaticText(QTextLayout& layout, const QFont& font, int boxWidth, unsigned styles);

// Draws a static text so laid out, clipped to its box.
void drawStaticText(QPainter& painter, const QRect& box, QString text, unsigned styles);

} // namespace ui
