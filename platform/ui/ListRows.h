// The rows of list controls (list boxes, drop-down lists, trees): as tall as
// the face's tallest letters, a name too wide cut at its end and shown whole
// in its tooltip, and type-to-find.
#pragma once

#include <QStyledItemDelegate>

#include <cstdint>
#include <functional>

namespace ui {

// Rows tall enough for a capital umlaut's dots and the descenders, which the
// handheld faces' own line height leaves out.
class FullHeightRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    // The height of a row of one line, whatever index holds.
    int lineHeight(const QStyleOptionViewItem& option, const QModelIndex& index) const;
};

// What a row too wide for its list, even narrowed, becomes.
enum class LongRows {
    CutAtEnd, // one line cut with dots; the tooltip names it whole
    Wrap,     // wrapped at word boundaries onto as many lines as it needs
};

// List rows: a row a little wider than its list is narrowed, as a static
// text is; one much wider is cut or wrapped (screen readers read the whole
// text from the row either way).
class ListRows : public FullHeightRows {
public:
    explicit ListRows(QObject* parent, LongRows longRows = LongRows::CutAtEnd);
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    // The lines of a row that wraps; empty for one that keeps one line.
    QStringList wrappedRow(const QStyleOptionViewItem& option, const QString& text) const;
    void paintWrapped(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                      const QStringList& lines) const;

    LongRows longRows_;
};

// The lines text takes in room pixels of font: broken at word boundaries
// (inside a word only when it alone is wider), without the blanks at the
// breaks; the lines after the first keep its indent.
QStringList wrappedLines(const QFont& font, const QString& text, int room);

// The height a row needs for every letter of font: ascent and descent,
// widened evenly where accents reach above or below them.
int fullTextHeight(const QFont& font);

// The entry typed text finds, compared without case and accents ("gru" and
// "grü" find Grüner Veltliner): one letter, or one letter typed again and
// again, steps to the next entry after current that starts with it
// (wrapping); a longer prefix keeps current while it still starts so, else
// finds the next one that does. -1 when none does.
int entryForTypedText(int count, const std::function<QString(int)>& entryAt, int current, const QString& typed);

// Type-to-find in one list: letters typed quickly one after the other (within
// the desktop's keyboard input interval) add up to the text looked for; a
// pause starts a new one.
class TypeToFind {
public:
    using Clock = std::function<std::int64_t()>; // milliseconds, monotonic

    // By default the clock of setTypingClock.
    explicit TypeToFind(Clock clock = {});
    // The text looked for once letters are typed now.
    QString add(const QString& letters);
    // The entry that letters, typed now, find; -1 when none.
    int entryFor(const QString& letters, int count, const std::function<QString(int)>& entryAt, int current);

private:
    Clock clock_;
    QString typed_;
    std::int64_t lastAt_ = 0;
};

// The clock every list's type-to-find reads; tests set their own, an empty
// one restores the steady clock.
void setTypingClock(TypeToFind::Clock clock);

} // namespace ui
