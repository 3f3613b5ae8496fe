// The help menu and its pages: each button opens its own page with its
// rows as they stand, and Done leads back one level at a time.
#include "chapters/HelpMenu.h"
#include "platform/ui/Screen.h"
#include "resources/HelpTexts.h"
#include "resources/dialogs/HelpIds.h"
#include "tests/ui/ChapterTestSupport.h"

#include <QListWidget>

namespace {

using testing_support::utf8;

struct Page {
    int button;
    std::u16string_view title;
    int rows;
    std::u16string_view first;
};

const Page kPages[] = {
    {ids::helpMenu::kBookmarksHelp, u"Hilfe zu 'Lesezeichen'", 21, u"Lesezeichen"},
    {ids::helpMenu::kTemperatureHelp, u"Hilfe zu 'Die richtige Temperatur'", 22, u"Die richtige Temperatur"},
    {ids::helpMenu::kVarietiesHelp, u"Hilfe zu 'Rebsorten'", 5, u"Rebsorten"},
    {ids::helpMenu::kSearchHelp, u"Hilfe f\u00fcr 'Weine von A - Z'", 94, u"Weine von A-Z"},
};

struct OpenedPage {
    std::u16string title;
    std::vector<std::u16string> rows;
    std::vector<int> stack;
    bool wraps = true;
    bool elides = true;
};

class HelpPagesTest : public chapter_testing::ChapterTest {
protected:
    // Opens the help menu, presses each button in turn and records the page.
    void readPages(const std::vector<int>& buttons)
    {
        ui::setDialogHook([&](ui::Dialog& d) {
            if (d.templateId() == ids::helpPage::kTemplate) {
                OpenedPage page;
                page.title = d.staticControl(ids::helpPage::kTitle).text();
                ui::ListBox& list = d.listBox(ids::helpPage::kRows);
                for (int i = 0; i < list.count(); ++i)
                    page.rows.push_back(list.itemText(i));
                page.stack = ui::Screen::instance().templateStack();
                if (auto* w = dynamic_cast<QListWidget*>(list.widget())) {
                    page.wraps = w->wordWrap();
                    page.elides = w->textElideMode() != Qt::ElideNone;
                }
                pages.push_back(page);
                ui::Screen::instance().pressDone();
                return;
            }
            for (int button : buttons) {
                d.button(button).click();
                EXPECT_EQ(ui::Screen::instance().top(), &d);
            }
            ui::Screen::instance().pressDone();
        });
        menuResult = ui::dialogBox(ids::helpMenu::kTemplate, nullptr, HelpMenu::dialogProc, 0);
        ui::setDialogHook({});
    }

    std::vector<OpenedPage> pages;
    std::intptr_t menuResult = 0;
};

TEST_F(HelpPagesTest, EachButtonOpensItsOwnPageOverTheMenu)
{
    std::vector<int> buttons;
    for (const Page& p : kPages)
        buttons.push_back(p.button);
    readPages(buttons);
    EXPECT_EQ(menuResult, 1);
    ASSERT_EQ(pages.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) {
        SCOPED_TRACE(utf8(kPages[i].title));
        const OpenedPage& page = pages[i];
        EXPECT_EQ(page.title, kPages[i].title);
        ASSERT_EQ(page.rows.size(), static_cast<std::size_t>(kPages[i].rows));
        EXPECT_EQ(page.rows.front(), kPages[i].first);
        EXPECT_EQ(page.rows.back(), u" ");
        EXPECT_EQ(page.stack, (std::vector<int>{136, 137}));
        EXPECT_FALSE(page.wraps);
        EXPECT_FALSE(page.elides);
    }
    // The varieties page: five rows, the last two blank.
    EXPECT_EQ(pages[2].rows[1], u"In diesem Kapitel erhalten Sie Informationen");
    EXPECT_EQ(pages[2].rows[3], u" ");
}

TEST_F(HelpPagesTest, RowsKeepTheirTrailingSpacesAndPlaces)
{
    readPages({ids::helpMenu::kBookmarksHelp, ids::helpMenu::kTemperatureHelp, ids::helpMenu::kSearchHelp});
    ASSERT_EQ(pages.size(), 3u);
    const auto& bookmarks = pages[0].rows;
    EXPECT_EQ(bookmarks[5], u"Wenn Sie ein Lesezeichen setzen ");
    EXPECT_EQ(bookmarks[7], u"auf die auf den Button NOTIZ/LESEZEICHEN.");
    EXPECT_EQ(bookmarks[8], u"Markieren Sie die Checkbox 'Lesezeichen ");
    EXPECT_EQ(bookmarks[18], u"Button LESEZEICHEN im Hauptmen\u00fc \u00f6ffnen.");

    const auto& temperature = pages[1].rows;
    EXPECT_EQ(temperature[15], u"werden. Tippen Sie auf die ");
    EXPECT_EQ(temperature[18], u"werden die entsprechenden ");
    EXPECT_EQ(temperature[19], u"Weine angezeigt.");
    for (int row = 2; row < 15; ++row)
        EXPECT_LE(temperature[row].size(), 31u) << row;

    const auto& search = pages[2].rows;
    const std::vector<std::pair<int, std::u16string_view>> quoted = {
        {3, u"Angaben in den Suchergebnissen"}, {10, u"1. Typ: "}, {14, u"2. Qualit\u00e4t: "},
        {19, u"einfach: einfache Qualit\u00e4t f\u00fcr jeden Tag"},
        {20, u"\u00fcberdurchschnittlich: \u00fcberdurchschnittlich"}, {21, u"bekannt: bekannt, ber\u00fchmt"},
        {22, u"erstklassig: erstklassig, anspruchsvoll, teuer"}, {30, u"3. Jahrgang:"},
    };
    for (const auto& [row, text] : quoted)
        EXPECT_EQ(search[row - 1], text) << row;
    EXPECT_TRUE(search[30].starts_with(u"a) International: "));
    EXPECT_TRUE(search[55].starts_with(u"b) Deutschland: "));
    EXPECT_TRUE(search[80].starts_with(u"(*) QmP - Qualit\u00e4tswein mit Pr\u00e4dikat"));
    EXPECT_TRUE(search[85].starts_with(u"(**) QbA - Qualit\u00e4tswein bestimmter "));
    const std::vector<int> empty = {2, 4, 9, 13, 18, 23, 40, 55, 61, 75, 80, 85};
    const std::vector<int> space = {29, 93, 94};
    for (int row = 1; row <= 94; ++row) {
        SCOPED_TRACE(row);
        const std::u16string& text = search[row - 1];
        EXPECT_LE(text.size(), 46u);
        if (std::find(empty.begin(), empty.end(), row) != empty.end())
            EXPECT_EQ(text, u"");
        else if (std::find(space.begin(), space.end(), row) != space.end())
            EXPECT_EQ(text, u" ");
        else
            EXPECT_FALSE(text.empty() || text == u" ");
    }
}

TEST_F(HelpPagesTest, OnlyAClickOpensAPageAndEveryOpeningFillsItAnew)
{
    int opened = 0;
    int rowsSeen = 0;
    ui::setDialogHook([&](ui::Dialog& d) {
        if (d.templateId() == ids::helpPage::kTemplate) {
            ++opened;
            rowsSeen = d.listBox(ids::helpPage::kRows).count();
            EXPECT_EQ(d.listBox(ids::helpPage::kRows).topIndex(), 0);
            d.sendCommand(ui::kIdOk, ui::kSelectionChanged); // Done, whatever the code
            return;
        }
        d.sendCommand(ids::helpMenu::kVarietiesHelp, ui::kSelectionChanged);
        d.sendCommand(ids::helpMenu::kTitle);
        EXPECT_EQ(opened, 0);
        d.sendCommand(ids::helpMenu::kVarietiesHelp);
        d.sendCommand(ids::helpMenu::kVarietiesHelp);
        d.sendCommand(ui::kIdOk);
    });
    EXPECT_EQ(ui::dialogBox(ids::helpMenu::kTemplate, nullptr, HelpMenu::dialogProc, 0), 1);
    ui::setDialogHook({});
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(rowsSeen, 5);
    for (HelpDialogState* state : g_helpDialogStates)
        EXPECT_EQ(state->titleFont, nullptr);
}

} // namespace
