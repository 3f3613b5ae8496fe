// German list order through the locale's collator. The collator is made
// once per thread: building one loads the locale's rules.
#include "platform/ui/ListOrder.h"

#include <QCollator>
#include <QLocale>

namespace ui {

namespace {

const QCollator& germanCollator()
{
    thread_local const QCollator collator = [] {
        QCollator c(QLocale(QLocale::German, QLocale::Germany));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        c.setNumericMode(false);
        return c;
    }();
    return collator;
}

} // namespace

int compareForList(const QString& a, const QString& b)
{
    return germanCollator().compare(a, b);
}

int sortedPosition(int count, const std::function<QString(int)>& entryAt, const QString& text)
{
    // Entries arrive mostly in order already: try the end first.
    if (count == 0 || compareForList(entryAt(count - 1), text) <= 0)
        return count;
    int low = 0, high = count - 1;
    while (low < high) {
        const int middle = low + (high - low) / 2;
        if (compareForList(entryAt(middle), text) <= 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

void ListOrderedStrings::addString(std::u16string_view text)
{
    const QString s = QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
    const int at = sortedPosition(static_cast<int>(entries_.size()), [this](int i) {
        const std::u16string& e = entries_[static_cast<std::size_t>(i)];
        return QString::fromUtf16(e.data(), static_cast<qsizetype>(e.size()));
    }, s);
    entries_.emplace(entries_.begin() + at, text);
}

} // namespace ui
