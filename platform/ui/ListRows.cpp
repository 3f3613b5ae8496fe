// List rows: their height, their narrowing, cutting and wrapping, and type-to-find.
#include "platform/ui/ListRows.h"

#include "platform/text/Fold.h"
#include "platform/ui/Control.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/StaticControl.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>
#include <chrono>

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

std::u16string folded(const QString& text)
{
    return text::foldTerm(toU16(text));
}

// Whether every letter typed is the first one again (o, O and Ö alike).
bool oneLetterRepeated(const QString& typed)
{
    const std::u16string first = folded(typed.left(1));
    for (const QChar letter : typed)
        if (folded(QString(letter)) != first)
            return false;
    return true;
}

// The first entry from start on (wrapping) whose folded text begins with prefix.
int firstEntryWithPrefix(int count, const std::function<QString(int)>& entryAt, int start, const std::u16string& prefix)
{
    for (int step = 0; step < count; ++step) {
        const int i = (start + step) % count;
        if (folded(entryAt(i)).starts_with(prefix))
            return i;
    }
    return -1;
}

std::function<std::int64_t()>& typingClock()
{
    static std::function<std::int64_t()> clock;
    return clock;
}

std::int64_t steadyMilliseconds()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
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

int FullHeightRows::lineHeight(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    row.text = QStringLiteral("X");
    const QStyle* style = row.widget ? row.widget->style() : QApplication::style();
    const int extra = fullTextHeight(row.font) - QFontMetrics(row.font).height();
    return style->sizeFromContents(QStyle::CT_ItemViewItem, &row, QSize(), row.widget).height() + std::max(0, extra);
}

QStringList wrappedLines(const QFont& font, const QString& text, int room)
{
    qsizetype blanks = 0;
    while (blanks < text.size() && text[blanks] == QLatin1Char(' '))
        ++blanks;
    const QFontMetricsF metrics(font);
    QString indent = text.left(blanks);
    if (metrics.horizontalAdvance(indent) > room / 2)
        indent.clear();
    const qreal indentWidth = metrics.horizontalAdvance(indent);

    QTextLayout layout(text, font);
    QTextOption wrapping;
    wrapping.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(wrapping);
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lines.isEmpty() ? room : room - indentWidth);
        QString piece = text.mid(line.textStart(), line.textLength());
        while (!piece.isEmpty() && piece.back().isSpace())
            piece.chop(1);
        lines << (lines.isEmpty() ? piece : indent + piece);
    }
    layout.endLayout();
    return lines;
}

ListRows::ListRows(QObject* parent, LongRows longRows) : FullHeightRows(parent), longRows_(longRows)
{
}

QStringList ListRows::wrappedRow(const QStyleOptionViewItem& option, const QString& text) const
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    if (longRows_ != LongRows::Wrap || !view || fitsNarrowed(view, option.font, text, narrowingOf(view, option.font, text)))
        return {};
    return wrappedLines(option.font, text, textRoom(view));
}

QSize ListRows::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize size = FullHeightRows::sizeHint(option, index);
    const QStringList lines = wrappedRow(option, index.data().toString());
    if (lines.isEmpty())
        return size;
    const auto* view = static_cast<const QAbstractItemView*>(option.widget);
    return QSize(view->viewport()->width(), lineHeight(option, index) * static_cast<int>(lines.size()));
}

// The row's background, selection and focus mark once, then each line in
// a slot as tall as a one-line row, so wrapped lines keep the list's spacing.
void ListRows::paintWrapped(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                            const QStringList& lines) const
{
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    row.text.clear();
    const QStyle* style = option.widget->style();
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, option.widget);
    const int slot = lineHeight(option, index);
    row.state &= ~QStyle::State_HasFocus;
    row.textElideMode = Qt::ElideNone;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        row.text = lines[i];
        row.rect = QRect(option.rect.x(), option.rect.y() + static_cast<int>(i) * slot, option.rect.width(), slot);
        style->drawControl(QStyle::CE_ItemViewItem, &row, painter, option.widget);
    }
}

void ListRows::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const auto* view = qobject_cast<const QAbstractItemView*>(option.widget);
    const QString text = index.data().toString();
    if (const QStringList lines = wrappedRow(option, text); !lines.isEmpty()) {
        paintWrapped(painter, option, index, lines);
        return;
    }
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
    if (longRows_ == LongRows::Wrap || fitsNarrowed(view, view->font(), text, narrowingOf(view, view->font(), text)))
        QToolTip::hideText();
    else
        QToolTip::showText(event->globalPos(), text, view);
    return true;
}

int entryForTypedText(int count, const std::function<QString(int)>& entryAt, int current, const QString& typed)
{
    if (count <= 0 || typed.isEmpty())
        return -1;
    const int at = std::clamp(current, -1, count - 1);
    if (oneLetterRepeated(typed)) {
        const std::u16string letter = folded(typed.left(1));
        return letter.empty() ? -1 : firstEntryWithPrefix(count, entryAt, at + 1, letter);
    }
    const std::u16string prefix = folded(typed);
    return prefix.empty() ? -1 : firstEntryWithPrefix(count, entryAt, std::max(at, 0), prefix);
}

TypeToFind::TypeToFind(Clock clock) : clock_(std::move(clock))
{
}

QString TypeToFind::add(const QString& letters)
{
    const std::int64_t now = clock_ ? clock_() : typingClock() ? typingClock()() : steadyMilliseconds();
    const bool quick = !typed_.isEmpty() && now - lastAt_ < QApplication::keyboardInputInterval();
    typed_ = quick ? typed_ + letters : letters;
    lastAt_ = now;
    return typed_;
}

int TypeToFind::entryFor(const QString& letters, int count, const std::function<QString(int)>& entryAt, int current)
{
    return entryForTypedText(count, entryAt, current, add(letters));
}

void setTypingClock(TypeToFind::Clock clock)
{
    typingClock() = std::move(clock);
}

} // namespace ui
