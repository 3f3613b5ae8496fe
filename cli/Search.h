// The search of the command line: the statement the search form composes for
// the same criteria, run through the same data layer, every hit in order.
#pragma once

#include "search/SearchCriteria.h"

#include <array>
#include <functional>
#include <map>
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
// statement the guide refuses finds nothing, as in the window. When a term
// found nothing and a tolerant search did, notice says so, in the window's
// words.
Outcome searchGuide(WineDatabase& database, const SearchCriteria& criteria, const HitSink& sink,
                    std::u16string& notice);

// The hit's colours as the results tree names them, joined with ", ".
std::u16string colourNames(const Hit& hit);

// Writes hit lines: ID, keyword, region, country, colours and quality line,
// tab-separated, each ending in "\n"; no field holds a tab, line break or
// other control character. The colour and quality texts are made once, as
// a long list meets the same few again and again.
class HitLineWriter {
public:
    HitLineWriter();
    void append(std::string& out, const Hit& hit);

private:
    std::array<std::string, 16> colours_; // by red, rose, white, brown as bits 0 to 3
    std::map<std::pair<int, int>, std::string> qualities_;
};

} // namespace cli
