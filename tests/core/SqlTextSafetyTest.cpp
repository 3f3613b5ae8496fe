// Text composed into SQL is always valid UTF-16, so no lone surrogate can
// swallow the quote that closes a literal, and the data layer refuses any
// statement that is not.
#include "db/Sql.h"
#include "platform/text/Utf16.h"
#include "search/QueryBuilder.h"
#include "services/ShellServices.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// The text with each '@' replaced by the next of units, since lone
// surrogates cannot be written as literals.
std::u16string lone(std::u16string_view pattern, std::initializer_list<char16_t> units)
{
    std::u16string out(pattern);
    auto next = units.begin();
    for (char16_t& u : out)
        if (u == u'@' && next != units.end())
            u = *next++;
    return out;
}

// Ends the literal in the engine when the surrogate swallows the quote.
const std::u16string kSwallowingName = lone(u"@' UNION SELECT group_concat(Notiz) FROM Lesezeichen --", {0xD800});

} // namespace

TEST(SafeText, LoneSurrogatesBecomeReplacementsAndANulEndsTheText)
{
    EXPECT_EQ(text::sanitized(u"Wein \U0001F377 gut"), u"Wein \U0001F377 gut");
    EXPECT_EQ(text::sanitized(lone(u"a@'b@", {0xD800, 0xDC00})), u"a\uFFFD'b\uFFFD");
    EXPECT_EQ(text::sanitized(lone(u"@@", {0xDC00, 0xD800})), u"\uFFFD\uFFFD"); // a pair the wrong way round
    EXPECT_EQ(text::sanitized(std::u16string_view(u"ab\0' OR 1=1", 11)), u"ab");
    EXPECT_EQ(text::format(u"'%s'", {lone(u"@", {0xD83C})}), u"'\uFFFD'");

    char16_t buffer[16] = u"x@'";
    buffer[1] = 0xD800;
    EXPECT_TRUE(ShellServices::doubleApostrophes(buffer, 16));
    EXPECT_EQ(std::u16string_view(buffer), u"x\uFFFD''");
    EXPECT_EQ(ShellServices::doubleApostrophes(lone(u"@'", {0xDBFF})), u"\uFFFD''");
}

TEST(SafeText, TheStrictUtf8CheckNamesTheFirstBadByte)
{
    EXPECT_EQ(text::firstInvalidUtf8("Wein \xED\x9E\xA3 gut \xF0\x9F\x8D\xB7"), std::string_view::npos);
    EXPECT_EQ(text::firstInvalidUtf8("ab\xED\xA0\x80" "c"), 2u);  // an encoded surrogate
    EXPECT_EQ(text::firstInvalidUtf8("\xC0\x80"), 0u);           // overlong NUL
    EXPECT_EQ(text::firstInvalidUtf8("a\xE0\x80\xAF"), 1u);      // overlong slash
    EXPECT_EQ(text::firstInvalidUtf8("\xF4\x90\x80\x80"), 0u);   // past U+10FFFF
    EXPECT_EQ(text::firstInvalidUtf8("abc\xE2\x82"), 3u);        // cut at the end
    EXPECT_EQ(text::firstInvalidUtf8("\xFF"), 0u);
    // The storage form keeps what the strict form may not contain.
    const std::u16string units = lone(u"a@ b@", {0xD843, 0xDC01});
    EXPECT_EQ(text::fromUtf8(text::toStorageUtf8(units)), units);
    EXPECT_EQ(text::fromUtf8(text::toUtf8(units)), u"a\uFFFD b\uFFFD");
}

class SafeStatements : public GuideTest {};

TEST_F(SafeStatements, AVarietyNameWithASwallowingSurrogateReadsNoBookmark)
{
    ASSERT_EQ(db.execute(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','Mein Wein','geheim')"), 0);
    query(text::format(sql::kVarietyDescription, {ShellServices::doubleApostrophes(kSwallowingName)}));
    char16_t out[2001] = u"nichts";
    EXPECT_TRUE(db.queryValue(out, 2000));
    EXPECT_EQ(std::u16string_view(out), u"nichts");

    // The same value as a search region or term is only ever text.
    SearchCriteria c;
    c.regionText = kSwallowingName;
    c.term = kSwallowingName;
    c.fullText = true;
    buildSearchStatement(c, db);
    EXPECT_TRUE(text::isValidUtf16(db.textBuffer));
    ASSERT_TRUE(db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly));
    EXPECT_EQ(db.recordset()->recordCount(), 0);
    db.closeRecordset();
}

TEST_F(SafeStatements, AFullTextSearchWithAnEmojiRunsAndFindsNothing)
{
    SearchCriteria c;
    c.fullText = true;
    c.term = u"wein \U0001F377";
    buildSearchStatement(c, db);
    ASSERT_TRUE(db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly));
    EXPECT_EQ(db.recordset()->recordCount(), 0);
    db.closeRecordset();
    EXPECT_EQ(db.lastFailure().reason, GuideFailure::None);
}

TEST_F(SafeStatements, TheDataLayerRefusesStatementsThatAreNotValidText)
{
    EXPECT_EQ(db.execute(lone(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('1','@','x')", {0xD800}).c_str()), 1);
    std::u16string withNul = u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('2','a','b')";
    withNul += u'\0';
    withNul += u"; DROP TABLE vinaria";
    EXPECT_FALSE(ado::succeeded(db.recordset()->open(ado::Variant::fromText(withNul), ado::Variant(), ado::kOpenDynamic,
                                                     ado::kLockOptimistic, ado::kCmdUnspecified)));
    char16_t out[101] = u"";
    query(u"select count(*) from Lesezeichen");
    ASSERT_TRUE(db.queryValue(out, 100));
    EXPECT_EQ(std::u16string_view(out), u"0");
}
