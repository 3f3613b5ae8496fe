// Decoding of a wine row into the German texts the user reads: the tree
// label, the "Info" text (quality, tastes, prose) and the "Jahrgänge" text
// (vintage categories and remarks).
#pragma once

#include "platform/ui/Targets.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

class WineDatabase;

// The coded fields of one wine row, as read by position.
struct WineEntry {
    std::optional<std::u16string> keyword;
    std::optional<std::u16string> region;
    std::optional<std::u16string> text; // plain, already unscrambled
    bool dry = false, medium = false, sweet = false, sparkling = false;
    int quality1 = 0, quality2 = 0;
    std::array<std::u16string, 15> vintages; // year codes, one character a year
    bool drinkSoon = false, withoutVintage = false;
};

// Text of a quality code; "unbekannt" for any code outside 0 to 8.
std::u16string_view qualityName(int code);
// Writes the quality text into out (capacity units, terminated).
void qualityName(int code, char16_t* out, std::size_t capacity);

// The year list of one vintage column ("95,96,00,04") in scratch (capacity
// units); null when the list is empty.
const char16_t* formatVintageYears(std::u16string_view column, char16_t* scratch, std::size_t capacity);
const char16_t* formatVintageYears(std::u16string_view column, WineDatabase& database);

std::u16string tasteLine(const WineEntry& entry);
std::u16string qualityLine(int quality1, int quality2);
std::u16string infoText(const WineEntry& entry);
std::u16string vintageText(const WineEntry& entry, WineDatabase& database);

// "Keyword, Region"; none for a row without keyword.
std::optional<std::u16string> treeLabel(const std::optional<std::u16string>& keyword,
                                        const std::optional<std::u16string>& region);

// Prose longer than this is shown up to here, with a note that it was cut.
inline constexpr std::size_t kMaxShownTextUnits = 20000;

// Reads the current row of the database's recordset by position.
WineEntry readWineEntry(WineDatabase& database);

// Runs the entry statement the caller left in the text buffer and shows the
// decoded texts. False only when the recordset cannot be opened; with no row
// or after a fault of the data-access component the texts stay as they were.
bool showEntryTexts(WineDatabase& database, ui::TextTarget& info, ui::TextTarget& vintages);
