// Turns the search form's choices into the one SELECT over the wine table,
// left in the database's text buffer for the results dialog to run.
#pragma once

#include "search/SearchCriteria.h"

#include <string>

class WineDatabase;

// When a country is chosen, first looks its code up through database.
void buildSearchStatement(const SearchCriteria& criteria, WineDatabase& database);

// The statement itself, given the country code the lookup found ("\n" when
// none was found); no database is touched.
std::u16string composeSearchStatement(const SearchCriteria& criteria, std::u16string_view countryCode);

// The same search with the tolerant clause for a folded term (see
// platform/text/Fold.h) in place of the term's clause; every other clause
// is the exact search's.
std::u16string composeTolerantStatement(const SearchCriteria& criteria, std::u16string_view countryCode,
                                        std::u16string_view foldedTerm);

// The code of the chosen country, looked up through database; "\n" when no
// country is chosen or the lookup finds none.
std::u16string countryCodeFor(const SearchCriteria& criteria, WineDatabase& database);

// The quality classes start at 1; the same class marked "besonders gut" is
// the class plus this offset.
inline constexpr int kEspeciallyGoodOffset = 4;
