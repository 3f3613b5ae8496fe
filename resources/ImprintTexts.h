// The imprint's credit rows, in their groups; a row of one space divides them.
#pragma once

#include <string_view>

namespace resources {

inline constexpr std::u16string_view kImprintRows[] = {
    u"Vinaria Weinführer",
    u"Ausgabe 2007",
    u"ein deutschsprachiger Weinführer",
    u"für den Linux-Desktop",
    u" ",
    u"Inhalt: Beispieltexte, eigens für",
    u"Vinaria verfasst, ohne Urteil einer Jury",
    u"Schriften: Tahoma-Ersatz aus",
    u"fonts-wine (LGPL 2.1+) und",
    u"Dancing Script (SIL OFL 1.1)",
    u" ",
    u"Programmierung",
    u"mit Qt 6 Widgets (LGPL 3)",
    u"und SQLite 3 (gemeinfrei)",
    u"in C++20 für Debian 12",
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
