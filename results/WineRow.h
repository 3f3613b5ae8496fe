// Positions of the wine table's columns as rows are read with "select *".
#pragma once

#include <cstdint>

namespace wine_row {

inline constexpr std::uint16_t kId = 0;
inline constexpr std::uint16_t kKeyword = 1;
inline constexpr std::uint16_t kText = 2;
inline constexpr std::uint16_t kRegion = 4;
inline constexpr std::uint16_t kRed = 5;
inline constexpr std::uint16_t kRose = 6;
inline constexpr std::uint16_t kWhite = 7;
inline constexpr std::uint16_t kBrown = 8;
inline constexpr std::uint16_t kDry = 9;
inline constexpr std::uint16_t kMedium = 10;
inline constexpr std::uint16_t kSweet = 11;
inline constexpr std::uint16_t kSparkling = 12;
inline constexpr std::uint16_t kFirstVintage = 13;
inline constexpr std::uint16_t kVintageCategories = 15;
inline constexpr std::uint16_t kQuality1 = 28;
inline constexpr std::uint16_t kQuality2 = 30;
inline constexpr std::uint16_t kDrinkSoon = 32;
inline constexpr std::uint16_t kWithoutVintage = 33;
inline constexpr std::uint16_t kLastRead = 34;

} // namespace wine_row
