// List rows: their height, their narrowing and cutting, and type-to-find.
#include "platform/ui/ListRows.h"

#include "platform/text/Fold.h"
#include "platform/ui/Control.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/StaticControl.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include <algorithm>

namespace ui {

namespace {

// The letters that reach highest and lowest in the program's texts.
const QString kTallLetters = QStringLiteral("ÄÖÜÉÂÅgjpqy|");

// The room a row's text has in view, beside its margin.
int textRoom(const QAbstractItemView* view)
{
    return view->viewport()->width() - rowTextMargin(view);
}

double narrowingOf(const QAbstractItemView* view, const QFont& font, const QString& text)
{
    return view ? textNarrowing(font, text, textRoom(view)) : 1.0;
}

bool fitsNarrowed(const QAbstractItemView* view, const QFont& font, const QString& text, double narrowing)
{
    return !view || QFontMetricsF(font).horizontalAdvance(text) * narrowing <= textRoom(view);
}

QChar firstLetter(const QString& text)
{
    const std::u16string folded = text::foldTerm(toU16(text));
    return folded.empty() ? QChar() : QChar(folded.front());
}

} // namespace

int fullTextHeight(const QFont& font)
{
    const QFontMetrics metrics(font);
    const QRect ink = metrics.boundingRect(kTallLetters);
    const int above = std::max(0, -ink.top() - metrics.ascent());
    const int below = std::max(0, ink.bottom() + 1 - metrics.descent());
    return metrics.height() + 2 * std::max(above, below);
}

QSize FullHeightRows::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    const int extra = fullTextHeight(option.font) - QFontMetrics(option.font).height();
    size.setHeight(size.height() + std::max(0, extra));
    return size;
}

void ListRows::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const QString text = index.data().toString();
    const double narrowing = narrowingOf(view, option.font, text);
    QStyleOptionViewItem row = option;
    row.textElideMode = fitsNarrowed(view, option.font, text, narrowing) ? Qt::ElideNone : Qt::ElideRight;
    if (narrowing >= 1.0) {
        QStyledItemDelegate::paint(painter, row, index);
        return;
    }
    row.rect = QRect(0, option.rect.y(), static_cast<int>(option.rect.width() / narrowing), option.rect.height());
    painter->save();
    painter->translate(option.rect.x(), 0);
    painter->scale(narrowing, 1.0);
    QStyledItemDelegate::paint(painter, row, index);
    painter->restore();
}

bool ListRows::helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                         const QModelIndex& index)
{
    if (event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    const QString text = index.data().toString();
    if (fitsNarrowed(view, view->font(), text, narrowingOf(view, view->font(), text)))
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), text, view);
    return true;
}

int nextEntryStartingWith(int count, const std::function<QString(int)>& entryAt, int current, const QString& typed)
{
    const QChar wanted = firstLetter(typed);
    if (wanted.isNull() || count <= 0)
        return -1;
    const int start = std::clamp(current, -1, count - 1);
    for (int step = 1; step <= count; ++step) {
        const int i = (start + step) % count;
        if (firstLetter(entryAt(i)) == wanted)
            return i;
    }
    return -1;
}

} // namespace ui
