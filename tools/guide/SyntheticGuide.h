// Synthetic guides of any size for measuring: entries spread over the real
// countries, regions and varieties like a real guide's, with generated
// keywords and prose. The same seed always gives the same guide.
#pragma once

#include "tools/guide/GuideContent.h"

#include <cstdint>

namespace guide {

// Keeps base's countries, regions and varieties and adds count entries
// (ids 1 to count) in place of base's wines.
GuideContent syntheticGuide(const GuideContent& base, int count, std::uint64_t seed);

} // namespace guide
