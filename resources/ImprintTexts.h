// The imprint's credit rows, in their groups; a row of one space divides them.
// They name the licences: the program under GPL-3.0-or-later, the guide's
// texts and the buying guide under CC BY-SA 4.0.
#pragma once

#include <string_view>

namespace resources {

inline constexpr std::u16string_view kImprintRows[] = {
    u"Vinaria Weinführer",
    u"Ausgabe 2007",
    u"ein deutschsprachiger Weinführer",
    u"für den Linux-Desktop",
    u" ",
    u"Weinführer und Ratgeber: eigene",
    u"Beispieltexte, CC BY-SA 4.0",
    u"Programm: freie Software unter",
    u"GNU GPL 3.0 oder neuer",
    u"(GPL-3.0-or-later), Vinaria-Projekt",
    u" ",
    u"Programmierung",
    u"mit Qt 6 (LGPL 3), SQLite 3",
    u"Schriften: fonts-wine (LGPL 2.1+),",
    u"Dancing Script (SIL OFL 1.1)",
    u" ",
    u"Konzept:",
    u"ein Weinführer für einen Bildschirm",
    u"von 240 × 320 Pixeln",
    u" ",
    u"Projektleitung:",
    u"Vinaria-Projekt",
    u" ",
    u"Programmierung:",
    u"Vinaria-Projekt",
    u" ",
    u"Grafiken:",
    u"im Programm gezeichnet (Vinaria)",
};

} // namespace resources
