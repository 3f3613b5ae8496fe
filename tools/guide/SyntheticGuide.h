// Synthetic guides of any size for measuring: entries spread over the real
// countries, regions and varieties like a real guide's, with generated
// keywords and prose. The same seed always gives the same guide.
#pragma once

#include "tools/guide/GuideContent.h"

#include <cstdint>
#include <functional>

namespace guide {

// Hands the next generated entry to the writer; false when all are out.
using WineSource = std::function<bool(Wine&)>;

// Generates count entries (ids 1 to count) over base's regions and varieties,
// one at a time and in the order the writer stores them (keyword order), so a
// guide of any size is written without holding it.
// base must outlive the source.
WineSource syntheticWines(const GuideContent& base, int count, std::uint64_t seed);

// Keeps base's countries, regions, varieties and synonyms and adds count entries
// (ids 1 to count) in place of base's wines.
GuideContent syntheticGuide(const GuideContent& base, int count, std::uint64_t seed);

} // namespace guide
