// The engine's LIKE and the rest of its dialect, through real SQL.
#include "platform/ado/Like.h"
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

#include <cstdint>

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

// The compiled UTF-8 matcher must decide every pattern as the UTF-16 reference
// does, wildcards, case and characters beyond 16 bits included.
TEST(LikePattern, AgreesWithTheReferenceOnMixedTexts)
{
    // Letters with and without case partners, a four-byte character, and the
    // two wildcards; short texts so every overlap and backtrack occurs.
    const std::u16string alphabet[] = {u"a", u"A", u"b", u"ä", u"Ä", u"ß", u"÷", u"×", u"\U0001F347", u"ƅ", u"*", u"?"};
    std::uint64_t state = 12345;
    auto next = [&state](std::size_t n) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::size_t>((state >> 33) % n);
    };
    auto text = [&](bool wildcards, std::size_t maxLength) {
        std::u16string t;
        for (std::size_t n = next(maxLength + 1); n > 0; --n)
            t += alphabet[next(wildcards ? 12 : 10)];
        return t;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::u16string pattern = text(true, 6), value = text(false, 8);
        const ado::LikePattern compiled(text::toUtf8(pattern));
        ASSERT_EQ(compiled.matches(text::toUtf8(value)), likeMatch(pattern, value))
            << testing_support::utf8(pattern) << " on " << testing_support::utf8(value);
    }
}

TEST(LikePattern, FindsCaselessTermsAnywhereInLongTexts)
{
    // Caseless characters of one and two bytes from a small alphabet, so that
    // a term's first and last bytes often agree where the rest does not, in
    // texts long enough to be searched sixteen places at a time.
    const std::u16string alphabet[] = {u"ƅ", u"ǆ", u"ƀ", u"1", u"-"};
    std::uint64_t state = 777;
    auto next = [&state](std::size_t n) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::size_t>((state >> 33) % n);
    };
    auto text = [&](std::size_t minLength, std::size_t maxLength) {
        std::u16string t;
        for (std::size_t n = minLength + next(maxLength - minLength + 1); n > 0; --n)
            t += alphabet[next(std::size(alphabet))];
        return t;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::u16string term = text(1, 6), second = text(1, 3), value = text(0, 60);
        for (const std::u16string& pattern : {u"*" + term + u"*", u"*" + term + u"*" + second + u"*"}) {
            const ado::LikePattern compiled(text::toUtf8(pattern));
            ASSERT_EQ(compiled.matches(text::toUtf8(value)), likeMatch(pattern, value))
                << testing_support::utf8(pattern) << " on " << testing_support::utf8(value);
        }
    }
}

TEST(LikePattern, FindsTermsInScrambledAndCasedProse)
{
    const ado::LikePattern kirsche("*kirsche*");
    EXPECT_TRUE(kirsche.matches("Duft nach KIRSCHE und Pflaume"));
    EXPECT_TRUE(kirsche.matches("kirsche"));
    EXPECT_FALSE(kirsche.matches("Kirsch"));
    const ado::LikePattern umlaut("*würz*");
    EXPECT_TRUE(umlaut.matches("WÜRZGARTEN"));
    EXPECT_FALSE(umlaut.matches("wurz"));
    // Characters without a case partner are found byte for byte.
    const ado::LikePattern scrambled("*ƅǆ*");
    EXPECT_TRUE(scrambled.matches("xƅǆy"));
    EXPECT_FALSE(scrambled.matches("xƅy"));
    EXPECT_TRUE(ado::LikePattern("M?sel").matches("Mösel"));
    EXPECT_FALSE(ado::LikePattern("M?sel").matches("Msel"));
}

TEST_F(Dialect, LikeMatchesValuesOfEveryTypeAndNullMatchesNothing)
{
    RecordingList list;
    query(u"SELECT STICHWORT FROM vinaria WHERE ID LIKE '1' OR Text_Klein LIKE NULL OR NULL LIKE '*'");
    ASSERT_TRUE(db.fillComboBox(list));
    EXPECT_EQ(list.items.size(), 1u);
}
