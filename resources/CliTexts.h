// Fixed texts of the command line: its messages (German, then English, as
// the help is), the CSV file's header and the printable bookmark list.
#pragma once

#include <string_view>

namespace texts::cli {

// Wrong use of the options; %s names the option or the value.
inline constexpr std::u16string_view kUsageError = u"vinaria: %s";
inline constexpr std::u16string_view kOneTask =
    u"bitte nur eine Aufgabe auf einmal / one task at a time: %s";
inline constexpr std::u16string_view kOnlyWithSearch = u"%s gilt nur mit --search / only with --search";
inline constexpr std::u16string_view kJsonWithout =
    u"--json gilt nur mit --search, --show oder --list-bookmarks / only with --search, --show or --list-bookmarks";
inline constexpr std::u16string_view kSkipWithout =
    u"--skip-unknown gilt nur mit --import-bookmarks / only with --import-bookmarks";
inline constexpr std::u16string_view kBadQuality = u"--quality erwartet 0 bis 4 / expects 0 to 4: %s";
inline constexpr std::u16string_view kBadId = u"--show erwartet eine ID ab 1 / expects an ID from 1: %s";
inline constexpr std::u16string_view kTwice = u"%s ist doppelt angegeben / is given twice";
inline constexpr std::u16string_view kUnknownOption = u"unbekannte Option / unknown option: %s";
inline constexpr std::u16string_view kStrayArgument = u"unerwartetes Argument / unexpected argument: %s";
inline constexpr std::u16string_view kMissingValue = u"%s braucht einen Wert / needs a value";
inline constexpr std::u16string_view kEmptyFile = u"%s braucht einen Dateinamen / needs a file name";

// The guide cannot be used: the reason as the "FEHLER" box gives it.
inline constexpr std::u16string_view kGuideError = u"FEHLER: %s";

// Search, entry and bookmark list.
inline constexpr std::u16string_view kHitCount = u"%i Treffer";
inline constexpr std::u16string_view kBookmarkCount = u"%i Lesezeichen";
inline constexpr std::u16string_view kNoEntry = u"kein Eintrag mit der ID / no entry with ID %s";
inline constexpr std::u16string_view kColourJoiner = u", ";
inline constexpr std::u16string_view kDescriptionLabel = u"Beschreibung: ";
inline constexpr std::u16string_view kNoteLabel = u"Notiz: ";

// The bookmark file.
inline constexpr char kCsvHeader[] = "id;Stichwort;Region;Land;Beschreibung;Notiz";
inline constexpr std::u16string_view kCsvDescriptionField = u"Beschreibung";
inline constexpr std::u16string_view kCsvNoteField = u"Notiz";
inline constexpr std::u16string_view kCsvProblem = u"%s, Zeile %i: %s";
inline constexpr std::u16string_view kCannotRead = u"%s kann nicht gelesen werden / cannot be read: %s";
inline constexpr std::u16string_view kCannotWrite = u"%s kann nicht geschrieben werden / cannot be written: %s";
inline constexpr std::u16string_view kCsvHeaderWrong =
    u"Kopfzeile \"id;Stichwort;Region;Land;Beschreibung;Notiz\" erwartet / header expected";
inline constexpr std::u16string_view kCsvSeparatorWrong =
    u"Trennzeichen muss \";\" sein / the separator must be \";\"";
inline constexpr std::u16string_view kCsvQuoteInField =
    u"Anführungszeichen mitten im Feld / quote inside an unquoted field";
inline constexpr std::u16string_view kCsvTextAfterQuote =
    u"Text nach dem schließenden Anführungszeichen / text after the closing quote";
inline constexpr std::u16string_view kCsvUnclosedQuote =
    u"Anführungszeichen nicht geschlossen / quote never closed";
inline constexpr std::u16string_view kCsvNotUtf8 = u"kein gültiges UTF-8 / not valid UTF-8";
inline constexpr std::u16string_view kCsvLineTooLong = u"länger als %i Bytes / longer than %i bytes";
inline constexpr std::u16string_view kCsvTooManyRows = u"mehr als %i Lesezeichen / more than %i bookmarks";
inline constexpr std::u16string_view kCsvFieldCount = u"%i Felder statt 6 / %i fields instead of 6";
inline constexpr std::u16string_view kCsvBadId = u"id ist keine Zahl ab 1 / id is not a number from 1";
inline constexpr std::u16string_view kCsvTextTooLong =
    u"%s länger als %i Zeichen / %s longer than %i characters";
inline constexpr std::u16string_view kCsvUnknownWine =
    u"kein Wein mit dieser id oder mit diesem Stichwort und dieser Region / "
    u"no wine with this id, or with this keyword and region";
inline constexpr std::u16string_view kCsvSameWine = u"derselbe Wein wie Zeile %i / the same wine as line %i";
inline constexpr std::u16string_view kImportRefused =
    u"Nichts importiert, die Lesezeichen sind unverändert. / Nothing imported, the bookmarks are unchanged.";
inline constexpr std::u16string_view kSkipHint =
    u"--skip-unknown überspringt Zeilen ohne passenden Wein / skips rows without a matching wine";
inline constexpr std::u16string_view kSkipped = u"%s, Zeile %i übersprungen / skipped";
inline constexpr std::u16string_view kImported = u"%i Lesezeichen importiert / bookmarks imported";
inline constexpr std::u16string_view kExported = u"%i Lesezeichen gespeichert / bookmarks written: %s";

// The printable bookmark list.
inline constexpr std::u16string_view kPdfTitle = u"Meine Lesezeichen";
inline constexpr std::u16string_view kPdfCreator = u"Vinaria Weinführer";
inline constexpr std::u16string_view kPdfPage = u"Seite %i von %i";
inline constexpr std::u16string_view kPdfDate = u"Stand: %s";
inline constexpr std::u16string_view kPdfNoBookmarks = u"Noch keine Lesezeichen.";
inline constexpr std::u16string_view kPdfWritten = u"PDF gespeichert / written: %s";

} // namespace texts::cli
