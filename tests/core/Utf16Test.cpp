// Fixed-buffer text composition.
#include "platform/text/Utf16.h"

#include <gtest/gtest.h>

using text::format;

TEST(Utf16, FormatsTextsAndNumbersLikePrintf)
{
    EXPECT_EQ(format(u"%s -> %s", {u"bekannt", u"erstklassig"}), u"bekannt -> erstklassig");
    EXPECT_EQ(format(u"%s%02i", {u"95,", 4}), u"95,04");
    EXPECT_EQ(format(u"%i|%i", {-7, 0}), u"-7|0");
    EXPECT_EQ(format(u"100%% %q", {}), u"100% %q");
}

TEST(Utf16, MissingValuesAreLeftOutInsteadOfReadPastTheList)
{
    EXPECT_EQ(format(u"a%sb%ic", {}), u"abc");
}

TEST(Utf16, FormatIntoABufferMayAppendToItselfAndIsCutAtItsCapacity)
{
    char16_t buffer[8] = u"ab";
    EXPECT_EQ(text::format(buffer, 8, u"%s%s", {std::u16string_view(buffer), u"cd"}), 4u);
    EXPECT_EQ(std::u16string_view(buffer), u"abcd");
    EXPECT_EQ(text::format(buffer, 8, u"%s%s", {std::u16string_view(buffer), u"efghij"}), 7u);
    EXPECT_EQ(std::u16string_view(buffer), u"abcdefg");
}

TEST(Utf16, Utf8RoundTripKeepsUmlautsAndSupplementaryCharacters)
{
    const std::u16string text = u"Weißwein ÄÖÜ € \U0001F377";
    EXPECT_EQ(text::fromUtf8(text::toUtf8(text)), text);
    EXPECT_EQ(text::fromUtf8("\xC3"), u"\uFFFD"); // cut sequence
}
