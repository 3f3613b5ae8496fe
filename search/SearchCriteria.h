// The search form's choices at the moment "Suche starten" is tapped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct SearchCriteria {
    static constexpr std::size_t kCountryNameLimit = 199;
    static constexpr std::size_t kRegionTextLimit = 149;
    static constexpr std::size_t kTermLimit = 149;

    std::u16string countryName; // chosen country entry, empty when none
    std::u16string regionText;  // text shown in the region list
    std::u16string term;        // "Suchbegriff:"
    bool fullText = false;
    bool red = false;
    bool rose = false;
    bool white = false;
    bool brown = false;
    bool dry = false;
    bool sweet = false;
    bool medium = false;
    bool sparkling = false;
    std::int16_t qualityLevel = 0; // 0 = "egal", 1 to 4 the quality classes
    bool especiallyGood = false;
};
