// Names of template 109, the results and bookmark dialog, and of its controls.
#pragma once

namespace ids::results {
inline constexpr int kTemplate = 109;

inline constexpr int kTree = 1001;
inline constexpr int kTabs = 1002;
inline constexpr int kInfoEdit = 1034;
inline constexpr int kVintageEdit = 1035;
inline constexpr int kHeader = 1045;
inline constexpr int kDescriptionEdit = 1064;
inline constexpr int kNoteEdit = 1065;
inline constexpr int kSaveButton = 1066;
inline constexpr int kBookmarkCheck = 1067;
} // namespace ids::results
