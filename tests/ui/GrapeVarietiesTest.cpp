// The grape varieties chapter against a small guide: sorted lists, a pick
// showing its description and clearing the other list, and names that hold
// an apostrophe, a wildcard or the beginning of another name.
#include "chapters/GrapeVarieties.h"
#include "platform/shell/Shell.h"
#include "resources/VarietyTexts.h"
#include "resources/dialogs/GrapeVarietiesIds.h"
#include "tests/ui/ChapterTestSupport.h"
#include "tests/ui/UiTestSupport.h"

namespace {

using namespace ids::varieties;
using testing_support::utf8;
using guide::VarietyColour;

class GrapeVarietiesTest : public chapter_testing::ChapterTest {
protected:
    void SetUp() override
    {
        ChapterTest::SetUp();
        guide::GuideContent content;
        // In identifier order; the lists sort them themselves.
        content.varieties = {
            {u"Zweigelt", VarietyColour::Red, u"Aus Klosterneuburg."},
            {u"Cabernet Sauvignon", VarietyColour::Red, u"Cassis und Zedernholz."},
            {u"Cabernet", VarietyColour::Red, u"Nur der Anfang eines Namens."},
            {u"Nero d'Avola", VarietyColour::Red, u"Sizilianisch und dunkel."},
            {u"merlot", VarietyColour::Red, u"Weich und rund."},
            {u"Riesling", VarietyColour::White, u"Rassige S\u00e4ure."},
            {u"Pinot Blanc", VarietyColour::White, u"Der helle Pinot."},
            {u"Gr\u00fcn", VarietyColour::White, u"Eine erfundene Sorte."},
            {u"Pinot*", VarietyColour::White, u"Ein Stern im Namen."},
            {u"Gr?n", VarietyColour::White, u"Ein Fragezeichen im Namen."},
        };
        openGuide(content);
    }

    void pick(ui::Dialog& d, int list, std::u16string_view name)
    {
        const int index = d.comboBox(list).findExact(name);
        ASSERT_GE(index, 0) << utf8(name);
        d.comboBox(list).setCurrentIndex(index);
        d.sendCommand(list, ui::kSelectionChanged);
    }

    static std::vector<std::u16string> entries(ui::ComboBox& box)
    {
        std::vector<std::u16string> out;
        for (int i = 0; i < box.count(); ++i)
            out.push_back(box.itemText(i));
        return out;
    }

    std::u16string description(ui::Dialog& d) { return d.edit(kDescriptionEdit).text(); }
};

TEST_F(GrapeVarietiesTest, OpensWithTheIntroductionAndBothListsSortedAndUnchosen)
{
    const auto result = open(kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        ui::ListBox& intro = d.listBox(kIntroList);
        ASSERT_EQ(intro.count(), 46);
        EXPECT_EQ(intro.itemText(0), u"In den vergangenen zwei Jahrzehnten");
        EXPECT_EQ(intro.itemText(45), u"Sangiovese, Tempranillo");
        EXPECT_EQ(entries(d.comboBox(kRedCombo)),
                  (std::vector<std::u16string>{u"Cabernet", u"Cabernet Sauvignon", u"merlot", u"Nero d'Avola", u"Zweigelt"}));
        EXPECT_EQ(entries(d.comboBox(kWhiteCombo)),
                  (std::vector<std::u16string>{u"Gr?n", u"Gr\u00fcn", u"Pinot Blanc", u"Pinot*", u"Riesling"}));
        EXPECT_EQ(d.comboBox(kRedCombo).currentIndex(), -1);
        EXPECT_EQ(d.comboBox(kWhiteCombo).currentIndex(), -1);
        EXPECT_EQ(description(d), u"");
        EXPECT_TRUE(d.control(kTitle).widget()->font().bold());
        EXPECT_TRUE(d.hasDoneButton());
    });
    EXPECT_EQ(result, 1);
    EXPECT_TRUE(messages.empty());
}

TEST_F(GrapeVarietiesTest, APickShowsItsDescriptionAndClearsTheOtherList)
{
    open(kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        pick(d, kRedCombo, u"Zweigelt");
        EXPECT_EQ(description(d), u"Aus Klosterneuburg.");
        EXPECT_EQ(d.comboBox(kWhiteCombo).currentIndex(), -1);

        pick(d, kWhiteCombo, u"Riesling");
        EXPECT_EQ(description(d), u"Rassige S\u00e4ure.");
        EXPECT_EQ(d.comboBox(kRedCombo).currentIndex(), -1);
        EXPECT_EQ(d.comboBox(kWhiteCombo).currentText(), u"Riesling");

        // The engine's LIKE ignores case, as the list's order does.
        pick(d, kRedCombo, u"merlot");
        EXPECT_EQ(description(d), u"Weich und rund.");
        EXPECT_EQ(d.comboBox(kWhiteCombo).currentIndex(), -1);
    });
}

TEST_F(GrapeVarietiesTest, ANameThatBeginsAnotherShowsTheFirstRowOfItsPrefix)
{
    open(kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        pick(d, kRedCombo, u"Cabernet");
        EXPECT_EQ(description(d), u"Cassis und Zedernholz.");
        pick(d, kRedCombo, u"Cabernet Sauvignon");
        EXPECT_EQ(description(d), u"Cassis und Zedernholz.");
    });
}

TEST_F(GrapeVarietiesTest, ApostrophesAndWildcardsInANameFindItsOwnDescription)
{
    open(kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        pick(d, kRedCombo, u"Nero d'Avola");
        EXPECT_EQ(description(d), u"Sizilianisch und dunkel.");
        pick(d, kWhiteCombo, u"Pinot*");
        EXPECT_EQ(description(d), u"Ein Stern im Namen.");
        pick(d, kWhiteCombo, u"Gr?n");
        EXPECT_EQ(description(d), u"Ein Fragezeichen im Namen.");
        pick(d, kWhiteCombo, u"Gr\u00fcn");
        EXPECT_EQ(description(d), u"Eine erfundene Sorte.");
    });
    EXPECT_TRUE(messages.empty());
    // Ordinary names keep the prefix statement as it always was.
    EXPECT_EQ(GrapeVarieties::descriptionStatement(u"Riesling"),
              u"SELECT [Text] from Rebsorten WHERE [Rebsorte] LIKE 'Riesling*' ");
    EXPECT_EQ(GrapeVarieties::descriptionStatement(u"Nero d'Avola"),
              u"SELECT [Text] from Rebsorten WHERE [Rebsorte] LIKE 'Nero d''Avola*' ");
}

TEST_F(GrapeVarietiesTest, TypedTextIsDiscardedAndTheInputPanelStaysDown)
{
    open(kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        pick(d, kRedCombo, u"Zweigelt");
        const QPoint field = ui_testing::centreOf(d, kDescriptionEdit);
        ui_testing::tapAt(d, field.x(), field.y());
        d.edit(kDescriptionEdit).setFocus();
        d.sendCommand(kDescriptionEdit, ui::kSetFocus);
        EXPECT_FALSE(shell::isWindowShown(shell::findWindow(shell::kInputPanelClass)));
        d.edit(kDescriptionEdit).setText(u"Meine eigene Notiz");
        pick(d, kWhiteCombo, u"Pinot Blanc");
        EXPECT_EQ(description(d), u"Der helle Pinot.");
    });
    // The next opening starts empty again.
    open(kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) { EXPECT_EQ(description(d), u""); });
}

TEST_F(GrapeVarietiesTest, ALookupThatFindsNothingLeavesTheFieldEmptyAndSaysNothing)
{
    open(kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        pick(d, kRedCombo, u"Zweigelt");
        ASSERT_FALSE(description(d).empty());
        g_wineDatabase->close(); // every statement is refused from here on
        pick(d, kWhiteCombo, u"Riesling");
        EXPECT_EQ(description(d), u"");
    });
    EXPECT_TRUE(messages.empty());
}

} // namespace
