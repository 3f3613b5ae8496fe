// The module's string table: the texts of the temperature chart's scroll.
// "\n" ends a line; a "\r" right behind it belongs to the same line break.
// "'C" stands for degrees Celsius.
#pragma once

#include <string_view>

namespace resources {

inline constexpr int kStringTableSize = 16;

// Entries 0 and 2 are empty and never shown.
inline constexpr std::u16string_view kStringTable[kStringTableSize] = {
    u"",
    u"Tippen Sie auf die\n\reinzelnen Bereiche des\n\rThermometers und Ihnen\n\rwerden die entsprechenden\n\r"
    u"Weine angezeigt.\n\rSie k\u00f6nnen auch einen\n\rWein aus der Liste\n\runterhalb ausw\u00e4hlen.",
    u"",
    u"K\u00fchlschranktemperatur\n7'C-10'C\nFino Sherry, Tokaji Asz\u00f9,\n Trockener Wei\u00dfwein,\n Champagner\n"
    u"3'C-7'C\nS\u00fc\u00dfe Wei\u00dfweine,\n Schaumweine",
    u"8'C-11'C\n\rRos\u00e9, Lambrusco\n\r\n\r7'C-10'C\n\rFino Sherry, Tokaji Asz\u00f9,\n\r Trockener Wei\u00dfwein,\n\r"
    u" Champagner",
    u"Ideale Kellertemperatur\n\r11'C-13'C\n\rLeichte Rotweine,\n\r z.B. Beaujolais\n\r10'C-11'C\n\rSherry\n\r"
    u"8'C-11'C\n\rRos\u00e9, Lambrusco",
    u"14'C-16'C\n\rChianti, Zinfandel,\n\r C\u00f4tes du Rh\u00f4ne\n\r14'C-15'C\n\rBester wei\u00dfer Burgunder,\n\r"
    u" Port, Madeira\n\r13'C-14'C\n\rAlltagsrotweine",
    u"16'C-18'C\n\rBeste Rotweine\n\rbesonders Bordeaux\n\r16'C-17'C\n\rRoter Burgunder\n\r14'C-16'C\n\r"
    u"Chianti, Zinfandel,\n\r C\u00f4tes du Rh\u00f4ne",
    u"16'C-18'C\nBeste Rotweine\nbesonders Bordeaux\n\n16'C-17'C\nRoter Burgunder",
    u"Zimmertemperatur\n\n16'C-18'C\nBeste Rotweine\nbesonders Bordeaux",
    u"14'C-16'C\n\rChianti, Zinfandel,\n\r C\u00f4tes du Rh\u00f4ne\n\r\n\r14'C-15'C\n\rBester wei\u00dfer Burgunder,\n\r"
    u" Port, Madeira",
    u"13'C-14'C\n\rAlltagsrotweine\n\r\n\r11'C-13'C\n\rLeichte Rotweine,\n\r z.B. Beaujolais",
    u"11'C-13'C\n\rLeichte Rotweine,\n\r z.B. Beaujolais",
    u"10'C-11'C\nSherry\n8'C-11'C\nRos\u00e9, Lambrusco\n7'C-10'C\nFino Sherry, Tokaji Asz\u00f9,\n\r"
    u" Trockener Wei\u00dfwein,\n\r Champagner",
    u"8'C-11'C\nRos\u00e9, Lambrusco\n\r\n\r7'C-10'C\nFino Sherry,\n Tokaji Asz\u00f9,\n Trockener Wei\u00dfwein,\n"
    u" Champagner",
    u"3'C-7'C\nS\u00fc\u00dfe Wei\u00dfweine,\n Schaumweine",
};

// The entry with the given id; an id outside the table gives the empty text.
constexpr std::u16string_view loadString(int id)
{
    return id >= 0 && id < kStringTableSize ? kStringTable[id] : std::u16string_view();
}

// The wine types of the temperature chart's list, in list order, each with
// the temperature mark whose band it is served in. The empty first entry's
// mark is never read.
struct WineType {
    std::u16string_view name;
    signed char mark;
};

inline constexpr WineType kWineMarks[] = {
    {u"", 0},
    {u"Alltagsrotweine", 13},
    {u"Beaujolais", 12},
    {u"Bordeaux", 17},
    {u"Burgunder (rot)", 16},
    {u"Burgunder (weiss)", 14},
    {u"Champagner", 8},
    {u"Chianti", 15},
    {u"C\u00f4tes du Rh\u00f4ne", 15},
    {u"Fino Sherry", 8},
    {u"Lambrusco", 9},
    {u"Madeira", 14},
    {u"Ros\u00e9", 9},
    {u"Rotweine, beste", 17},
    {u"Rotweine, leicht", 12},
    {u"Schaumweine", 5},
    {u"Sherry", 8},
    {u"Wei\u00dfweine, s\u00fc\u00df", 5},
    {u"Wei\u00dfwein, trocken", 8},
    {u"Wei\u00dfburgunder", 14},
    {u"Zinnfandel", 15},
};

} // namespace resources
