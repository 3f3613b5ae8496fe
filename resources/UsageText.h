// The program's answer to --help, in German and English: every option of the
// command line. The lines that name the files it uses follow these texts.
// packaging/vinaria.1 says the same as a manual page.
#pragma once

namespace texts {

inline constexpr char kUsage[] =
    "Vinaria - Weinführer\n"
    "\n"
    "Aufruf: vinaria [--guide DATEI] [AUFGABE]\n"
    "  Ohne Aufgabe öffnet vinaria den Weinführer in einem Fenster.\n"
    "  QT_SCALE_FACTOR=<Zahl> wählt den Zoom, VINARIA_NO_ZOOM=1 schaltet ihn ab.\n"
    "\n"
    "  --guide DATEI                 diese Datenbank statt der gefundenen benutzen\n"
    "  --search BEGRIFF              Weine suchen wie \"Weine von A - Z\" (Begriff auch \"\");\n"
    "                                dazu, wie im Suchformular:\n"
    "      --fulltext                Volltextsuche (auch Text und Region)\n"
    "      --country NAME            Land, z. B. Frankreich\n"
    "      --region NAME             Region, z. B. Bordeaux\n"
    "      --red --rose --white --brown          Farben (eine genügt)\n"
    "      --dry --medium --sweet --sparkling    Geschmack (einer genügt)\n"
    "      --quality 0..4            Qualität (0 egal, 1 einfach ... 4 erstklassig)\n"
    "      --especially-good         \"bes.gut\" in dieser Qualität\n"
    "                                Jeder Treffer eine Zeile: ID, Stichwort, Region, Land,\n"
    "                                Farbe, Qualität, durch Tabulatoren getrennt.\n"
    "  --show ID                     den Eintrag zeigen: Kopfzeile, Info, Jahrgänge\n"
    "  --list-bookmarks              die Lesezeichen auflisten\n"
    "  --json                        zu --search, --show, --list-bookmarks: JSON ausgeben\n"
    "  --export-bookmarks DATEI.csv  Lesezeichen als CSV speichern (UTF-8, Trennzeichen ;)\n"
    "  --import-bookmarks DATEI.csv  Lesezeichen aus einer CSV-Datei übernehmen, ganz oder gar nicht\n"
    "      --skip-unknown            Zeilen ohne passenden Wein überspringen statt abbrechen\n"
    "  --bookmarks-pdf DATEI.pdf     Lesezeichen als PDF (A4) zum Ausdrucken\n"
    "  --help                        diese Hilfe\n"
    "  Rückgabewert: 0 erledigt, 1 nichts gefunden, 2 falscher Aufruf oder Fehler.\n"
    "\n"
    "Usage: vinaria [--guide FILE] [TASK]\n"
    "  Without a task vinaria opens the wine guide in a window.\n"
    "  QT_SCALE_FACTOR=<number> chooses the zoom, VINARIA_NO_ZOOM=1 turns it off.\n"
    "\n"
    "  --guide FILE                  use this guide database instead of the one found\n"
    "  --search TERM                 search the wines as \"Weine von A - Z\" does (TERM may be \"\");\n"
    "                                with, as on the search form:\n"
    "      --fulltext                full-text search (entry text and region too)\n"
    "      --country NAME            country, e.g. Frankreich\n"
    "      --region NAME             region, e.g. Bordeaux\n"
    "      --red --rose --white --brown          colours (any of them)\n"
    "      --dry --medium --sweet --sparkling    tastes (any of them)\n"
    "      --quality 0..4            quality (0 any, 1 einfach ... 4 erstklassig)\n"
    "      --especially-good         \"bes.gut\" within that quality\n"
    "                                One line per hit: ID, keyword, region, country,\n"
    "                                colour, quality, separated by tabs.\n"
    "  --show ID                     show the entry: header line, Info, Jahrgänge\n"
    "  --list-bookmarks              list the bookmarks\n"
    "  --json                        with --search, --show, --list-bookmarks: print JSON\n"
    "  --export-bookmarks FILE.csv   write the bookmarks as CSV (UTF-8, separator ;)\n"
    "  --import-bookmarks FILE.csv   take bookmarks from a CSV file, all or nothing\n"
    "      --skip-unknown            skip rows without a matching wine instead of stopping\n"
    "  --bookmarks-pdf FILE.pdf      the bookmarks as a PDF (A4) to print\n"
    "  --help                        this help\n"
    "  Exit status: 0 done, 1 nothing found, 2 bad usage or failure.\n"
    "\n";

inline constexpr char kGuideLine[] = "Weinführer / guide: ";
inline constexpr char kCopyOfLine[] = "  Kopie von / copy of: ";
inline constexpr char kMissingLine[] = "  (fehlt / missing)";
inline constexpr char kRatgeberLine[] = "Ratgeber / buying guide: ";

} // namespace texts
