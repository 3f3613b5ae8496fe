// The program's answer to --help, in German and English. The lines that name
// the files it uses follow these texts.
#pragma once

namespace texts {

inline constexpr char kUsage[] =
    "Vinaria - Weinführer\n"
    "\n"
    "Aufruf: vinaria [--help]\n"
    "  Öffnet den Weinführer in einem Fenster.\n"
    "  QT_SCALE_FACTOR=<Zahl> wählt den Zoom, VINARIA_NO_ZOOM=1 schaltet ihn ab.\n"
    "\n"
    "Usage: vinaria [--help]\n"
    "  Opens the wine guide in a window.\n"
    "  QT_SCALE_FACTOR=<number> chooses the zoom, VINARIA_NO_ZOOM=1 turns it off.\n"
    "\n";

inline constexpr char kGuideLine[] = "Weinführer / guide: ";
inline constexpr char kCopyOfLine[] = "  Kopie von / copy of: ";
inline constexpr char kMissingLine[] = "  (fehlt / missing)";
inline constexpr char kRatgeberLine[] = "Ratgeber / buying guide: ";

} // namespace texts
