// The printable bookmark list: an A4 PDF "Meine Lesezeichen" with, for each
// bookmark, its wine's keyword and header line, the description and note,
// the Info text and the vintages; page numbers and the date at the foot of
// every page. Drawn with Qt's own PDF writer, which embeds the fonts.
#pragma once

#include "cli/Console.h"

#include <string>

class WineDatabase;

namespace cli {

// Needs the fonts of a QGuiApplication; makes one on the offscreen platform
// when the process has no application object yet.
int printBookmarks(WineDatabase& database, const std::u16string& path, const Console& console);

} // namespace cli
