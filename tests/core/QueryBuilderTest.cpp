// The search statement: exact texts for the known choices, and what they find.
#include "services/ShellServices.h"
#include "results/WineRow.h"
#include "search/QueryBuilder.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

SearchCriteria franceRedWhiteLevel2()
{
    SearchCriteria c;
    c.countryName = u"Frankreich";
    c.red = c.white = true;
    c.regionText = u" ";
    c.qualityLevel = 2;
    return c;
}

std::u16string scrambled(std::u16string text)
{
    ShellServices::scramble(text);
    return text;
}

} // namespace

class SearchStatement : public GuideTest {
protected:
    std::u16string build(const SearchCriteria& c)
    {
        buildSearchStatement(c, db);
        return db.textBuffer;
    }
    // IDs of the rows the statement in the text buffer finds, in its order.
    std::vector<int> run()
    {
        std::vector<int> ids;
        if (!db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly))
            return {-1};
        for (db.recordset()->moveFirst(); !db.recordset()->eof(); db.recordset()->moveNext())
            ids.push_back(db.columnValue(wine_row::kId).intValue());
        db.closeRecordset();
        return ids;
    }
};

TEST_F(SearchStatement, CountryColoursAndQualityLevel)
{
    EXPECT_EQ(utf8(build(franceRedWhiteLevel2())),
              "SELECT * FROM vinaria WHERE ((Land = 'FRA') AND (\n (Rot > 0) OR (Weiss > 0)) AND  (( (((Qualitaet1 = 2) "
              "OR (Qualitaet2 = 2)) OR ((Qualitaet1 = 6) OR (Qualitaet2 = 6)))))) ORDER by STICHWORT");
    EXPECT_EQ(run(), (std::vector<int>{4}));
}

TEST_F(SearchStatement, EspeciallyGoodNarrowsToTheMarkedClass)
{
    SearchCriteria c = franceRedWhiteLevel2();
    c.especiallyGood = true;
    EXPECT_EQ(utf8(build(c)), "SELECT * FROM vinaria WHERE ((Land = 'FRA') AND (\n (Rot > 0) OR (Weiss > 0)) AND  "
                              "(((Qualitaet1 <= 6) AND (Qualitaet2 >= 6)))) ORDER by STICHWORT");
    EXPECT_EQ(run(), (std::vector<int>{4}));
    c.qualityLevel = 0; // "egal": bes.gut alone adds nothing
    EXPECT_EQ(utf8(build(c)), "SELECT * FROM vinaria WHERE ((Land = 'FRA') AND (\n (Rot > 0) OR (Weiss > 0))) ORDER by STICHWORT");
}

TEST_F(SearchStatement, FullTextTermSearchesKeywordScrambledProseAndRegion)
{
    SearchCriteria c;
    c.term = u"Abc";
    c.fullText = true;
    EXPECT_EQ(build(c), u"SELECT * FROM vinaria WHERE (  ((Stichwort_Klein LIKE '*abc*') OR ([Text_Klein] like '*" +
                            scrambled(u"abc") + u"*') OR ([Regio_Lang] like '*abc*')))  ORDER by STICHWORT");
    c.term = u"SCHIEFER";
    build(c);
    EXPECT_EQ(run(), (std::vector<int>{2}));
    c.term = u"côte";
    build(c);
    EXPECT_EQ(run(), (std::vector<int>{3}));
}

TEST_F(SearchStatement, KeywordRegionAndTaste)
{
    SearchCriteria c;
    c.term = u"Abc";
    c.regionText = u"Mosel";
    c.dry = true;
    EXPECT_EQ(utf8(build(c)), "SELECT * FROM vinaria WHERE (  ((Stichwort_Klein LIKE '*abc*')))  AND ( (Regio_Lang LIKE "
                              "'*Mosel*') AND (\n (Trocken > 0))) ORDER by STICHWORT");
    c.term = u"ürz";
    build(c);
    EXPECT_EQ(run(), (std::vector<int>{2}));
}

TEST_F(SearchStatement, CountryAlone)
{
    SearchCriteria c;
    c.countryName = u"Frankreich";
    EXPECT_EQ(utf8(build(c)), "SELECT * FROM vinaria WHERE ((Land = 'FRA')) ORDER by STICHWORT");
    EXPECT_EQ(run(), (std::vector<int>{4, 3, 1, 5})); // by keyword
}

TEST_F(SearchStatement, NothingChosenGivesAStatementTheDatabaseRefuses)
{
    EXPECT_EQ(utf8(build(SearchCriteria{})), "SELECT * FROM vinaria WHERE () ORDER by STICHWORT");
    EXPECT_EQ(run(), std::vector<int>{-1});
}

TEST_F(SearchStatement, ShortCountryAndRegionTextsAddNoCondition)
{
    SearchCriteria c;
    c.countryName = u" ";
    c.regionText = u"ab";
    c.brown = true;
    EXPECT_EQ(utf8(build(c)), "SELECT * FROM vinaria WHERE (  (\n (Braun > 0))) ORDER by STICHWORT");
}

TEST_F(SearchStatement, AllColoursAndAllTastesAreJoinedWithOrInTheirFixedOrder)
{
    SearchCriteria c;
    c.red = c.rose = c.white = c.brown = true;
    c.dry = c.sweet = c.medium = c.sparkling = true;
    EXPECT_EQ(utf8(build(c)), "SELECT * FROM vinaria WHERE (  (\n (Rot > 0) OR (Weiss > 0) OR (Rose > 0) OR (Braun > 0)) "
                              "AND (\n (Trocken > 0) OR (Lieblich > 0) OR (Suess > 0) OR (Schaeumend > 0))) ORDER by STICHWORT");
}

TEST_F(SearchStatement, AnUnknownCountryFindsNothing)
{
    SearchCriteria c;
    c.countryName = u"Atlantis";
    EXPECT_EQ(utf8(build(c)), "SELECT * FROM vinaria WHERE ((Land = '\n')) ORDER by STICHWORT");
    EXPECT_TRUE(run().empty());
}

TEST_F(SearchStatement, ApostrophesInTermRegionAndCountryAreQuotedAndFound)
{
    SearchCriteria c;
    c.term = u"d'Oc";
    EXPECT_EQ(run(), std::vector<int>{-1}); // nothing built yet
    build(c);
    EXPECT_EQ(run(), (std::vector<int>{5}));
    c.term.clear();
    c.regionText = u"Côte d'Or";
    c.red = true;
    build(c);
    EXPECT_EQ(run(), (std::vector<int>{3}));
    c.fullText = true;
    c.term = u"d'aosta";
    c.regionText.clear();
    c.red = false;
    build(c);
    EXPECT_EQ(run(), (std::vector<int>{6}));
}

TEST_F(SearchStatement, QualityLevelMatchesEitherEndWithOrWithoutTheMark)
{
    SearchCriteria c;
    c.countryName = u"Frankreich";
    c.qualityLevel = 3;
    build(c);
    EXPECT_EQ(run(), (std::vector<int>{3, 1})); // Corton 7 = 3 + 4, Pomerol 3-4
    c.especiallyGood = true;
    build(c);
    EXPECT_EQ(run(), (std::vector<int>{3}));
}

TEST_F(SearchStatement, TheLongestInputStaysInsideTheStatement)
{
    SearchCriteria c;
    c.countryName = std::u16string(250, u'\'');
    c.term = std::u16string(200, u'\'');
    c.regionText = std::u16string(200, u'\'');
    c.fullText = c.red = c.rose = c.white = c.brown = c.dry = c.sweet = c.medium = c.sparkling = true;
    c.qualityLevel = 4;
    const std::u16string statement = build(c);
    EXPECT_LT(statement.size(), 2000u);
    EXPECT_TRUE(statement.ends_with(u"ORDER by STICHWORT"));
    EXPECT_TRUE(run().empty()); // well-formed, and nothing is called like that
}
