// Queries that differ only in a trailing id share one prepared statement;
// each run must still see its own id, and nothing else may be rewritten.
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

using testing_support::GuideTest;
using testing_support::RecordingList;

namespace {

class StatementReuse : public GuideTest {
protected:
    std::u16string value(std::u16string_view sql)
    {
        char16_t out[101] = u"-";
        query(sql);
        EXPECT_TRUE(db.queryValue(out, 100));
        return out;
    }
};

TEST_F(StatementReuse, EachEntryIsReadWithItsOwnIdWhateverWasReadBefore)
{
    EXPECT_EQ(value(u"select STICHWORT from vinaria where ID = 1"), u"Pomerol");
    EXPECT_EQ(value(u"select STICHWORT from vinaria where ID = 2"), u"Ürziger Würzgarten");
    EXPECT_EQ(value(u"select STICHWORT from vinaria where ID = 1 "), u"Pomerol");
    EXPECT_EQ(value(u"select STICHWORT from vinaria where ID = 999"), u"-"); // no row: default kept
    EXPECT_EQ(value(u"select STICHWORT from vinaria where ID = 3"), u"Corton");
    // Reopening a connection drops the kept statements with the old one.
    ASSERT_TRUE(db.open());
    EXPECT_EQ(value(u"select REGIO_LANG from vinaria where ID = 2"), u"Mosel");
}

TEST_F(StatementReuse, BookmarksWrittenBetweenReadsAreSeen)
{
    EXPECT_EQ(value(u"select id_vinaria from Lesezeichen where id_vinaria = 4"), u"-");
    EXPECT_EQ(db.execute(u"INSERT INTO Lesezeichen (id_vinaria, Beschreibung, Notiz) VALUES ('4','a','b')"), 0);
    EXPECT_EQ(value(u"select id_vinaria from Lesezeichen where id_vinaria = 4"), u"4");
    EXPECT_EQ(db.execute(u"DELETE FROM Lesezeichen WHERE id_vinaria = 4"), 0);
    EXPECT_EQ(value(u"select id_vinaria from Lesezeichen where id_vinaria = 4"), u"-");
}

TEST_F(StatementReuse, OtherTrailingNumbersAndRefusedStatementsKeepTheirOwnMeaning)
{
    // A negative number, a comparison other than '=' and a text literal stay as written.
    EXPECT_EQ(value(u"select count(*) from vinaria where ID > -1"), u"6");
    EXPECT_EQ(value(u"select count(*) from vinaria where ID >= 2"), u"5");
    EXPECT_EQ(value(u"select count(*) from vinaria where Land = 'FRA' and 1 = 1"), u"4");
    // A statement the engine refuses is refused the same way every time.
    for (int i = 0; i < 2; ++i) {
        query(u"select nosuchcolumn from vinaria where ID = 1");
        char16_t out[10] = u"-";
        EXPECT_FALSE(db.queryValue(out, 9));
    }
    // A second statement behind the number is still refused.
    query(u"select ID from vinaria where ID = 1; select 2");
    char16_t out[10] = u"-";
    EXPECT_FALSE(db.queryValue(out, 9));
}

} // namespace
