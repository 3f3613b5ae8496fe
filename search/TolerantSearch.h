// The tolerant search, tried when a search with a term found nothing: the
// term folded (accents, umlauts and their spellings, separators), then the
// variety the term names as a grape synonym.
#pragma once

#include "search/SearchCriteria.h"

#include <string>
#include <vector>

class WineDatabase;
struct WineEntry;

struct TolerantSearch {
    std::u16string statement;
    std::u16string folded;  // what the statement looks for, folded
    std::u16string variety; // the guide's name a synonym stands for; empty for the folded term
};

// The tolerant searches for criteria, in the order to try them; none when
// the term folds to nothing. Looks up the country code and the synonym
// through database's text buffer.
std::vector<TolerantSearch> tolerantSearches(const SearchCriteria& criteria, WineDatabase& database);

// What the notice names: the synonym's variety, or else the guide's
// spelling that matched in the first hit (keyword, region or prose).
std::u16string shownSpelling(const TolerantSearch& search, const WineEntry& firstHit);

// "Keine Treffer für „term“. Gezeigt werden Treffer für „spelling“."
std::u16string tolerantNotice(const SearchCriteria& criteria, std::u16string_view spelling);

// The notice for a tolerant search that found rows, the first of them with
// firstHitId: the entry is read through database's text buffer.
std::u16string tolerantNoticeFor(const SearchCriteria& criteria, const TolerantSearch& search, int firstHitId,
                                 WineDatabase& database);
