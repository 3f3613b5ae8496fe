// The search of the command line: the statement the search form composes for
// the same criteria, run through the same data layer, every hit in order.
#pragma once

#include "search/SearchCriteria.h"

#include <functional>
#include <string>
#include <string_view>

class WineDatabase;

namespace cli {

enum class Outcome { Done, NothingFound, GuideFailed };

// One hit; the texts hold until the next hit is handed over.
struct Hit {
    int id = 0;
    std::u16string_view keyword;
    std::u16string_view region;
    std::u16string_view country; // the country's name, or its code when the guide has no name for it
    bool red = false, rose = false, white = false, brown = false;
    int quality1 = 0, quality2 = 0;
};

using HitSink = std::function<void(const Hit&)>;

// Runs the search for criteria and hands every listed hit to sink. Rows
// without keyword are left out, as the results tree leaves them out. A
// statement the guide refuses finds nothing, as in the window.
Outcome searchGuide(WineDatabase& database, const SearchCriteria& criteria, const HitSink& sink);

// The hit's colours as the results tree names them, joined with ", ".
std::u16string colourNames(const Hit& hit);

} // namespace cli
