// Decoding of wine rows into the texts of the tree, "Info" and "Jahrgänge".
#include "db/Sql.h"
#include "platform/shell/DebugOutput.h"
#include "platform/text/Utf16.h"
#include "results/EntryTexts.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

std::u16string years(std::initializer_list<int> codes)
{
    std::u16string s;
    for (int c : codes)
        s.push_back(static_cast<char16_t>(c));
    return s;
}

std::u16string yearList(std::u16string_view column)
{
    char16_t scratch[WineDatabase::kScratchUnits];
    const char16_t* list = formatVintageYears(column, scratch, WineDatabase::kScratchUnits);
    return list ? list : u"<none>";
}

} // namespace

TEST(Quality, NamesEveryCodeAndCallsTheRestUnknown)
{
    EXPECT_EQ(qualityName(5), u"einfach+ besonders gut");
    EXPECT_EQ(qualityName(6), u"überdurchschnittlich+besonders gut");
    EXPECT_EQ(qualityName(9), u"unbekannt");
    EXPECT_EQ(qualityName(-1), u"unbekannt");
    EXPECT_EQ(qualityLine(3, 4), u"bekannt -> erstklassig");
    EXPECT_EQ(qualityLine(6, 6), u"überdurchschnittlich+besonders gut");
    EXPECT_EQ(qualityLine(0, 2), u"überdurchschnittlich");
    EXPECT_EQ(qualityLine(9, 0), u"unbekannt");
    EXPECT_EQ(qualityLine(0, 0), u"");
}

TEST(VintageYears, ListsTwoDigitYearsAndLeavesUnshownCodesEmpty)
{
    EXPECT_EQ(yearList(years({95, 96, 100, 104})), u"95,96,00,04");
    EXPECT_EQ(yearList(years({300, 90})), u",90");
    EXPECT_EQ(yearList(years({300})), u"<none>");
    EXPECT_EQ(yearList(u""), u"<none>");
    std::u16string many(34, static_cast<char16_t>(101));
    EXPECT_EQ(yearList(many).size(), 101u);
}

TEST(InfoText, ComposesQualityTastesAndProse)
{
    WineEntry e;
    e.quality1 = 3;
    e.quality2 = 4;
    e.dry = e.sparkling = true;
    e.text = u"Kräftig.";
    EXPECT_EQ(infoText(e), u"bekannt -> erstklassig \r\n\r\ntrocken schäumend  \r\nKräftig. \r\n");
    e.text.reset();
    EXPECT_EQ(infoText(e), u"bekannt -> erstklassig \r\n\r\ntrocken schäumend  \r\n");
    EXPECT_EQ(infoText(WineEntry{}), u" \r\n");
    WineEntry sweet;
    sweet.medium = sweet.sweet = true;
    sweet.text = u"x";
    EXPECT_EQ(infoText(sweet), u"lieblich süß  \r\nx \r\n");
}

class VintageTexts : public ::testing::Test {
protected:
    WineDatabase db;
};

TEST_F(VintageTexts, LabelsSplitTheirMarkersOntoLinesAndRemarksFollow)
{
    WineEntry e;
    e.vintages[0] = years({95, 96});
    e.vintages[4] = years({89});
    e.drinkSoon = true;
    EXPECT_EQ(vintageText(e, db), u"empfohlener Jahrgang: \r\n95,96\r\ngenussreifer Jahrgang\r\n  +besonders gut "
                                  u"ausgefallen: \r\n89\r\n\r\nBaldiger Verbrauch empfohlen");
    WineEntry last;
    last.vintages[11] = years({107});
    EXPECT_EQ(vintageText(last, db), u"2007 bevorzugt zu genießender Jahrgang\r\n  +besonders gut ausgefallen\r\n  "
                                     u"+vorläufige Bewertung: \r\n07\r\n");
    WineEntry cool;
    cool.vintages[14] = years({100, 103});
    EXPECT_EQ(vintageText(cool, db), u"kühler Jahrgang: \r\n00,03\r\n");
    WineEntry remarks;
    remarks.drinkSoon = remarks.withoutVintage = true;
    EXPECT_EQ(vintageText(remarks, db), u"\r\nBaldiger Verbrauch empfohlen\r\nFlasche ohne Jahresangabe");
}

TEST(TreeLabel, KeywordAndRegion)
{
    EXPECT_EQ(treeLabel(u"Pomerol", u"Bordeaux"), u"Pomerol, Bordeaux");
    EXPECT_EQ(treeLabel(u"Pomerol", std::nullopt), u"Pomerol, ");
    EXPECT_FALSE(treeLabel(std::nullopt, u"Bordeaux"));
}

class ShowEntry : public GuideTest {
protected:
    bool show(int id)
    {
        query(text::format(sql::kEntryRow, {text::format(u"%i", {id})}));
        return showEntryTexts(db, info, vintages);
    }
    TextBox info, vintages;
};

TEST_F(ShowEntry, ReadsTheRowByPositionAndUnscramblesItsProse)
{
    ASSERT_TRUE(show(1));
    EXPECT_EQ(info.value, u"bekannt -> erstklassig \r\n\r\ntrocken  \r\nKräftig. \r\n");
    EXPECT_EQ(vintages.value, u"empfohlener Jahrgang: \r\n95,96\r\ngenussreifer Jahrgang\r\n  +besonders gut "
                              u"ausgefallen: \r\n89\r\n\r\nBaldiger Verbrauch empfohlen");
    ASSERT_TRUE(show(2));
    EXPECT_EQ(vintages.value, u"normaler, guter Jahrgang: \r\n04\r\nklassischer, vollreifer Jahrgang: \r\n05\r\n");
    ASSERT_TRUE(show(3));
    EXPECT_EQ(vintages.value, u"keine Angabe");
}

TEST_F(ShowEntry, NoRowOrARefusedStatementLeavesBothTextsAlone)
{
    info.value = vintages.value = u"vorher";
    EXPECT_TRUE(show(999));
    EXPECT_EQ(info.value, u"vorher");
    query(u"select * from nirgendwo");
    EXPECT_FALSE(showEntryTexts(db, info, vintages));
    EXPECT_EQ(vintages.value, u"vorher");
}

TEST_F(ShowEntry, AComponentFaultIsReportedAndTheConnectionReopened)
{
    std::vector<std::u16string> diagnostics;
    shell::setDebugSink([&](std::u16string_view text) { diagnostics.emplace_back(text); });
    info.value = u"vorher";
    db.recordset()->injectFaultOnNextOpen();
    EXPECT_FALSE(show(1));
    shell::setDebugSink({});
    EXPECT_EQ(diagnostics, std::vector<std::u16string>{u"in filter"});
    EXPECT_EQ(info.value, u"vorher");
    ASSERT_TRUE(show(1)); // later selections work again
    EXPECT_EQ(info.value.substr(0, 7), u"bekannt");
}
