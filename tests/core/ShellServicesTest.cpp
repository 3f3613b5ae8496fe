// Scrambling, apostrophe doubling and lower-casing, and the proof that the
// scrambling constant keeps every search pattern intact.
#include "services/ShellServices.h"
#include "platform/ado/Like.h"

#include <gtest/gtest.h>

#include <set>

namespace {

// Every lower-case character the guide's texts and search terms use:
// printable ASCII, Latin-1, Latin Extended-A and German typography.
std::set<char16_t> guideAlphabet()
{
    std::u16string all;
    for (char16_t u = 0x20; u < 0x7F; ++u)
        all.push_back(u);
    for (char16_t u = 0xA0; u < 0x180; ++u)
        all.push_back(u);
    all += u"–—‘’‚“”„…€•‹›";
    const std::u16string lower = ShellServices::toLower(all);
    return {lower.begin(), lower.end()};
}

bool forbiddenInPattern(char16_t u)
{
    return std::u16string_view(u"'*?%_[]#\\").find(u) != std::u16string_view::npos || u < 0x20
        || (u >= 0x7F && u <= 0x9F) || (u >= 0xD800 && u <= 0xDFFF) || u == 0xFEFF || u >= 0xFFFE;
}

} // namespace

TEST(Scrambling, UnscrambleUndoesScrambleForEveryUnit)
{
    for (char32_t u = 1; u <= 0xFFFF; ++u) {
        std::u16string text(1, static_cast<char16_t>(u));
        ShellServices::scramble(text);
        if (text[0] == 0)
            continue; // a unit that scrambles to the terminator cannot travel in a zero-terminated text
        ShellServices::unscramble(text);
        ASSERT_EQ(text[0], static_cast<char16_t>(u));
    }
    char16_t text[] = u"ab\x01\x05"; // units below the constant wrap around
    ShellServices::scramble(text);
    ShellServices::unscramble(text);
    EXPECT_EQ(std::u16string_view(text), u"ab\x01\x05");
}

TEST(Scrambling, EmptyAndAbsentTextsStayAsTheyAre)
{
    char16_t empty[1] = {0};
    ShellServices::scramble(empty);
    ShellServices::unscramble(empty);
    ShellServices::unscramble(static_cast<char16_t*>(nullptr));
    EXPECT_TRUE(ShellServices::doubleApostrophes(empty, 1));
    EXPECT_EQ(empty[0], 0);
}

TEST(Scrambling, TheConstantKeepsTheGuideAlphabetSafeInsideLikePatterns)
{
    static_assert(ShellServices::scrambleConstant < 256);
    const std::set<char16_t> alphabet = guideAlphabet();
    ASSERT_GT(alphabet.size(), 200u);
    std::set<char16_t> seen;
    for (char16_t u : alphabet) {
        std::u16string one(1, u);
        ShellServices::scramble(one);
        EXPECT_FALSE(forbiddenInPattern(one[0])) << std::hex << int(u) << " -> " << int(one[0]);
        // No two characters may become ones that LIKE takes for equal.
        EXPECT_TRUE(seen.insert(ado::foldCase(one[0])).second) << std::hex << int(u);
    }
}

TEST(Apostrophes, EachIsDoubledOnceInPlace)
{
    char16_t text[32] = u"O'Neill's";
    ASSERT_TRUE(ShellServices::doubleApostrophes(text, 32));
    EXPECT_EQ(std::u16string_view(text), u"O''Neill''s");
    char16_t quotes[8] = u"''";
    ASSERT_TRUE(ShellServices::doubleApostrophes(quotes, 8));
    EXPECT_EQ(std::u16string_view(quotes), u"''''");
    char16_t plain[8] = u"Mosel";
    ASSERT_TRUE(ShellServices::doubleApostrophes(plain, 8));
    EXPECT_EQ(std::u16string_view(plain), u"Mosel");
}

TEST(Apostrophes, ATextThatWouldNotFitIsLeftUnchanged)
{
    char16_t text[5] = u"d'Or";
    EXPECT_FALSE(ShellServices::doubleApostrophes(text, 5));
    EXPECT_EQ(std::u16string_view(text), u"d'Or");
    EXPECT_EQ(ShellServices::doubleApostrophes(std::u16string_view(u"Côte d'Or")), u"Côte d''Or");
}

TEST(LowerCase, CoversUmlautsAccentsAndEasternLettersButNotSharpS)
{
    EXPECT_EQ(ShellServices::toLower(u"ÜRZIGER Würzgarten"), u"ürziger würzgarten");
    EXPECT_EQ(ShellServices::toLower(u"ÉCHEZEAUX Côte"), u"échezeaux côte");
    EXPECT_EQ(ShellServices::toLower(u"ŐSZ ŠTAJERSKA ŁÓDŹ"), u"ősz štajerska łódź");
    EXPECT_EQ(ShellServices::toLower(u"ß×"), u"ß×");
}
