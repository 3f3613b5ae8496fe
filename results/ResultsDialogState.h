// The results dialog's state for the program's life: tree nodes, item font,
// the entry shown and whether it is bookmarked.
#pragma once

#include "platform/ui/Controls.h"
#include "platform/ui/Fonts.h"

#include <cstddef>
#include <memory>

namespace ui {
class Dialog;
}

struct ResultsDialogState {
    static constexpr std::size_t kKeywordUnits = 2000;
    static constexpr std::size_t kIdUnits = 20;

    ui::Dialog* dialog = nullptr;
    ui::TreeItem redNode = nullptr;
    ui::TreeItem whiteNode = nullptr;
    ui::TreeItem roseNode = nullptr;
    ui::TreeItem brownNode = nullptr;
    ui::TreeItem keywordNode = nullptr;
    ui::TreeItem bookmarkNode = nullptr;
    std::unique_ptr<ui::Font> itemFont;
    // Keyword of the entry shown last: a new bookmark's default description.
    // Lives while the dialog is open.
    std::unique_ptr<char16_t[]> currentKeyword;
    // Decimal ID of the entry shown last; empty while none was shown.
    char16_t currentId[kIdUnits] = {};
    // The entry shown has a bookmark, or the user is giving it one.
    bool bookmarked = false;
    // The last tree fill stopped because the guide itself failed (damaged,
    // locked, unreadable), not because there were no rows.
    bool guideFailed = false;
    // ID of the first row the last tree fill listed; 0 when it listed none.
    int firstHitId = 0;
};
