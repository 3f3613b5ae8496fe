// One entry as the entry view shows it: the header line, the Info and the
// Jahrgänge texts, and the bookmark's description and note when it has one.
#pragma once

#include "cli/Search.h"

#include <string>

class WineDatabase;

namespace cli {

struct ShownEntry {
    std::u16string keyword;
    std::u16string header;   // "Land: Region"
    std::u16string info;     // with the view's "\r\n" line breaks
    std::u16string vintages;
    bool bookmarked = false;
    std::u16string description;
    std::u16string note;
};

// Reads entry id with the entry view's own statements and decoding.
Outcome readEntry(WineDatabase& database, int id, ShownEntry& entry);

} // namespace cli
