// The engine's LIKE and the rest of its dialect, through real SQL.
#include "platform/ado/Like.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

using ado::likeMatch;
using testing_support::GuideTest;
using testing_support::RecordingList;

TEST(Like, StarMatchesAnyRunAndQuestionMarkExactlyOne)
{
    EXPECT_TRUE(likeMatch(u"*abc*", u"xxabcxx"));
    EXPECT_TRUE(likeMatch(u"*abc*", u"abc"));
    EXPECT_TRUE(likeMatch(u"Riesling*", u"Riesling"));
    EXPECT_FALSE(likeMatch(u"Riesling*", u"Grauer Riesling"));
    EXPECT_TRUE(likeMatch(u"M?sel", u"Mosel"));
    EXPECT_FALSE(likeMatch(u"M?sel", u"Msel"));
    EXPECT_TRUE(likeMatch(u"*a*b*c", u"xaybzc"));
    EXPECT_FALSE(likeMatch(u"*a*b*c", u"xaybz"));
    EXPECT_TRUE(likeMatch(u"", u""));
    EXPECT_FALSE(likeMatch(u"", u"a"));
}

TEST(Like, PercentAndUnderscoreAreOrdinaryCharacters)
{
    EXPECT_FALSE(likeMatch(u"%", u"abc"));
    EXPECT_FALSE(likeMatch(u"a_c", u"abc"));
    EXPECT_TRUE(likeMatch(u"a_c", u"a_c"));
}

TEST(Like, IgnoresCaseOfAsciiAndLatin1Letters)
{
    EXPECT_TRUE(likeMatch(u"*mosel*", u"MOSEL-Saar"));
    EXPECT_TRUE(likeMatch(u"Ä*", u"ärger"));
    EXPECT_TRUE(likeMatch(u"*côte*", u"CÔTE d'Or"));
    EXPECT_FALSE(likeMatch(u"ß", u"ss"));
    EXPECT_FALSE(likeMatch(u"×", u"÷")); // not a letter pair
}

class Dialect : public GuideTest {};

TEST_F(Dialect, LikeInSqlUsesTheEngineWildcards)
{
    RecordingList list;
    query(u"SELECT STICHWORT FROM vinaria WHERE Stichwort_Klein LIKE '*würz*' ORDER BY ID");
    ASSERT_TRUE(db.fillComboBox(list));
    EXPECT_EQ(list.items, std::vector<std::u16string>{u"Ürziger Würzgarten"});
    list.items.clear();
    query(u"SELECT STICHWORT FROM vinaria WHERE STICHWORT LIKE 'ürziger W?RZGARTEN'");
    ASSERT_TRUE(db.fillComboBox(list));
    EXPECT_EQ(list.items.size(), 1u); // ü matches Ü, ? matches ü
    list.items.clear();
    query(u"SELECT STICHWORT FROM vinaria WHERE STICHWORT LIKE 'Pomero%'");
    ASSERT_TRUE(db.fillComboBox(list));
    EXPECT_TRUE(list.items.empty());
}

TEST_F(Dialect, AcceptsBracketsQualifiedNamesAndKeywordsInAnyCase)
{
    RecordingList list;
    query(u"select [Regio_Lang] FROM Region wHeRe Region.LAND = 'DEU' Order By Region.ID_REGION");
    ASSERT_TRUE(db.fillComboBox(list));
    EXPECT_EQ(list.items, (std::vector<std::u16string>{u"Mosel", u"Baden"}));
}

TEST_F(Dialect, StoresAQuotedDecimalIntoAnIntegerColumnAndRefusesOtherText)
{
    EXPECT_EQ(db.execute(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('3','a','b')"), 0);
    char16_t out[20] = u"-";
    query(u"select id_vinaria from Lesezeichen where id_vinaria = 3");
    ASSERT_TRUE(db.queryValue(out, 19));
    EXPECT_EQ(std::u16string_view(out), u"3");
    EXPECT_EQ(db.execute(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('x3','a','b')"), 1);
}
