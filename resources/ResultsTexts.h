// Fixed German texts of the results dialog, the entry view and the bookmarks.
#pragma once

#include <string_view>

namespace texts::results {

// Tree nodes.
inline constexpr std::u16string_view kRedNode = u"Rot";
inline constexpr std::u16string_view kRoseNode = u"Ros\u00e8";
inline constexpr std::u16string_view kWhiteNode = u"Wei\u00df";
inline constexpr std::u16string_view kBrownNode = u"Braun";
inline constexpr std::u16string_view kKeywordNode = u"Stichwort";
inline constexpr std::u16string_view kBookmarkNode = u"Lesezeichen";

// Tabs, in their order.
inline constexpr std::u16string_view kTabs[] = {u"Info", u"Jahrg\u00e4nge", u"Notiz / Lesezeichen"};

// Captions of the bookmark check box in the two modes.
inline constexpr std::u16string_view kSetBookmark = u"Lesezeichen setzen";
inline constexpr std::u16string_view kDeleteBookmark = u"Lesezeichen l\u00f6schen";

// Behind an entry text too long to show whole (%i: the characters shown).
inline constexpr std::u16string_view kTextShortened =
    u"\r\n\r\n[Der Text ist l\u00e4nger und wurde nach %i Zeichen gek\u00fcrzt.]";

// Labels and the header line.
inline constexpr std::u16string_view kBookmarkLabel = u"%s";
inline constexpr std::u16string_view kHeader = u"%s: %s";

// Message boxes.
inline constexpr std::u16string_view kNoHits =
    u"Ihre Suche ergab 0 Ergebnistreffer. Bitte ver\u00e4ndern Sie Ihre Suchkriterien.";
inline constexpr std::u16string_view kTooManyHits =
    u"Ihre Suche (%i Treffer) \u00fcbersteigt die voreingestellte Anzahl von 80 Ergebnistreffern. "
    u"Es werden nur die ersten 80 Ergebnisse angezeigt.";
inline constexpr std::u16string_view kSaved = u"Das Lesezeichen wurde gespeichert.";
inline constexpr std::u16string_view kDeleteQuestion = u"Soll das Lesezeichen gel\u00f6scht werden?";
inline constexpr std::u16string_view kSaveFailed =
    u"Das Lesezeichen konnte nicht gespeichert werden. Ihre Eingaben bleiben erhalten.";
inline constexpr std::u16string_view kDeleteFailed = u"Das Lesezeichen konnte nicht gel\u00f6scht werden.";
inline constexpr std::u16string_view kNoEntryChosen = u"Bitte w\u00e4hlen Sie zuerst einen Wein aus.";
// A search that found nothing, shown with the hits of its tolerant search:
// the term as typed, then the guide's spelling or variety name found.
inline constexpr std::u16string_view kTolerantNotice =
    u"Keine Treffer f\u00fcr \u201e%s\u201c. Gezeigt werden Treffer f\u00fcr \u201e%s\u201c.";

inline constexpr std::u16string_view kNoticeCaption = u"HINWEIS";
inline constexpr std::u16string_view kMessageCaption = u"Meldung";
inline constexpr std::u16string_view kQuestionCaption = u"FRAGE";
inline constexpr std::u16string_view kErrorCaption = u"FEHLER";

} // namespace texts::results
