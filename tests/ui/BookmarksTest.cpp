// Bookmarks: ticking and unticking with the question, saving and deleting
// rows, failures that leave the stored bookmark alone, and the list mode.
#include "tests/ui/ResultsFixture.h"

#include "resources/dialogs/ResultsIds.h"
#include "results/ResultsDialogState.h"
#include "services/Singletons.h"

using namespace results_testing;
using Lines = std::vector<std::u16string>;

namespace {

using namespace ids::results;

const std::u16string kSaved = u"Das Lesezeichen wurde gespeichert.";
const std::u16string kQuestion = u"Soll das Lesezeichen gelöscht werden?";

class BookmarksTest : public ResultsTest {
protected:
    void SetUp() override
    {
        ResultsTest::SetUp();
        openRedPomerolAndChianti();
    }
};

} // namespace

TEST_F(BookmarksTest, TickSaveUntickAndTheQuestionMoveThroughEveryState)
{
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Pomerol");
        // No bookmark.
        EXPECT_FALSE(checked(d));
        EXPECT_FALSE(saveShown(d));
        EXPECT_FALSE(bookmarkedFlag());

        // Being set: the keyword fills an empty description.
        clickBookmarkCheck(d);
        EXPECT_TRUE(checked(d));
        EXPECT_TRUE(saveShown(d));
        EXPECT_FALSE(bookmarkedFlag());
        EXPECT_EQ(d.edit(kDescriptionEdit).text(), u"Pomerol");

        // Unticked before any save: back to no bookmark, without a question.
        clickBookmarkCheck(d);
        EXPECT_TRUE(messages.empty());
        EXPECT_FALSE(saveShown(d));

        // A description the user typed before ticking is kept.
        d.edit(kDescriptionEdit).setText(u"zum Sonntag");
        clickBookmarkCheck(d);
        EXPECT_EQ(d.edit(kDescriptionEdit).text(), u"zum Sonntag");
        clickBookmarkCheck(d);

        // Bookmarked.
        clickBookmarkCheck(d);
        type(d, u"Pomerol", u"zum Lamm");
        save(d);
        EXPECT_EQ(messageTexts(), Lines{u"HINWEIS: " + kSaved});
        EXPECT_TRUE(checked(d));
        EXPECT_TRUE(bookmarkedFlag());

        // Unticked, kept: No leaves the row.
        answers = {ui::kIdNo};
        clickBookmarkCheck(d);
        ASSERT_EQ(messages.size(), 1u);
        // No is the default: Return or Esc on the question keeps the bookmark.
        EXPECT_EQ(messages[0].flags, ui::mb::kIconQuestion | ui::mb::kYesNo | ui::mb::kDefaultSecond);
        EXPECT_EQ(messageTexts(), Lines{u"FRAGE: " + kQuestion});
        EXPECT_TRUE(checked(d)) << "the box shows the bookmark still stored";
        EXPECT_TRUE(saveShown(d));
        EXPECT_EQ(storedBookmarks(), Lines{u"7|Pomerol|zum Lamm"});

        // Shown again, the entry is ticked.
        selectItem(d, u"Chianti");
        selectItem(d, u"Pomerol");
        EXPECT_TRUE(checked(d));
        EXPECT_EQ(d.edit(kNoteEdit).text(), u"zum Lamm");

        // Yes deletes, empties the fields and turns the hits into the bookmark list.
        takeStatements();
        clickBookmarkCheck(d);
        EXPECT_EQ(messageTexts(), Lines{u"FRAGE: " + kQuestion});
        EXPECT_EQ(takeStatements(), (Lines{u"BEGIN IMMEDIATE", u"DELETE FROM Lesezeichen WHERE id_vinaria = 7",
                                           u"COMMIT", u"SELECT * from Lesezeichen"}));
        EXPECT_TRUE(storedBookmarks().empty());
        EXPECT_FALSE(checked(d));
        EXPECT_FALSE(saveShown(d));
        EXPECT_FALSE(bookmarkedFlag());
        EXPECT_EQ(d.edit(kDescriptionEdit).text(), u"");
        EXPECT_EQ(d.edit(kNoteEdit).text(), u"");
        EXPECT_EQ(treeLines(d), Lines{u"Lesezeichen"});
        EXPECT_TRUE(d.treeView(kTree).isExpanded(d.treeView(kTree).child(nullptr, 0)));
        // What the view showed stays.
        EXPECT_EQ(d.staticControl(kHeader).text(), u"Frankreich: Bordeaux");
        EXPECT_EQ(d.tabControl(kTabs).currentIndex(), 2);
        EXPECT_EQ(d.button(kBookmarkCheck).text(), u"Lesezeichen setzen");
    });
}

TEST_F(BookmarksTest, SavingTwiceReplacesTheRowInOneTransactionAndConfirmsAfterwards)
{
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Pomerol");
        clickBookmarkCheck(d);
        type(d, u"", u"");
        save(d);
        EXPECT_EQ(storedBookmarks(), Lines{u"7||"});
        EXPECT_EQ(messageTexts(), Lines{u"HINWEIS: " + kSaved});

        type(d, u"Winzer's Wahl", u"Onkel's 'Bester'");
        takeStatements();
        std::vector<std::size_t> rowsWhenConfirmed;
        ui::setMessageBoxPresenter([&](const ui::MessageBoxRequest& r) {
            messages.push_back(r);
            rowsWhenConfirmed.push_back(storedBookmarks().size());
            return ui::kIdOk;
        });
        save(d);
        EXPECT_EQ(takeStatements(), (Lines{
                                        u"BEGIN IMMEDIATE",
                                        u"select id_vinaria from Lesezeichen where id_vinaria = 7",
                                        u"DELETE FROM Lesezeichen WHERE id_vinaria = 7",
                                        u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) "
                                        u"VALUES ('7','Winzer''s Wahl','Onkel''s ''Bester''')",
                                        u"COMMIT",
                                    }));
        EXPECT_EQ(messageTexts(), Lines{u"HINWEIS: " + kSaved});
        EXPECT_EQ(rowsWhenConfirmed, std::vector<std::size_t>{1});
    });
    EXPECT_EQ(storedBookmarks(), Lines{u"7|Winzer's Wahl|Onkel's 'Bester'"});
}

TEST_F(BookmarksTest, FieldsTakeAtMost499CharactersAndSaveThemWhole)
{
    const std::u16string note(499, u'x');
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Chianti");
        clickBookmarkCheck(d);
        type(d, std::u16string(600, u'd'), note + u"zu viel");
        EXPECT_EQ(d.edit(kDescriptionEdit).text().size(), 499u);
        EXPECT_EQ(d.edit(kNoteEdit).text(), note);
        save(d);
    });
    EXPECT_EQ(storedBookmarks(), Lines{u"8|" + std::u16string(499, u'd') + u"|" + note});
}

TEST_F(BookmarksTest, AFailedSaveIsReportedAndKeepsTheOldRowAndWhatWasTyped)
{
    runOnGuide("INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (7, 'alt', 'alte Notiz')");
    openResults([&](ui::Dialog& d) {
        showOnBookmarkTab(d, u"Pomerol");

        // The new row is refused after the old one was deleted: all of it is undone.
        runOnGuide("CREATE TRIGGER refuse BEFORE INSERT ON Lesezeichen BEGIN SELECT RAISE(ABORT, 'voll'); END");
        type(d, u"neu", u"neue Notiz");
        save(d);
        EXPECT_EQ(messageTexts(), Lines{u"FEHLER: Das Lesezeichen konnte nicht gespeichert werden. "
                                        u"Ihre Eingaben bleiben erhalten."});
        EXPECT_EQ(storedBookmarks(), Lines{u"7|alt|alte Notiz"});
        EXPECT_EQ(d.edit(kDescriptionEdit).text(), u"neu");
        EXPECT_EQ(d.edit(kNoteEdit).text(), u"neue Notiz");
        EXPECT_TRUE(checked(d));
        EXPECT_TRUE(bookmarkedFlag());

        // A read-only database writes nothing; an entry without a bookmark stays without.
        runOnGuide("DROP TRIGGER refuse");
        g_wineDatabase->execute(u"PRAGMA query_only = 1");
        showOnBookmarkTab(d, u"Chianti");
        clickBookmarkCheck(d);
        save(d);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].caption, u"FEHLER");
        messages.clear();
        EXPECT_FALSE(checked(d));
        EXPECT_FALSE(bookmarkedFlag());
        EXPECT_TRUE(saveShown(d));
        EXPECT_EQ(d.edit(kDescriptionEdit).text(), u"Chianti");
        g_wineDatabase->execute(u"PRAGMA query_only = 0");
    });
    EXPECT_EQ(storedBookmarks(), Lines{u"7|alt|alte Notiz"});
}

TEST_F(BookmarksTest, SaveWithoutAnEntryIsRefused)
{
    bookmarkList();
    openResults([&](ui::Dialog& d) {
        selectTab(d, 2);
        clickBookmarkCheck(d);
        type(d, u"ohne Wein", u"");
        takeStatements();
        save(d);
        EXPECT_TRUE(takeStatements().empty());
        EXPECT_EQ(messageTexts(), Lines{u"HINWEIS: Bitte wählen Sie zuerst einen Wein aus."});
    });
    EXPECT_TRUE(storedBookmarks().empty());
}

TEST_F(BookmarksTest, DeletingFromTheListRemovesTheEntryUnlessTheDeleteFails)
{
    runOnGuide("INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES (8, 'Chianti', ''),"
               " (7, 'Pomerol', 'Notiz')");
    bookmarkList();
    openResults([&](ui::Dialog& d) {
        EXPECT_EQ(treeLines(d), (Lines{u"Lesezeichen", u"Lesezeichen/Chianti", u"Lesezeichen/Pomerol"}));
        showOnBookmarkTab(d, u"Pomerol");
        EXPECT_TRUE(checked(d));
        EXPECT_TRUE(saveShown(d));
        EXPECT_EQ(d.staticControl(kHeader).text(), u"Frankreich: Bordeaux");

        runOnGuide("CREATE TRIGGER keep BEFORE DELETE ON Lesezeichen BEGIN SELECT RAISE(ABORT, 'nein'); END");
        clickBookmarkCheck(d);
        EXPECT_EQ(messageTexts(), (Lines{u"FRAGE: " + kQuestion,
                                         u"FEHLER: Das Lesezeichen konnte nicht gelöscht werden."}));
        EXPECT_TRUE(checked(d));
        EXPECT_TRUE(bookmarkedFlag());
        EXPECT_EQ(treeLines(d).size(), 3u);

        runOnGuide("DROP TRIGGER keep");
        clickBookmarkCheck(d);
        EXPECT_EQ(treeLines(d), (Lines{u"Lesezeichen", u"Lesezeichen/Chianti"}));
        EXPECT_TRUE(d.treeView(kTree).isExpanded(d.treeView(kTree).child(nullptr, 0)));
        EXPECT_EQ(d.button(kBookmarkCheck).text(), u"Lesezeichen löschen");
    });
    EXPECT_EQ(storedBookmarks(), Lines{u"8|Chianti|"});
}
