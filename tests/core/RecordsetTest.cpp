// Cursor behaviour of the recordset over larger results.
#include "platform/ado/Objects.h"
#include "platform/text/Utf16.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

guide::GuideContent manyWines(int count)
{
    guide::GuideContent c;
    c.countries.push_back({u"FRA", u"Frankreich"});
    c.regions.push_back({u"FRA", u"Bordeaux"});
    for (int i = 1; i <= count; ++i) {
        guide::Wine w;
        w.id = i;
        w.keyword = u"Wein " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
        w.country = u"FRA";
        w.region = u"Bordeaux";
        w.red = true;
        w.text = u"Text";
        c.wines.push_back(w);
    }
    return c;
}

} // namespace

class Cursors : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string path = buildDatabase(manyWines(kRows), freshFolder());
        connection = ado::createConnection(ado::kConnectionProgId);
        ASSERT_TRUE(ado::succeeded(connection->open(text::fromUtf8(path), u"", u"", -1)));
        rs = ado::createRecordset(ado::kRecordsetProgId);
        rs->setActiveConnection(connection);
    }
    bool open(std::u16string_view sql, int cursor)
    {
        return ado::succeeded(rs->open(ado::Variant::fromText(std::u16string(sql)), ado::Variant(), cursor,
                                       ado::kLockReadOnly, ado::kCmdUnspecified));
    }
    int idHere() { return rs->fields()->item(ado::Variant::fromIndex(0))->value().intValue(); }

    static constexpr int kRows = 2500; // more than a static cursor keeps
    std::shared_ptr<ado::Connection> connection;
    std::shared_ptr<ado::Recordset> rs;
};

TEST_F(Cursors, AStaticCursorCountsAllRowsAndStillWalksThemInOrder)
{
    ASSERT_TRUE(open(u"select * from vinaria order by ID", ado::kOpenStatic));
    EXPECT_EQ(rs->recordCount(), kRows);
    rs->moveFirst();
    int expected = 1;
    for (; !rs->eof(); rs->moveNext())
        ASSERT_EQ(idHere(), expected++);
    EXPECT_EQ(expected, kRows + 1);
    EXPECT_EQ(rs->recordCount(), kRows);
}

TEST_F(Cursors, ADynamicCursorWalksWithoutACount)
{
    ASSERT_TRUE(open(u"select ID from vinaria where ID > 2490 order by ID", ado::kOpenDynamic));
    EXPECT_EQ(rs->recordCount(), -1);
    int n = 0;
    for (rs->moveFirst(); !rs->eof(); rs->moveNext())
        ++n;
    EXPECT_EQ(n, 10);
    rs->moveFirst();
    EXPECT_EQ(idHere(), 2491);
}

TEST_F(Cursors, AnEmptyResultIsAtItsEndAtOnce)
{
    ASSERT_TRUE(open(u"select * from vinaria where ID = 0", ado::kOpenStatic));
    EXPECT_TRUE(rs->eof());
    EXPECT_EQ(rs->recordCount(), 0);
    EXPECT_EQ(rs->fields()->item(ado::Variant::fromIndex(0))->value().type(), ado::VarType::Empty);
}

TEST_F(Cursors, AnInjectedComponentFaultIsThrownAndTheNextOpenWorks)
{
    rs->injectFaultOnNextOpen();
    EXPECT_THROW(open(u"select 1", ado::kOpenDynamic), ado::Fault);
    EXPECT_FALSE(rs->isOpen());
    EXPECT_TRUE(open(u"select 1", ado::kOpenDynamic));
}
