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

// The quality classes start at 1; the same class marked "besonders gut" is
// the class plus this offset.
inline constexpr int kEspeciallyGoodOffset = 4;
