// The results dialog's tolerant search: taken only after a search with a term
// found nothing, announced with a notice, and otherwise silent.
#include "tests/ui/ResultsFixture.h"

#include "db/Sql.h"
#include "platform/text/Utf16.h"
#include "resources/dialogs/SearchFormIds.h"
#include "search/QueryBuilder.h"
#include "search/SearchFormState.h"
#include "services/Singletons.h"

using namespace results_testing;
using Lines = std::vector<std::u16string>;

namespace {

const std::u16string kNoHits = u"Ihre Suche ergab 0 Ergebnistreffer. Bitte verändern Sie Ihre Suchkriterien.";

SearchCriteria term(std::u16string word, bool fullText = false)
{
    SearchCriteria c;
    c.term = std::move(word);
    c.fullText = fullText;
    return c;
}

std::u16string notice(std::u16string_view typed, std::u16string_view shown)
{
    return text::format(u"Keine Treffer für „%s“. Gezeigt werden Treffer für „%s“.", {typed, shown});
}

guide::GuideContent tolerantGuide()
{
    guide::GuideContent c = smallGuide();
    c.wines = {wine(1, u"Côte-Rôtie", u"FRA", u"Bordeaux", "r"),
               wine(2, u"Grauburgunder vom Kaiserstuhl", u"DEU", u"Mosel", "w"),
               wine(3, u"Pinot Grigio delle Venezie", u"ITA", u"Toskana", "w"),
               wine(4, u"Elbling", u"DEU", u"Mosel", "w")};
    c.wines[3].text = u"Oft mit etwas Müller-Thurgau verschnitten.";
    c.synonyms = {{u"Ruländer", u"Grauburgunder"}, {u"Pinot Grigio", u"Grauburgunder"}};
    return c;
}

class TolerantResultsTest : public ResultsTest {
protected:
    // "Suche starten" with criteria: the form lies beneath while the results
    // dialog runs the statement the query builder left.
    void searchUnderForm(const SearchCriteria& c, const std::function<void(ui::Dialog&)>& act = {})
    {
        ui::setDialogHook([&](ui::Dialog& form) {
            ui::setDialogHook({});
            g_searchFormState->dialog = &form;
            g_searchFormState->searched = c;
            search(c);
            openResults(act);
            g_searchFormState->dialog = nullptr;
            ui::endDialog(form, 1);
        });
        ui::dialogBox(ids::search::kTemplate, nullptr, ui::defaultDialogProc, 0);
    }

    Lines tree;
    void keepTree(ui::Dialog& d) { tree = treeLines(d); }
};

TEST_F(TolerantResultsTest, NoExactHitsRunTheFoldedTermAndSayWhatWasShown)
{
    openGuide(tolerantGuide());
    const SearchCriteria c = term(u"cote rotie");
    searchUnderForm(c, [&](ui::Dialog& d) { keepTree(d); });
    EXPECT_EQ(tree, (Lines{u"Rot", u"Rot/Côte-Rôtie, Bordeaux"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, notice(u"cote rotie", u"Côte-Rôtie"));
    EXPECT_EQ(messages[0].caption, u"HINWEIS");
    EXPECT_EQ(messages[0].flags, ui::mb::kIconInformation | ui::mb::kOk);
    EXPECT_EQ(takeStatements(), (Lines{composeSearchStatement(c, u"\n"), text::format(sql::kSynonymTarget, {u"cote rotie"}),
                                       composeTolerantStatement(c, u"\n", u"cote rotie"),
                                       text::format(sql::kEntryRow, {u"1"})}));
}

TEST_F(TolerantResultsTest, ATermWithExactHitsRunsTodaysStatementAloneAndIsNotWidened)
{
    openGuide(tolerantGuide());
    const SearchCriteria c = term(u"Pinot Grigio");
    searchUnderForm(c, [&](ui::Dialog& d) { keepTree(d); });
    EXPECT_EQ(tree, (Lines{u"Weiß", u"Weiß/Pinot Grigio delle Venezie, Toskana"}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(takeStatements(), Lines{composeSearchStatement(c, u"\n")});
}

TEST_F(TolerantResultsTest, ASynonymSearchesTheGuidesNameAndNamesIt)
{
    openGuide(tolerantGuide());
    searchUnderForm(term(u"RULAENDER"), [&](ui::Dialog& d) { keepTree(d); });
    EXPECT_EQ(tree, (Lines{u"Weiß", u"Weiß/Grauburgunder vom Kaiserstuhl, Mosel"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, notice(u"RULAENDER", u"Grauburgunder"));
}

TEST_F(TolerantResultsTest, AFullTextHitIsNamedAsTheProseSpellsIt)
{
    openGuide(tolerantGuide());
    searchUnderForm(term(u"mueller thurgau", true), [&](ui::Dialog& d) { keepTree(d); });
    EXPECT_EQ(tree, (Lines{u"Weiß", u"Weiß/Elbling, Mosel"}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, notice(u"mueller thurgau", u"Müller-Thurgau"));
}

TEST_F(TolerantResultsTest, NothingFoundEitherGivesTodaysMessageAlone)
{
    openGuide(tolerantGuide());
    for (std::u16string typed : {u"xyzzy", u" - '' "}) {
        SCOPED_TRACE(utf8(typed));
        messages.clear();
        bool listed = false;
        searchUnderForm(term(typed), [&](ui::Dialog&) { listed = true; });
        EXPECT_FALSE(listed);
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages.front().text, kNoHits);
    }
    // A term of separators alone has no tolerant search to run.
    EXPECT_EQ(takeStatements().size(), 1u);
}

TEST_F(TolerantResultsTest, MoreThanEightyTolerantHitsAreCappedAfterTheNotice)
{
    guide::GuideContent c = smallGuide();
    for (int i = 1; i <= 81; ++i)
        c.wines.push_back(wine(i, text::format(u"Côte-Rôtie %02i", {i}), u"FRA", u"Bordeaux", "r"));
    openGuide(c);
    searchUnderForm(term(u"cote-rotie"), [&](ui::Dialog& d) { keepTree(d); });
    EXPECT_EQ(tree.size(), 81u);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, notice(u"cote-rotie", u"Côte-Rôtie"));
    EXPECT_EQ(messages[1].caption, u"Meldung");
    EXPECT_NE(messages[1].text.find(u"(81 Treffer)"), std::u16string::npos);
}

} // namespace
