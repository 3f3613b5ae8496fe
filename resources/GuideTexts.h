// The texts that tell the user what is wrong with the guide database and how
// to get a working guide back.
#pragma once

#include <string_view>

namespace texts::guide {

inline constexpr std::u16string_view kCannotOpen = u"Die Datenbank kann nicht ge\u00f6ffnet werden. \n\r";
inline constexpr std::u16string_view kErrorCaption = u"FEHLER";
// Opening of the message when the guide fails while it is being read.
inline constexpr std::u16string_view kCannotRead = u"Der Weinf\u00fchrer konnte nicht vollst\u00e4ndig gelesen werden. \n\r";
inline constexpr std::u16string_view kLineBreak = u"\n\r";
inline constexpr std::u16string_view kFileLabel = u"Datei: ";
// When the desktop cannot open the Ratgeber; the address follows, to copy.
inline constexpr std::u16string_view kPageNotOpened =
    u"Die Seite konnte nicht ge\u00f6ffnet werden. Bitte \u00f6ffnen Sie sie selbst im Browser:\n\r";
inline constexpr std::u16string_view kNoticeCaption = u"HINWEIS";

// Why, one text per reason, in the order of GuideFailure.
inline constexpr std::u16string_view kMissing = u"Die Datei fehlt.";
inline constexpr std::u16string_view kNotAGuide = u"Die Datei ist keine Datenbank des Weinf\u00fchrers.";
inline constexpr std::u16string_view kWrongLayout =
    u"Die Datei hat nicht den Aufbau, den das Programm liest (Tabelle oder Spalte fehlt).";
inline constexpr std::u16string_view kDamaged = u"Die Datei ist besch\u00e4digt.";
inline constexpr std::u16string_view kLocked = u"Die Datei wird gerade von einem anderen Programm benutzt.";
inline constexpr std::u16string_view kUnreadable = u"Die Datei kann nicht gelesen werden.";
inline constexpr std::u16string_view kReadOnly =
    u"Die Datei ist schreibgesch\u00fctzt; Lesezeichen k\u00f6nnen nicht gespeichert werden.";
inline constexpr std::u16string_view kDiskFull = u"Auf dem Datentr\u00e4ger ist nicht genug Platz frei.";
inline constexpr std::u16string_view kSymlinkLoop =
    u"Der Name der Datei ist eine symbolische Verkn\u00fcpfung, die im Kreis auf sich selbst verweist.";
inline constexpr std::u16string_view kNotAFile = u"An der Stelle der Datei steht ein Ordner oder etwas anderes als eine Datei.";
inline constexpr std::u16string_view kNoPermission = u"Das Programm darf die Datei nicht lesen.";

// What the user can do about it.
inline constexpr std::u16string_view kRebuild =
    u"Bauen Sie den Weinf\u00fchrer neu (cmake --build) oder installieren Sie das Programm neu.";
inline constexpr std::u16string_view kMoveAsideAndRebuild =
    u"Legen Sie die Datei beiseite und bauen Sie den Weinf\u00fchrer neu (cmake --build) oder "
    u"installieren Sie das Programm neu. Ihre Lesezeichen bleiben in der beiseite gelegten Datei.";
inline constexpr std::u16string_view kCloseOtherProgram =
    u"Schlie\u00dfen Sie das andere Programm und starten Sie den Weinf\u00fchrer neu.";
inline constexpr std::u16string_view kCheckPermissions =
    u"Pr\u00fcfen Sie die Zugriffsrechte der Datei und ihres Ordners.";
inline constexpr std::u16string_view kReplaceLink =
    u"Ersetzen Sie die Verkn\u00fcpfung durch die Datei des Weinf\u00fchrers oder bauen Sie den Weinf\u00fchrer "
    u"neu (cmake --build).";
inline constexpr std::u16string_view kRenameFolder =
    u"Benennen Sie den Ordner um und bauen Sie den Weinf\u00fchrer neu (cmake --build) oder installieren Sie das "
    u"Programm neu.";
// Free space beside the guide: its folder, and the kilobytes a save needs.
inline constexpr std::u16string_view kMakeRoom =
    u"Schaffen Sie im Ordner %s mindestens %i KB Platz und versuchen Sie es dann erneut.";
// The same where the room needed is not known.
inline constexpr std::u16string_view kMakeSomeRoom =
    u"Schaffen Sie im Ordner %s Platz und versuchen Sie es dann erneut.";

// What to do when the guide fails while the program is using it: the
// typed texts are kept, so trying again is the way out.
inline constexpr std::u16string_view kWaitForOtherProgram =
    u"Warten Sie, bis das andere Programm fertig ist, oder schlie\u00dfen Sie es, und versuchen Sie es dann erneut.";

} // namespace texts::guide
