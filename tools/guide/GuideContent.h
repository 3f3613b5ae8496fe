// The guide's content as the builder holds it between reading the sources
// and writing the database.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace guide {

struct Country {
    std::u16string code;
    std::u16string name;
};

struct Region {
    std::u16string country;
    std::u16string name;
};

enum class VarietyColour : int { Red = 1, White = 2 };

struct Variety {
    std::u16string name;
    VarietyColour colour = VarietyColour::Red;
    std::u16string text;
};

// Another name of a grape variety: a search for name that finds nothing
// searches for variety, the guide's own name.
struct Synonym {
    std::u16string name;
    std::u16string variety;
};

struct Wine {
    std::int32_t id = 0;
    std::u16string keyword;
    std::u16string country;
    std::u16string region;
    bool red = false, rose = false, white = false, brown = false;
    bool dry = false, medium = false, sweet = false, sparkling = false;
    int quality1 = 0, quality2 = 0;
    std::array<std::u16string, 15> vintages; // one character a year, year - 1900
    bool drinkSoon = false, withoutVintage = false;
    std::u16string text;
};

struct GuideContent {
    std::vector<Country> countries;
    std::vector<Region> regions;
    std::vector<Variety> varieties;
    std::vector<Synonym> synonyms;
    std::vector<Wine> wines;
};

// Limits the program's buffers put on the content.
inline constexpr std::size_t kKeywordLimit = 100;
inline constexpr std::size_t kRegionNameLimit = 100;
inline constexpr std::size_t kCountryNameLimit = 199;
inline constexpr std::size_t kWineTextLimit = 4000;
inline constexpr std::size_t kVarietyNameLimit = 60;
inline constexpr std::size_t kVarietyTextLimit = 1999;
inline constexpr std::size_t kYearsPerCategory = 34;
inline constexpr int kFirstYear = 1901;
inline constexpr int kEditionYear = 2007;
inline constexpr int kYearBase = 1900;

} // namespace guide
