// The results dialog: the tree of hits under colour nodes, the messages for
// no hits and too many, the pruning of colours, and the bookmark list mode.
#include "tests/ui/ResultsFixture.h"

#include "tests/support/GuideFixture.h"

#include "platform/text/Utf16.h"
#include "resources/dialogs/ResultsIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "results/ResultsDialogState.h"
#include "services/Singletons.h"
#include "search/SearchFormState.h"

using namespace results_testing;
using Lines = std::vector<std::u16string>;

namespace {

using namespace ids::results;

const std::u16string kNoHits = u"Ihre Suche ergab 0 Ergebnistreffer. Bitte verändern Sie Ihre Suchkriterien.";

SearchCriteria term(std::u16string word)
{
    SearchCriteria c;
    c.term = std::move(word);
    return c;
}

// A guide of n white Rieslings, "Riesling 01" to "Riesling nn"; the first is red too.
guide::GuideContent rieslings(int n)
{
    guide::GuideContent c = smallGuide();
    for (int i = 1; i <= n; ++i)
        c.wines.push_back(wine(i, text::format(u"Riesling %02i", {i}), u"DEU", u"Mosel", i == 1 ? "rw" : "w"));
    return c;
}

class ResultsDialogTest : public ResultsTest {
protected:
    // Runs fn while the search form lies open beneath, with the given colours ticked.
    void underSearchForm(std::initializer_list<int> ticked, const std::function<void()>& fn)
    {
        ui::setDialogHook([&](ui::Dialog& form) {
            ui::setDialogHook({});
            g_searchFormState->dialog = &form;
            for (int id : ticked)
                form.checkBox(id).setChecked(true);
            fn();
            g_searchFormState->dialog = nullptr;
            ui::endDialog(form, 1);
        });
        ui::dialogBox(ids::search::kTemplate, nullptr, ui::defaultDialogProc, 0);
    }
};

} // namespace

TEST_F(ResultsDialogTest, OpensFullScreenWithTheInfoTabAndNothingShown)
{
    openGuide(rieslings(2));
    search(term(u"Riesling"));
    openResults([](ui::Dialog& d) {
        EXPECT_TRUE(d.isFullScreen());
        EXPECT_TRUE(d.hasDoneButton());
        ui::TabControl& tabs = d.tabControl(kTabs);
        ASSERT_EQ(tabs.count(), 3);
        EXPECT_EQ(tabs.itemText(0), u"Info");
        EXPECT_EQ(tabs.itemText(1), u"Jahrgänge");
        EXPECT_EQ(tabs.itemText(2), u"Notiz / Lesezeichen");
        EXPECT_EQ(tabs.currentIndex(), 0);
        EXPECT_TRUE(d.control(kInfoEdit).isVisible());
        for (int id : {kVintageEdit, kDescriptionEdit, kNoteEdit, kBookmarkCheck, kSaveButton})
            EXPECT_FALSE(d.control(id).isVisible()) << id;
        EXPECT_EQ(d.staticControl(kHeader).text(), u"");
        EXPECT_EQ(d.button(kBookmarkCheck).text(), u"Lesezeichen setzen");
        EXPECT_TRUE(g_resultsDialogState->currentKeyword);
        EXPECT_EQ(std::u16string(g_resultsDialogState->currentId), u"");
    });
    EXPECT_TRUE(messages.empty());
    // The keyword text lives only while the dialog is open.
    EXPECT_FALSE(g_resultsDialogState->currentKeyword);
}

TEST_F(ResultsDialogTest, NoHitsSayTheSearchFoundNothingOnceAndCloseTheDialog)
{
    openGuide(rieslings(3));
    search(term(u"Burgunder"));
    bool browsed = false;
    EXPECT_EQ(openResults([&](ui::Dialog&) { browsed = true; }), 0);
    EXPECT_FALSE(browsed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kNoHits);
    EXPECT_EQ(messages[0].caption, u"HINWEIS");
    EXPECT_EQ(messages[0].flags, ui::mb::kIconInformation | ui::mb::kOk);
}

TEST_F(ResultsDialogTest, AStatementThatCannotRunCountsAsNoHits)
{
    openGuide(rieslings(1));
    g_wineDatabase->setText(u"SELECT * FROM nirgendwo");
    openResults();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, kNoHits);
}

TEST_F(ResultsDialogTest, AGuideDamagedUnderneathIsReportedAndNoPartialListIsShown)
{
    guide::GuideContent c = rieslings(300);
    for (guide::Wine& w : c.wines)
        w.text = std::u16string(600, u'a'); // enough rows for many pages
    openGuide(c);
    testing_support::damageWineTable(databasePath); // behind the open connection's back
    testing_support::bumpChangeCounter(databasePath);
    search(term(u"Riesling"));
    bool browsed = false;
    EXPECT_EQ(openResults([&](ui::Dialog&) { browsed = true; }), 0);
    EXPECT_FALSE(browsed);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, u"FEHLER");
    EXPECT_NE(messages[0].text.find(u"besch\u00e4digt"), std::u16string::npos);
    EXPECT_NE(messages[0].text.find(text::fromUtf8(databasePath)), std::u16string::npos);

    // The bookmark list says the same instead of passing for empty.
    messages.clear();
    bookmarkList();
    openResults();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].caption, u"FEHLER");
}

TEST_F(ResultsDialogTest, EightyHitsAreListedWithoutAMessage)
{
    openGuide(rieslings(80));
    search(term(u"Riesling"));
    const std::u16string statement = g_wineDatabase->textBuffer;
    openResults([&](ui::Dialog& d) {
        // One statement for the whole tree, none per row.
        EXPECT_EQ(takeStatements(), Lines{statement});
        const Lines lines = treeLines(d);
        // Row 1 is red and white: two items, one place.
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.starts_with(u"Weiß/"); }), 80);
        EXPECT_EQ(lines[0], u"Rot");
        EXPECT_EQ(lines[1], u"Rot/Riesling 01, Mosel");
        EXPECT_EQ(lines[2], u"Weiß");
        EXPECT_EQ(lines.back(), u"Weiß/Riesling 80, Mosel");
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(ResultsDialogTest, EightyOneHitsAreCappedWithTheCountInTheMessage)
{
    openGuide(rieslings(81));
    search(term(u"Riesling"));
    openResults([&](ui::Dialog& d) {
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, u"Ihre Suche (81 Treffer) übersteigt die voreingestellte Anzahl von 80 "
                                    u"Ergebnistreffern. Es werden nur die ersten 80 Ergebnisse angezeigt.");
        EXPECT_EQ(messages[0].caption, u"Meldung");
        EXPECT_EQ(messages[0].flags, ui::mb::kIconInformation | ui::mb::kOk);
        const Lines lines = treeLines(d);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(), [](auto& l) { return l.starts_with(u"Weiß/"); }), 80);
        EXPECT_EQ(lines.back(), u"Weiß/Riesling 80, Mosel");
    });
}

TEST_F(ResultsDialogTest, WithoutTickedColoursEveryNodeWithHitsStaysInItsOrder)
{
    guide::GuideContent c = smallGuide();
    c.wines = {
        wine(1, u"Zweigelt", u"DEU", u"Mosel", "r"),
        wine(2, u"Portwein", u"DEU", u"Mosel", "b"),
        wine(3, u"Ahr Spätburgunder", u"DEU", u"Mosel", "ro"),
        wine(4, u"Elbling", u"DEU", u"Mosel", ""),
        wine(5, u"Müller-Thurgau", u"DEU", u"Mosel", "w"),
    };
    openGuide(c);
    SearchCriteria criteria;
    criteria.countryName = u"Deutschland";
    search(criteria);
    underSearchForm({}, [&] {
        openResults([](ui::Dialog& d) {
            EXPECT_EQ(treeLines(d), (Lines{u"Rot", u"Rot/Ahr Spätburgunder, Mosel", u"Rot/Zweigelt, Mosel", u"Rosè",
                                           u"Rosè/Ahr Spätburgunder, Mosel", u"Weiß", u"Weiß/Müller-Thurgau, Mosel",
                                           u"Braun", u"Braun/Portwein, Mosel", u"Stichwort",
                                           u"Stichwort/Elbling, Mosel"}));
            // Nodes carry no entry.
            ui::TreeView& tree = d.treeView(kTree);
            EXPECT_EQ(tree.itemData(tree.child(nullptr, 0)), 0);
            EXPECT_EQ(tree.itemData(tree.child(tree.child(nullptr, 0), 1)), 1);
        });
    });
}

TEST_F(ResultsDialogTest, ARedSearchDropsTheWhiteNodeOfARedAndWhiteWine)
{
    guide::GuideContent c = smallGuide();
    c.wines = {wine(1, u"Cuvée Rot-Weiß", u"FRA", u"Bordeaux", "rw"), wine(2, u"Sauternes", u"FRA", u"Bordeaux", "w")};
    openGuide(c);
    SearchCriteria criteria;
    criteria.red = true;
    search(criteria);
    underSearchForm({ids::search::kRedCheck}, [&] {
        openResults([](ui::Dialog& d) {
            EXPECT_EQ(treeLines(d), (Lines{u"Rot", u"Rot/Cuvée Rot-Weiß, Bordeaux"}));
        });
    });
    // Without the form beneath every colour counts as searched.
    openResults([](ui::Dialog& d) {
        EXPECT_EQ(treeLines(d), (Lines{u"Rot", u"Rot/Cuvée Rot-Weiß, Bordeaux", u"Weiß",
                                       u"Weiß/Cuvée Rot-Weiß, Bordeaux"}));
    });
}

TEST_F(ResultsDialogTest, TheBookmarkListAfterASearchListsBookmarksNotHits)
{
    guide::GuideContent c = rieslings(3);
    openGuide(c);
    runOnGuide("INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (3, 'Für Sonntag', ''),"
               " (1, NULL, 'ohne Beschreibung')");
    search(term(u"Riesling"));
    openResults();
    bookmarkList();
    takeStatements();
    openResults([&](ui::Dialog& d) {
        // A bookmark without a description is listed under its wine's keyword.
        EXPECT_EQ(takeStatements(),
                  (Lines{u"SELECT * from Lesezeichen", u"select STICHWORT from vinaria where ID = 1"}));
        EXPECT_EQ(treeLines(d), (Lines{u"Lesezeichen", u"Lesezeichen/Für Sonntag", u"Lesezeichen/Riesling 01"}));
        EXPECT_FALSE(d.treeView(kTree).isExpanded(d.treeView(kTree).child(nullptr, 0)));
        EXPECT_EQ(d.button(kBookmarkCheck).text(), u"Lesezeichen löschen");
        EXPECT_TRUE(d.control(kInfoEdit).isVisible());
        EXPECT_FALSE(d.control(kBookmarkCheck).isVisible());
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(ResultsDialogTest, AnEmptyBookmarkTableListsOnlyTheNode)
{
    openGuide(rieslings(1));
    bookmarkList();
    openResults([](ui::Dialog& d) { EXPECT_EQ(treeLines(d), Lines{u"Lesezeichen"}); });
}
