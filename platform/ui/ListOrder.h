// The order of sorted lists: German alphabetical order, in which umlauts sort
// as their base letters (ä as a, ß as ss) and case does not separate words.
#pragma once

#include "platform/ui/Targets.h"

#include <QString>

#include <functional>
#include <string>
#include <vector>

namespace ui {

// Below zero when a comes first in a sorted list, zero when the two are equal.
int compareForList(const QString& a, const QString& b);

// Where a sorted list of count entries takes text: after every entry that
// does not come after it. entryAt reads entry i.
int sortedPosition(int count, const std::function<QString(int)>& entryAt, const QString& text);

// Collects entries in list order, for a list whose rows come from a
// statement that orders them by code point rather than alphabetically.
class ListOrderedStrings : public StringListTarget {
public:
    void addString(std::u16string_view text) override;
    const std::vector<std::u16string>& entries() const { return entries_; }

private:
    std::vector<std::u16string> entries_;
};

} // namespace ui
