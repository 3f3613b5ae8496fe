// Dialog tests of the results dialog: small guides written with the real
// builder, the dialog opened as the program opens it, message boxes and
// statements recorded in order.
#pragma once

#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "search/SearchCriteria.h"
#include "tools/guide/GuideContent.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace results_testing {

// One wine row; colours as "r", "w", "rw", "" and so on (r, o = rosé, w, b).
guide::Wine wine(int id, std::u16string keyword, std::u16string country, std::u16string region,
                 std::string_view colours);

// Countries Deutschland (DEU), Frankreich (FRA) and Italien (ITA), no wines.
guide::GuideContent smallGuide();

// Items of the results tree as "node/label" lines, nodes as "node".
std::vector<std::u16string> treeLines(ui::Dialog& dialog);
// Selects the first item whose label starts with text.
void selectItem(ui::Dialog& dialog, std::u16string_view text);
// Selects a tab as a tap on it does.
void selectTab(ui::Dialog& dialog, int tab);
void clickBookmarkCheck(ui::Dialog& dialog);

class ResultsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the guide and opens the program's database on it.
    void openGuide(const guide::GuideContent& content);
    // Opens the program's database on the guide at databasePath.
    void openBuiltGuide();
    // Red Pomerol (7) and Chianti (8), found by a search for red wines.
    void openRedPomerolAndChianti();
    // Leaves the statement for criteria in the text buffer, as the form does.
    void search(const SearchCriteria& criteria);
    void bookmarkList();
    // Opens the results dialog; act runs once it is initialised and may end it.
    std::intptr_t openResults(const std::function<void(ui::Dialog&)>& act = {});


    // The bookmark tab: the entry shown there, the fields typed, Speichern
    // tapped; the box, the button and the bookmarked flag as they stand.
    static void showOnBookmarkTab(ui::Dialog& dialog, std::u16string_view entry);
    static void type(ui::Dialog& dialog, std::u16string_view description, std::u16string_view note);
    static void save(ui::Dialog& dialog);
    static bool checked(ui::Dialog& dialog);
    static bool saveShown(ui::Dialog& dialog);
    static bool bookmarkedFlag();
    // The message boxes shown since the last call, as "caption: text".
    std::vector<std::u16string> messageTexts();

    // Statements run since the last call, and the bookmark rows as they are stored.
    std::vector<std::u16string> takeStatements();
    std::vector<std::u16string> storedBookmarks(); // "id|Beschreibung|Notiz"
    void runOnGuide(const std::string& sql);
    static void runOn(const std::string& path, const std::string& sql);

    std::string folder;
    std::string databasePath;
    std::vector<ui::MessageBoxRequest> messages;
    std::deque<int> answers; // answers to questions; Yes when empty
    std::vector<std::u16string> statements;
};

std::string utf8(std::u16string_view text);

} // namespace results_testing
