// The search form's fixed texts.
#pragma once

#include <string_view>

namespace texts::search {

// Shown under the quality scroll bar, one per level.
inline constexpr std::u16string_view kQualityLabels[] = {
    u"egal",
    u"einfach (*)",
    u"überdurchschnittlich (**)",
    u"bekannt (***)",
    u"erstklassig (****)",
};

} // namespace texts::search
