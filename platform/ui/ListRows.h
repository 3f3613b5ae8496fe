// The rows of list controls (list boxes, drop-down lists, trees): as tall as
// the face's tallest letters, a name too wide cut at its end and shown whole
// in its tooltip, and the jump to an entry by its first letter.
#pragma once

#include <QStyledItemDelegate>

#include <functional>

namespace ui {

// Rows tall enough for a capital umlaut's dots and the descenders, which the
// handheld faces' own line height leaves out.
class FullHeightRows : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// List rows: a row a little wider than its list is narrowed, as a static
// text is; one much wider is cut at its end with dots, and its tooltip
// names it whole (screen readers read the whole name from the row).
class ListRows : public FullHeightRows {
public:
    using FullHeightRows::FullHeightRows;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

// The height a row needs for every letter of font: ascent and descent,
// widened evenly where accents reach above or below them.
int fullTextHeight(const QFont& font);

// The entry a typed letter jumps to: the next one after current (wrapping)
// whose first letter is typed, compared without case and accents (o finds
// Oman and Österreich); -1 when none starts so.
int nextEntryStartingWith(int count, const std::function<QString(int)>& entryAt, int current, const QString& typed);

} // namespace ui
