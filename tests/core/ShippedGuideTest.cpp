// The guide that ships with the program: built from data/guide with the real
// builder, it holds enough to make every kind of search find something.
#include "services/ShellServices.h"
#include "db/Sql.h"
#include "platform/text/Utf16.h"
#include "search/QueryBuilder.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class ShippedGuide : public ::testing::Test {
protected:
    // Each test builds its own copy: ctest runs the tests side by side.
    void SetUp() override
    {
        const std::string folder = freshFolder();
        buildDatabase(sourceDir() + "/data/guide", folder);
        placeProgramIn(folder);
        db.allocateTextBuffer();
        ASSERT_TRUE(db.open());
    }

    long count(std::u16string_view sql)
    {
        char16_t out[32] = u"-1";
        db.setText(sql);
        EXPECT_TRUE(db.queryValue(out, 31)) << utf8(sql);
        return std::stol(utf8(out));
    }

    long hits(const SearchCriteria& c)
    {
        buildSearchStatement(c, db);
        if (!db.openRecordset(db.textBuffer, ado::kOpenStatic, ado::kLockReadOnly))
            return -1;
        const long n = db.recordset()->recordCount();
        db.closeRecordset();
        return n;
    }

    WineDatabase db;
};

SearchCriteria in(std::u16string country)
{
    SearchCriteria c;
    c.countryName = std::move(country);
    return c;
}

} // namespace

TEST_F(ShippedGuide, HoldsAFullEditionsWorthOfContent)
{
    EXPECT_GE(count(u"select count(*) from Land"), 20);
    EXPECT_GE(count(u"select count(*) from Region"), 150);
    EXPECT_GE(count(u"select count(*) from Rebsorten where Farbe = 1"), 25);
    EXPECT_GE(count(u"select count(*) from Rebsorten where Farbe = 2"), 25);
    EXPECT_GE(count(u"select count(*) from vinaria"), 800);
    EXPECT_EQ(count(u"select count(*) from vinaria v where not exists (select 1 from Region r where r.REGIO_LANG = "
                    u"v.Regio_Lang and r.Land = v.Land)"),
              0);
    EXPECT_GE(count(u"select count(*) from vinaria where Rot + Rose + Weiss + Braun > 1"), 3);
    EXPECT_GE(count(u"select count(*) from vinaria where Rot + Rose + Weiss + Braun = 0"), 1);
    EXPECT_EQ(count(u"select count(*) from vinaria where Stichwort_Klein <> lower(Stichwort_Klein)"), 0);
}

TEST_F(ShippedGuide, FrenchRedWinesAreMoreThanTheResultsListShows)
{
    SearchCriteria c = in(u"Frankreich");
    c.red = true;
    EXPECT_GT(hits(c), 80);
}

TEST_F(ShippedGuide, EveryCountryHasWines)
{
    RecordingList countries;
    db.setText(sql::kCountryNames);
    ASSERT_TRUE(db.fillComboBox(countries));
    ASSERT_GE(countries.items.size(), 20u);
    for (const std::u16string& name : countries.items)
        EXPECT_GT(hits(in(name)), 0) << utf8(name);
}

TEST_F(ShippedGuide, EachColourTasteAndQualityFindsWines)
{
    for (int i = 0; i < 8; ++i) {
        SearchCriteria c;
        bool* flags[] = {&c.red, &c.rose, &c.white, &c.brown, &c.dry, &c.medium, &c.sweet, &c.sparkling};
        *flags[i] = true;
        EXPECT_GT(hits(c), 0) << "box " << i;
    }
    for (std::int16_t level = 1; level <= 4; ++level) {
        SearchCriteria c;
        c.qualityLevel = level;
        EXPECT_GT(hits(c), 0) << "level " << level;
        c.especiallyGood = true;
        EXPECT_GT(hits(c), 0) << "level " << level << " bes.gut";
    }
}

TEST_F(ShippedGuide, KeywordRegionProseAndUmlautSearchesFindWines)
{
    SearchCriteria keyword;
    keyword.term = u"Riesling";
    EXPECT_GT(hits(keyword), 0);
    SearchCriteria region;
    region.regionText = u"Mosel";
    EXPECT_GT(hits(region), 0);
    SearchCriteria umlaut;
    umlaut.term = u"Ürziger";
    EXPECT_GT(hits(umlaut), 0);
    SearchCriteria apostrophe;
    apostrophe.term = u"d'";
    EXPECT_GT(hits(apostrophe), 0);

    // A word of the prose that no keyword or region holds: found only with full text.
    SearchCriteria prose;
    prose.term = u"Schiefer";
    const long keywordOnly = hits(prose);
    prose.fullText = true;
    EXPECT_EQ(keywordOnly, 0);
    EXPECT_GT(hits(prose), 0);
}
