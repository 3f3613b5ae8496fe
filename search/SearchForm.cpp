// The search form: country and region lists from the guide, colour, taste
// and quality choices in three coloured areas, and the search itself, which
// runs under the progress animation and opens the results over the form.
#include "search/SearchForm.h"

#include "search/QueryBuilder.h"
#include "search/SearchAnimation.h"
#include "search/SearchFormState.h"
#include "results/ResultsDialog.h"
#include "resources/SearchFormTexts.h"
#include "resources/dialogs/ResultsIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "services/Singletons.h"
#include "db/Sql.h"
#include "platform/shell/Shell.h"
#include "platform/text/Utf16.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/ListOrder.h"


#include <array>

namespace SearchForm {

namespace {

using namespace ids::search;

constexpr std::size_t kChosenCountryLimit = 99;
constexpr std::size_t kLookupCapacity = 200;
constexpr std::int16_t kCountryCodeLimit = 150;
constexpr int kLowestLevel = 0;
constexpr int kHighestLevel = 4;
// A chosen entry shorter than this is the blank one: all regions.
constexpr std::size_t kCountryTextMinimum = 2;
constexpr std::u16string_view kBlankEntry = u" ";

constexpr int kLabelFontControls[] = {kQualityLabel, kKeywordLabel, kCountryLabel, kRegionLabel, kFullTextLabel, kStartButton};

// The three coloured areas: the frame drawn behind them, their colour, and
// the statics and check boxes painted on it.
struct Area {
    int frame;
    ui::Colour colour;
    std::array<int, 8> controls;
    std::unique_ptr<ui::Brush> SearchFormState::*brush;
};

constexpr Area kAreas[] = {
    {kColourFrame,  ui::rgb(216, 224, 224), {kRedCheck, kRoseCheck, kWhiteCheck, kBrownCheck, kRedLabel, kRoseLabel, kWhiteLabel, kBrownLabel}, &SearchFormState::colourBrush},
    {kTasteFrame,   ui::rgb(255, 224, 192), {kDryCheck, kSweetCheck, kMediumCheck, kSparklingCheck, kDryLabel, kMediumLabel, kSweetLabel, kSparklingLabel}, &SearchFormState::tasteBrush},
    {kQualityFrame, ui::rgb(247, 251, 192), {kQualityLabel, kQualityText, kVeryGoodCheck, kVeryGoodLabel, 0, 0, 0, 0}, &SearchFormState::qualityBrush},
};

SearchFormState& state()
{
    return *g_searchFormState;
}

ui::Dialog& form()
{
    return *state().dialog;
}

const Area* areaOfControl(int id)
{
    for (const Area& area : kAreas)
        for (int member : area.controls)
            if (member != 0 && member == id)
                return &area;
    return nullptr;
}

const Area* areaOfFrame(int id)
{
    for (const Area& area : kAreas)
        if (area.frame == id)
            return &area;
    return nullptr;
}

void showQualityLevel(int level)
{
    form().scrollBar(kQualityScroll).setPosition(level);
    form().staticControl(kQualityText).setText(texts::search::kQualityLabels[level]);
    state().qualityLevel = static_cast<std::int16_t>(level);
}

void createDrawingObjects(ui::Dialog& dialog)
{
    SearchFormState& s = state();
    s.titleFont = ui::createFont(20, 700, u"Tahoma");
    dialog.control(kTitle).setFont(s.titleFont.get(), true);
    s.labelFont = ui::createFont(13, 700, u"Tahoma");
    for (int id : kLabelFontControls)
        dialog.control(id).setFont(s.labelFont.get(), true);
    for (const Area& area : kAreas)
        s.*area.brush = ui::createSolidBrush(area.colour);
}

void releaseDrawingObjects()
{
    SearchFormState& s = state();
    s.titleFont.reset();
    s.labelFont.reset();
    for (const Area& area : kAreas)
        (s.*area.brush).reset();
}

// The guide orders its countries by name in code-point order, which puts
// Österreich after Zypern; the list shows them in German order.
void fillCountryCombo(ui::Dialog& dialog)
{
    ui::ComboBox& countries = dialog.comboBox(kCountryCombo);
    countries.resetContent();
    countries.addString(kBlankEntry);
    g_wineDatabase->setText(sql::kCountryNames);
    ui::ListOrderedStrings names;
    g_wineDatabase->fillComboBox(names);
    for (const std::u16string& name : names.entries())
        countries.addString(name);
    countries.setCurrentIndex(-1);
}

void initialise(ui::Dialog& dialog)
{
    shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
    state().qualityLevel = 0;
    createDrawingObjects(dialog);
    g_shellServices->setInputPanel(false, true);
    dialog.scrollBar(kQualityScroll).setRange(kLowestLevel, kHighestLevel);
    showQualityLevel(kLowestLevel);
    fillCountryCombo(dialog);
    refillRegionCombo(true);
}

// The results dialog runs the search while it initialises. It stays hidden
// meanwhile, as a dialog does until it has initialised, so the form with its
// animation is what the screen shows during the search.
std::intptr_t resultsOverForm(ui::Dialog& results, const ui::Event& event)
{
    if (event.kind != ui::EventKind::Initialise)
        return resultsDialogProc(results, event);
    results.setShown(false);
    const std::intptr_t answer = resultsDialogProc(results, event);
    if (!results.ended())
        results.setShown(true);
    return answer;
}

void startSearch(ui::Dialog& dialog)
{
    startSearchAnimation();
    state().searched = readSearchCriteria();
    buildSearchStatement(state().searched, *g_wineDatabase);
    ui::dialogBox(ids::results::kTemplate, &dialog, resultsOverForm, 0);
    stopSearchAnimation();
}

void countryChanged()
{
    g_wineDatabase->cancelFill = true;
    const std::u16string chosen = form().comboBox(kCountryCombo).currentText();
    refillRegionCombo(chosen.size() < kCountryTextMinimum);
}

void command(ui::Dialog& dialog, const ui::Event& event)
{
    if (event.controlId == kCountryCombo && event.code == ui::kSelectionChanged)
        countryChanged();
    switch (event.controlId) {
    case ui::kIdOk:
        ui::endDialog(dialog, 1);
        return;
    case kStartButton:
        startSearch(dialog);
        return;
    default:
        g_shellServices->setInputPanel(event.controlId == kKeywordEdit, true);
        return;
    }
}

// The new level a scroll event asks for, or -1 for none.
int requestedLevel(const ui::Event& event)
{
    const int level = state().qualityLevel;
    switch (event.code) {
    case ui::kLineRight:
        return level + 1;
    case ui::kLineLeft:
        return level - 1;
    case ui::kEndScroll:
        return -1;
    default:
        return event.position;
    }
}

void qualityScrolled(const ui::Event& event)
{
    if (event.controlId != kQualityScroll)
        return;
    const int level = requestedLevel(event);
    if (level < kLowestLevel || level > kHighestLevel)
        return;
    showQualityLevel(level);
}

std::intptr_t colourRequest(const ui::Event& event)
{
    const Area* area = areaOfControl(event.controlId);
    if (!area || !event.dc)
        return 0;
    event.dc->setBackgroundMode(ui::BackgroundMode::Opaque);
    event.dc->setBackgroundColour(area->colour);
    return ui::brushResult((state().*area->brush).get());
}

std::intptr_t drawFrame(const ui::Event& event)
{
    const Area* area = areaOfFrame(event.controlId);
    if (!area || !event.dc)
        return 0;
    const ui::Pen black{ui::Pen::Style::Solid, 1, ui::rgb(0, 0, 0)};
    event.dc->selectPen(black);
    event.dc->selectBrush((state().*area->brush).get());
    event.dc->setBackgroundMode(ui::BackgroundMode::Opaque);
    event.dc->rectangle(event.rect);
    event.dc->selectBrush(nullptr);
    event.dc->selectPen(ui::Pen{});
    return 1;
}

void destroy()
{
    // The animation's thread draws into this window: it ends first.
    stopSearchAnimation();
    joinSearchAnimation();
    g_shellServices->setInputPanel(false, true);
    releaseDrawingObjects();
    state().animationSurface.reset();
    state().dialog = nullptr;
}

} // namespace

void refillRegionCombo(bool allRegions)
{
    ui::Dialog& dialog = form();
    const std::u16string country =
        dialog.comboBox(kCountryCombo).currentText().substr(0, kChosenCountryLimit);
    if (allRegions) {
        g_wineDatabase->setText(sql::kAllRegions);
    } else {
        char16_t lookup[kLookupCapacity + 1] = {};
        text::format(lookup, sizeof lookup / sizeof lookup[0], sql::kCountryCodeForForm,
                     {ShellServices::doubleApostrophes(country)});
        g_wineDatabase->setText(lookup);
        char16_t code[kCountryCodeLimit + 1] = {};
        g_wineDatabase->queryValue(code, kCountryCodeLimit);
        char16_t regions[kLookupCapacity + 1] = {};
        text::format(regions, sizeof regions / sizeof regions[0], sql::kRegionsOfCountry,
                     {ShellServices::doubleApostrophes(code)});
        g_wineDatabase->setText(regions);
    }
    ui::ComboBox& list = dialog.comboBox(kRegionCombo);
    list.resetContent();
    list.addString(kBlankEntry);
    g_wineDatabase->fillComboBox(list);
    list.setCurrentIndex(-1);
}

SearchCriteria readSearchCriteria()
{
    ui::Dialog& dialog = form();
    SearchCriteria c;
    c.countryName = dialog.comboBox(kCountryCombo).currentText().substr(0, SearchCriteria::kCountryNameLimit);
    c.regionText = dialog.comboBox(kRegionCombo).currentText().substr(0, SearchCriteria::kRegionTextLimit);
    c.term = dialog.edit(kKeywordEdit).text().substr(0, SearchCriteria::kTermLimit);
    c.fullText = dialog.checkBox(kFullTextCheck).isChecked();
    c.red = dialog.checkBox(kRedCheck).isChecked();
    c.rose = dialog.checkBox(kRoseCheck).isChecked();
    c.white = dialog.checkBox(kWhiteCheck).isChecked();
    c.brown = dialog.checkBox(kBrownCheck).isChecked();
    c.dry = dialog.checkBox(kDryCheck).isChecked();
    c.sweet = dialog.checkBox(kSweetCheck).isChecked();
    c.medium = dialog.checkBox(kMediumCheck).isChecked();
    c.sparkling = dialog.checkBox(kSparklingCheck).isChecked();
    c.qualityLevel = state().qualityLevel;
    c.especiallyGood = dialog.checkBox(kVeryGoodCheck).isChecked();
    return c;
}

std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    if (!g_searchFormState)
        return 0;
    state().dialog = &dialog;
    switch (event.kind) {
    case ui::EventKind::Initialise:
        initialise(dialog);
        return 0;
    case ui::EventKind::Command:
        command(dialog, event);
        return 0;
    case ui::EventKind::HorizontalScroll:
        qualityScrolled(event);
        return 0;
    case ui::EventKind::ColourRequest:
        return colourRequest(event);
    case ui::EventKind::DrawItem:
        return drawFrame(event);
    case ui::EventKind::Size:
    case ui::EventKind::Paint:
    case ui::EventKind::SettingChange:
        requestInputPanel();
        return 0;
    case ui::EventKind::Destroy:
        destroy();
        return 0;
    default:
        return 0;
    }
}

} // namespace SearchForm
