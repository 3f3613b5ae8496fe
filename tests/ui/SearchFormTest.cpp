// The search form: its lists from the guide, the quality scroll bar, the
// coloured areas, the input panel, and what a search leaves behind.
#include "search/SearchForm.h"

#include "app/Singletons.h"
#include "resources/dialogs/ResultsIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "search/SearchAnimation.h"
#include "search/SearchFormState.h"
#include "platform/shell/ProgramPath.h"
#include "platform/shell/Shell.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/GuideFixture.h"
#include "tests/ui/UiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using namespace ids::search;
using testing_support::utf8;

// Regions are listed here out of alphabetical order, so that the guide's
// order and the order by name differ.
guide::GuideContent smallGuide()
{
    guide::GuideContent g;
    g.countries = {{u"FRA", u"Frankreich"}, {u"NZL", u"Neuseeland"}, {u"CIV", u"Côte d'Ivoire"}};
    g.regions = {{u"FRA", u"Bordeaux"}, {u"NZL", u"Marlborough"}, {u"FRA", u"Côte d'Or"},
                 {u"NZL", u"Hawke's Bay"}, {u"FRA", u"Alsace"}, {u"CIV", u"Savanes"}, {u"CIV", u"Lagunes"}};
    g.varieties = {{u"Merlot", guide::VarietyColour::Red, u"Weich."}};
    guide::Wine burgundy;
    burgundy.id = 1;
    burgundy.keyword = u"Chambertin";
    burgundy.country = u"FRA";
    burgundy.region = u"Côte d'Or";
    burgundy.red = true;
    burgundy.dry = true;
    burgundy.quality1 = 3;
    burgundy.quality2 = 6; // found by the "besonders gut" search below
    burgundy.text = u"Kraftvoll.";
    guide::Wine bay = burgundy;
    bay.id = 2;
    bay.keyword = u"Gimblett";
    bay.country = u"NZL";
    bay.region = u"Hawke's Bay";
    g.wines = {burgundy, bay};
    return g;
}

std::vector<std::u16string> entries(ui::ComboBox& box)
{
    std::vector<std::u16string> all;
    for (int i = 0; i < box.count(); ++i)
        all.push_back(box.itemText(i));
    return all;
}

bool panelShown()
{
    return shell::isWindowShown(shell::findWindow(shell::kInputPanelClass));
}

class SearchFormTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string folder = testing_support::freshFolder();
        testing_support::buildDatabase(smallGuide(), folder);
        testing_support::placeProgramIn(folder);
        app::createSingletons();
        g_wineDatabase->allocateTextBuffer();
        ASSERT_TRUE(g_wineDatabase->open());
        shell::installInputPanel();
        ui::setMessageBoxPresenter([this](const ui::MessageBoxRequest& r) {
            messages.push_back(r.text);
            return ui::kIdOk;
        });
    }
    void TearDown() override
    {
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
        shell::setProgramPathForTesting(u"");
        g_wineDatabase->freeTextBuffer();
        app::createSingletons();
    }

    // Opens the form; inForm acts on it, onResults on the results dialog
    // opened over it (closed with Done when it returns).
    void openForm(const std::function<void(ui::Dialog&)>& inForm,
                  const std::function<void(ui::Dialog&)>& onResults = {})
    {
        ui::setDialogHook([&](ui::Dialog& d) {
            if (d.templateId() == kTemplate) {
                inForm(d);
                ui::endDialog(d, 1);
            } else if (d.templateId() == ids::results::kTemplate) {
                statements.emplace_back(g_wineDatabase->textBuffer);
                if (onResults)
                    onResults(d);
                ui::endDialog(d, 1);
            }
        });
        EXPECT_EQ(ui::dialogBox(kTemplate, nullptr, SearchForm::dialogProc), 1);
    }

    void chooseCountry(ui::Dialog& form, std::u16string_view name)
    {
        ui::ComboBox& countries = form.comboBox(kCountryCombo);
        countries.setCurrentIndex(name == u" " ? 0 : countries.findExact(name));
        form.sendCommand(kCountryCombo, ui::kSelectionChanged);
    }

    void scroll(ui::Dialog& form, int code, int position = 0)
    {
        ui::Event e;
        e.kind = ui::EventKind::HorizontalScroll;
        e.controlId = kQualityScroll;
        e.code = code;
        e.position = position;
        form.send(e);
    }

    std::vector<std::u16string> messages;
    std::vector<std::u16string> statements;
};

TEST_F(SearchFormTest, OpensWithCountriesByNameAndAllRegionsInTheGuidesOrder)
{
    openForm([](ui::Dialog& form) {
        ui::ComboBox& countries = form.comboBox(kCountryCombo);
        EXPECT_EQ(entries(countries), (std::vector<std::u16string>{u" ", u"Côte d'Ivoire", u"Frankreich", u"Neuseeland"}));
        EXPECT_EQ(countries.currentIndex(), -1);
        ui::ComboBox& regions = form.comboBox(kRegionCombo);
        EXPECT_EQ(entries(regions), (std::vector<std::u16string>{u" ", u"Bordeaux", u"Marlborough", u"Côte d'Or",
                                                                 u"Hawke's Bay", u"Alsace", u"Savanes", u"Lagunes"}));
        EXPECT_EQ(regions.currentIndex(), -1);
        EXPECT_EQ(form.staticControl(kQualityText).text(), u"egal");
        EXPECT_FALSE(form.control(kAnimation).isVisible());
    });
}

TEST_F(SearchFormTest, RegionListFollowsTheCountryAndNeverKeepsAChoice)
{
    openForm([&](ui::Dialog& form) {
        ui::ComboBox& regions = form.comboBox(kRegionCombo);
        regions.setCurrentIndex(3);
        chooseCountry(form, u"Frankreich");
        EXPECT_EQ(entries(regions), (std::vector<std::u16string>{u" ", u"Alsace", u"Bordeaux", u"Côte d'Or"}));
        EXPECT_EQ(regions.currentIndex(), -1);

        // A name with an apostrophe still finds its country's regions.
        regions.setCurrentIndex(1);
        chooseCountry(form, u"Côte d'Ivoire");
        EXPECT_EQ(entries(regions), (std::vector<std::u16string>{u" ", u"Lagunes", u"Savanes"}));
        EXPECT_EQ(regions.currentIndex(), -1);

        chooseCountry(form, u" ");
        EXPECT_EQ(regions.count(), 8);
        EXPECT_EQ(regions.itemText(1), u"Bordeaux");
        EXPECT_FALSE(g_wineDatabase->cancelFill);
    });
}

TEST_F(SearchFormTest, QualityBarStepsFromEgalToErstklassigAndNoFurther)
{
    std::vector<std::u16string> labels;
    openForm([&](ui::Dialog& form) {
        scroll(form, ui::kLineLeft);
        labels.push_back(form.staticControl(kQualityText).text());
        for (int i = 0; i < 5; ++i) {
            scroll(form, ui::kLineRight);
            labels.push_back(form.staticControl(kQualityText).text());
        }
        EXPECT_EQ(form.scrollBar(kQualityScroll).position(), 4);
        // A dragged thumb brings its position; the end of scrolling changes nothing.
        scroll(form, ui::kThumbPosition, 2);
        scroll(form, ui::kEndScroll, 0);
        labels.push_back(form.staticControl(kQualityText).text());
        scroll(form, ui::kThumbTrack, 7);
        EXPECT_EQ(g_searchFormState->qualityLevel, 2);
        EXPECT_EQ(form.scrollBar(kQualityScroll).position(), 2);
    });
    EXPECT_EQ(labels, (std::vector<std::u16string>{u"egal", u"einfach (*)", u"überdurchschnittlich (**)", u"bekannt (***)",
                                                   u"erstklassig (****)", u"erstklassig (****)",
                                                   u"überdurchschnittlich (**)"}));
}

TEST_F(SearchFormTest, ColouredAreasHaveBlackFramesAndTheirControlsTheirColour)
{
    struct Probe {
        int frame;
        int member;
        QColor colour;
    };
    const Probe probes[] = {
        {kColourFrame, kRedLabel, QColor(216, 224, 224)},
        {kTasteFrame, kDryLabel, QColor(255, 224, 192)},
        {kQualityFrame, kVeryGoodLabel, QColor(247, 251, 192)},
    };
    openForm([&](ui::Dialog& form) {
        for (const Probe& p : probes) {
            SCOPED_TRACE(p.frame);
            const ui::Rect frame = form.control(p.frame).rect();
            EXPECT_EQ(ui_testing::pixelAt(form, frame.x, frame.y + frame.height / 2), QColor(Qt::black));
            EXPECT_EQ(ui_testing::pixelAt(form, frame.right() - 1, frame.y + 2), QColor(Qt::black));
            EXPECT_EQ(ui_testing::pixelAt(form, frame.right() - 3, frame.y + frame.height / 2), p.colour);
            const ui::Rect label = form.control(p.member).rect();
            EXPECT_EQ(ui_testing::pixelAt(form, label.x + 1, label.y + 1), p.colour);
        }
        // Outside the areas the form keeps its white ground.
        const ui::Rect keyword = form.control(kKeywordLabel).rect();
        EXPECT_EQ(ui_testing::pixelAt(form, keyword.x + 1, keyword.y + 1), QColor(Qt::white));
    });
}

TEST_F(SearchFormTest, InputPanelShowsForTheKeywordFieldOnly)
{
    std::vector<bool> shown;
    openForm([&](ui::Dialog& form) {
        shown.push_back(panelShown());
        form.sendCommand(kKeywordEdit, ui::kSetFocus);
        shown.push_back(panelShown());
        form.sendCommand(kRedCheck);
        shown.push_back(panelShown());
        form.sendCommand(kKeywordEdit, ui::kEditChanged);
        shown.push_back(panelShown());
        chooseCountry(form, u"Neuseeland");
        shown.push_back(panelShown());
        EXPECT_TRUE(shell::isWindowShown(shell::findWindow(shell::kInputPanelButtonClass)));
    });
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false, true, false}));
}

TEST_F(SearchFormTest, SearchLeavesTheStatementAndKeepsEveryChoice)
{
    openForm([&](ui::Dialog& form) {
        chooseCountry(form, u"Frankreich");
        form.comboBox(kRegionCombo).setCurrentIndex(3); // Côte d'Or
        form.checkBox(kRedCheck).setChecked(true);
        form.checkBox(kWhiteCheck).setChecked(true);
        form.checkBox(kDryCheck).setChecked(true);
        scroll(form, ui::kLineRight);
        scroll(form, ui::kLineRight);
        form.checkBox(kVeryGoodCheck).setChecked(true);
        form.edit(kKeywordEdit).setText(u"Chamb");
        form.sendCommand(kStartButton);

        EXPECT_EQ(form.comboBox(kCountryCombo).currentText(), u"Frankreich");
        EXPECT_EQ(form.comboBox(kRegionCombo).currentText(), u"Côte d'Or");
        EXPECT_TRUE(form.checkBox(kRedCheck).isChecked());
        EXPECT_FALSE(form.checkBox(kRoseCheck).isChecked());
        EXPECT_TRUE(form.checkBox(kDryCheck).isChecked());
        EXPECT_EQ(form.edit(kKeywordEdit).text(), u"Chamb");
        EXPECT_EQ(form.staticControl(kQualityText).text(), u"überdurchschnittlich (**)");
        EXPECT_FALSE(form.control(kAnimation).isVisible());
        EXPECT_EQ(g_searchFormState->stopRequested.load(), 1);
    }, [](ui::Dialog& results) {
        // The colour boxes can be read through the form while the results are open.
        EXPECT_TRUE(g_searchFormState->dialog->checkBox(kRedCheck).isChecked());
        EXPECT_EQ(results.owner(), g_searchFormState->dialog);
    });
    ASSERT_EQ(statements.size(), 1u);
    EXPECT_EQ(utf8(statements[0]),
              "SELECT * FROM vinaria WHERE ((Land = 'FRA') AND ((Stichwort_Klein LIKE '*chamb*')))  AND ( "
              "(Regio_Lang LIKE '*Côte d''Or*') AND (\n (Rot > 0) OR (Weiss > 0)) AND (\n (Trocken > 0)) AND  "
              "(((Qualitaet1 <= 6) AND (Qualitaet2 >= 6)))) ORDER by STICHWORT");
    EXPECT_TRUE(messages.empty());
}

TEST_F(SearchFormTest, RegionWithAnApostropheFindsItsWines)
{
    openForm([&](ui::Dialog& form) {
        chooseCountry(form, u"Neuseeland");
        form.comboBox(kRegionCombo).setCurrentIndex(1); // Hawke's Bay
        form.sendCommand(kStartButton);
    }, [](ui::Dialog&) {
        std::u16string statement = g_wineDatabase->textBuffer;
        char16_t keyword[101] = u"(none)";
        g_wineDatabase->setText(u"SELECT STICHWORT FROM (" + statement.substr(0, statement.find(u" ORDER")) + u")");
        EXPECT_TRUE(g_wineDatabase->queryValue(keyword, 100)) << utf8(statement);
        EXPECT_EQ(utf8(keyword), "Gimblett");
    });
}

TEST_F(SearchFormTest, SecondOpeningStartsAfreshAndReleasesTheFonts)
{
    openForm([&](ui::Dialog& form) {
        scroll(form, ui::kLineRight);
        chooseCountry(form, u"Neuseeland");
        form.checkBox(kBrownCheck).setChecked(true);
    });
    EXPECT_FALSE(g_searchFormState->titleFont);
    EXPECT_FALSE(g_searchFormState->qualityBrush);
    EXPECT_EQ(g_searchFormState->dialog, nullptr);
    openForm([&](ui::Dialog& form) {
        EXPECT_EQ(g_searchFormState->qualityLevel, 0);
        EXPECT_EQ(form.staticControl(kQualityText).text(), u"egal");
        EXPECT_EQ(form.comboBox(kRegionCombo).count(), 8);
        EXPECT_EQ(form.comboBox(kCountryCombo).currentIndex(), -1);
        EXPECT_FALSE(form.checkBox(kBrownCheck).isChecked());
    });
}

} // namespace
