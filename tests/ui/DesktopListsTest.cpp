// Lists as a desktop user meets them: drop-down lists that open below (or
// above) their box inside the 240 x 320 screen with the template's height in
// whole rows and answer keys and the wheel; German alphabetical order in the sorted
// variety lists and in the country list; list boxes of whole rows, or of the
// template's exact height where it says so; rows tall enough for capital
// umlauts, wide names cut at their end in drop-down lists and wrapped in list
// boxes, type-to-find the German way, and the wheel left to the box with the
// focus.
#include "chapters/GrapeVarieties.h"
#include "chapters/HelpMenu.h"
#include "chapters/TemperatureChart.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/ListOrder.h"
#include "platform/ui/ListRows.h"
#include "platform/ui/Screen.h"
#include "resources/dialogs/GrapeVarietiesIds.h"
#include "resources/dialogs/HelpIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "resources/dialogs/TemperatureChartIds.h"
#include "search/SearchForm.h"
#include "tests/ui/ChapterTestSupport.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QCollator>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QScrollBar>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace {

using testing_support::utf8;

std::vector<std::u16string> entries(ui::ComboBox& box, int from = 0)
{
    std::vector<std::u16string> all;
    for (int i = from; i < box.count(); ++i)
        all.push_back(box.itemText(i));
    return all;
}

// The order a maintained collator gives for German, case not separating words.
std::vector<std::u16string> germanOrder(std::vector<std::u16string> names)
{
    QCollator collator(QLocale(QLocale::German, QLocale::Germany));
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(), [&](const std::u16string& a, const std::u16string& b) {
        return collator.compare(ui::toQString(a), ui::toQString(b)) < 0;
    });
    return names;
}

std::ptrdiff_t positionOf(const std::vector<std::u16string>& list, std::u16string_view name)
{
    return std::find(list.begin(), list.end(), name) - list.begin();
}

struct ChapterOf {
    int templateId;
    ui::DialogProc procedure;
    std::vector<int> combos;
};

const ChapterOf kChaptersWithDropDowns[] = {
    {ids::search::kTemplate, SearchForm::dialogProc, {ids::search::kCountryCombo, ids::search::kRegionCombo}},
    {ids::varieties::kTemplate, GrapeVarieties::dialogProc, {ids::varieties::kRedCombo, ids::varieties::kWhiteCombo}},
    {ids::temperature::kTemplate, TemperatureChart::dialogProc, {ids::temperature::kWineTypeCombo}},
};

// The chapters on the guide that ships with the program.
class DesktopListsTest : public chapter_testing::ChapterTest {
protected:
    void SetUp() override
    {
        ChapterTest::SetUp();
        const std::string folder = testing_support::freshFolder();
        testing_support::buildDatabase(testing_support::sourceDir() + "/data/guide", folder);
        testing_support::placeProgramIn(folder);
        ASSERT_TRUE(g_wineDatabase->open());
    }

    static QRect screenOnDesktop()
    {
        QWidget* window = ui::Screen::instance().window();
        return QRect(window->mapToGlobal(QPoint(0, 0)), QSize(ui::Screen::kWidth, ui::Screen::kHeight));
    }

    // The dropped list's window, opened with entry chosen first.
    static QRect droppedWith(ui::ComboBox& box, int chosen)
    {
        box.setCurrentIndex(chosen);
        box.showDropDown();
        QWidget* list = box.droppedList();
        const QRect at = list ? list->geometry() : QRect();
        box.hideDropDown();
        return at;
    }
};

TEST_F(DesktopListsTest, CountriesAreInGermanOrderWithOesterreichBetweenNeuseelandAndPortugal)
{
    open(ids::search::kTemplate, SearchForm::dialogProc, [&](ui::Dialog& d) {
        ui::ComboBox& countries = d.comboBox(ids::search::kCountryCombo);
        ASSERT_GT(countries.count(), 20);
        EXPECT_EQ(countries.itemText(0), u" ") << "the blank entry, all countries, stays first";
        const std::vector<std::u16string> shown = entries(countries, 1);
        EXPECT_EQ(shown, germanOrder(shown));
        const auto oesterreich = positionOf(shown, u"\u00d6sterreich");
        EXPECT_EQ(positionOf(shown, u"Neuseeland") + 1, oesterreich);
        EXPECT_EQ(positionOf(shown, u"Portugal"), oesterreich + 1);
        EXPECT_EQ(shown.back(), u"Zypern");
        // Choosing Österreich still lists its regions.
        countries.setCurrentIndex(countries.findExact(u"\u00d6sterreich"));
        d.sendCommand(ids::search::kCountryCombo, ui::kSelectionChanged);
        EXPECT_GT(d.comboBox(ids::search::kRegionCombo).count(), 1);
    });
}

TEST_F(DesktopListsTest, VarietyListsAreInGermanOrder)
{
    open(ids::varieties::kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        for (int id : {ids::varieties::kRedCombo, ids::varieties::kWhiteCombo}) {
            const std::vector<std::u16string> shown = entries(d.comboBox(id));
            ASSERT_GT(shown.size(), 5u);
            EXPECT_EQ(shown, germanOrder(shown)) << id;
        }
        const std::vector<std::u16string> white = entries(d.comboBox(ids::varieties::kWhiteCombo));
        EXPECT_LT(positionOf(white, u"M\u00fcller-Thurgau"), positionOf(white, u"Muskateller"));
    });
}

TEST(ListOrder, UmlautsSortAsTheirBaseLettersAndCaseDoesNotSeparateWords)
{
    const std::optional<ui::DialogTemplate> tmpl = ui::parseTemplate(R"({"id": 903, "rect": [0, 0, 150, 150],
      "controls": [{"id": 1, "kind": "combobox", "rect": [4, 4, 100, 60], "style": ["sorted"]},
                   {"id": 2, "kind": "listbox", "rect": [4, 70, 100, 60], "style": ["sorted"]}]})");
    ui::Dialog dialog(*tmpl, nullptr, [](ui::Dialog&, const ui::Event&) -> std::intptr_t { return 0; }, 0);
    const std::vector<std::u16string> names = {u"Zweigelt", u"\u00c4pfel", u"azur", u"Abend", u"\u00dcberlingen",
                                               u"Ungarn", u"usa", u"Stra\u00dfe", u"Strom", u"\u00f6de", u"Ortenau"};
    for (const auto& name : names) {
        dialog.comboBox(1).addString(name);
        dialog.listBox(2).addString(name);
    }
    const std::vector<std::u16string> expected = {u"Abend", u"\u00c4pfel", u"azur", u"\u00f6de", u"Ortenau",
                                                  u"Stra\u00dfe", u"Strom", u"\u00dcberlingen", u"Ungarn", u"usa",
                                                  u"Zweigelt"};
    EXPECT_EQ(entries(dialog.comboBox(1)), expected);
    EXPECT_EQ(germanOrder(names), expected) << "the collator agrees";
    for (int i = 0; i < dialog.listBox(2).count(); ++i)
        EXPECT_EQ(dialog.listBox(2).itemText(i), expected[static_cast<std::size_t>(i)]);
}

TEST(DropDownPlacement, BelowWhenThereIsRoomElseAboveElseTheLargerSideAndNeverOutside)
{
    const ui::Rect screen{100, 50, 240, 320};
    // Room below.
    EXPECT_EQ(ui::dropDownRect({185, 110, 145, 21}, 86, screen), (ui::Rect{185, 131, 145, 86}));
    // None below: above, as tall as asked.
    EXPECT_EQ(ui::dropDownRect({230, 298, 103, 21}, 52, screen), (ui::Rect{230, 246, 103, 52}));
    // Not enough on either side: the larger side, clamped to the screen.
    EXPECT_EQ(ui::dropDownRect({100, 230, 100, 20}, 400, screen), (ui::Rect{100, 50, 100, 180}));
    EXPECT_EQ(ui::dropDownRect({100, 150, 100, 20}, 400, screen), (ui::Rect{100, 170, 100, 200}));
    // A box reaching past the right edge drops its list inside.
    EXPECT_EQ(ui::dropDownRect({300, 60, 80, 20}, 40, screen).x, 260);
}

TEST_F(DesktopListsTest, EveryDropDownOpensInsideTheScreenWithItsTemplateHeightWhateverIsChosen)
{
    for (const ChapterOf& chapter : kChaptersWithDropDowns) {
        open(chapter.templateId, chapter.procedure, [&](ui::Dialog& d) {
            const QRect screen = screenOnDesktop();
            for (int id : chapter.combos) {
                ui::ComboBox& box = d.comboBox(id);
                ASSERT_GT(box.count(), 2) << id;
                const QRect first = droppedWith(box, 0);
                const QRect last = droppedWith(box, box.count() - 1);
                EXPECT_EQ(first, last) << id << ": the list drops in one place, not centred on the choice";
                EXPECT_TRUE(screen.contains(first)) << id;
                const QRect field(box.widget()->mapToGlobal(QPoint(0, 0)), box.widget()->size());
                EXPECT_TRUE(first.top() == field.bottom() + 1 || first.bottom() + 1 == field.top()) << id;
                const int templateHeight = d.baseUnits().toPixelsY(d.dialogTemplate().control(id)->rect.height);
                const int room = first.top() > field.top() ? screen.bottom() - field.bottom() : field.top() - screen.top();
                const int asked = std::min(templateHeight - field.height(), room);
                // As tall as asked, less what does not make a whole row.
                box.showDropDown();
                QAbstractItemView* view = static_cast<QComboBox*>(box.widget())->view();
                const int row = view->sizeHintForRow(0);
                const int chrome = box.droppedList()->height() - view->viewport()->height();
                box.hideDropDown();
                EXPECT_LE(first.height(), asked) << id;
                EXPECT_GT(first.height() + row, asked) << id;
                EXPECT_EQ((first.height() - chrome) % row, 0) << id;
                EXPECT_EQ(first.width(), field.width()) << id;
            }
        });
    }
}

TEST_F(DesktopListsTest, AnOpenListTakesWheelArrowsTypedLettersAndEsc)
{
    open(ids::search::kTemplate, SearchForm::dialogProc, [&](ui::Dialog& d) {
        ui::ComboBox& countries = d.comboBox(ids::search::kCountryCombo);
        auto* box = static_cast<QComboBox*>(countries.widget());
        countries.showDropDown();
        ASSERT_TRUE(countries.droppedList());
        QAbstractItemView* view = box->view();
        auto keyToList = [&](int key, const QString& text = {}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
            QApplication::sendEvent(view, &press);
        };
        keyToList(Qt::Key_P, QStringLiteral("P"));
        EXPECT_EQ(view->currentIndex().data().toString(), QStringLiteral("Portugal"));
        keyToList(Qt::Key_Up);
        EXPECT_EQ(view->currentIndex().data().toString(), QString::fromUtf16(u"\u00d6sterreich"));
        const int before = view->verticalScrollBar()->value();
        view->scrollToTop();
        QWheelEvent wheel(QPointF(5, 5), view->viewport()->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(view->viewport(), &wheel);
        EXPECT_GT(view->verticalScrollBar()->value(), 0) << "was " << before;
        keyToList(Qt::Key_Escape);
        EXPECT_FALSE(countries.droppedList());
        EXPECT_EQ(countries.currentIndex(), -1) << "Esc leaves the choice as it was";
    });
}

TEST_F(DesktopListsTest, AListOfThousandsOfRegionsOpensInsideTheScreen)
{
    open(ids::search::kTemplate, SearchForm::dialogProc, [&](ui::Dialog& d) {
        ui::ComboBox& regions = d.comboBox(ids::search::kRegionCombo);
        regions.resetContent();
        for (int i = 0; i < 5000; ++i)
            regions.addString(u"Region " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) + u" " +
                              std::u16string(500, u'x'));
        regions.setCurrentIndex(4321);
        regions.showDropDown();
        QWidget* list = regions.droppedList();
        ASSERT_TRUE(list);
        EXPECT_TRUE(screenOnDesktop().contains(list->geometry()));
        EXPECT_EQ(list->width(), regions.widget()->width());
        regions.hideDropDown();
    });
}

// Every list box of every template: whole rows, and exactly the template's
// height where the template says the list has no integral height.
TEST(ListBoxes, HaveTheTemplateHeightWithNoIntegralHeightAndWholeRowsOtherwise)
{
    int exact = 0, integral = 0;
    for (int id : ui::templateIds()) {
        const std::optional<ui::DialogTemplate> tmpl = ui::loadTemplate(id);
        ui::Dialog dialog(*tmpl, nullptr, [](ui::Dialog&, const ui::Event&) -> std::intptr_t { return 0; }, 0);
        for (const ui::ControlTemplate& c : tmpl->controls) {
            if (c.kind != ui::ControlKind::ListBox)
                continue;
            auto* list = static_cast<QListWidget*>(dialog.control(c.id).widget());
            list->addItem(QStringLiteral("Zeile"));
            const int templateHeight = dialog.baseUnits().toPixelsY(c.rect.height);
            const int frame = list->frameWidth();
            if (c.has(ui::style::kNoIntegralHeight)) {
                ++exact;
                EXPECT_EQ(list->height(), templateHeight) << "template " << id << " list " << c.id;
            } else {
                ++integral;
                EXPECT_LE(list->height(), templateHeight);
                EXPECT_EQ((list->height() - 2 * frame) % list->sizeHintForRow(0), 0) << "template " << id;
                EXPECT_GT(list->height() + list->sizeHintForRow(0), templateHeight) << "template " << id;
            }
        }
    }
    EXPECT_EQ(exact, 1);
    EXPECT_EQ(integral, 2);
}

} // namespace

namespace {

// Where the ink of the tallest letters lies in a row of rowHeight pixels
// drawn in font, centred as the rows centre their text: inside the row?
bool tallLettersFit(const QFont& font, int rowHeight)
{
    const QFontMetrics metrics(font);
    const QRect ink = metrics.boundingRect(QString::fromUtf16(u"\u00c4\u00d6\u00dc\u00c9gjp"));
    const int baseline = (rowHeight - metrics.height()) / 2 + metrics.ascent();
    return baseline + ink.top() >= 0 && baseline + ink.bottom() < rowHeight && ink.height() <= rowHeight;
}

void expectFullHeightRows(QAbstractItemView* view, const QString& what)
{
    ASSERT_GT(view->model()->rowCount(), 0) << what.toStdString();
    const QModelIndex first = view->model()->index(0, 0);
    for (const double zoom : {1.0, 2.0, 2.5}) {
        QStyleOptionViewItem option;
        option.initFrom(view);
        option.font = view->font();
        option.font.setPixelSize(static_cast<int>(QFontInfo(view->font()).pixelSize() * zoom));
        option.fontMetrics = QFontMetrics(option.font);
        const int row = view->itemDelegate()->sizeHint(option, first).height();
        EXPECT_TRUE(tallLettersFit(option.font, row)) << what.toStdString() << " at zoom " << zoom << ": row " << row;
    }
}

} // namespace

// Capital umlauts reach above the faces' own line height: no row cuts their dots.
TEST_F(DesktopListsTest, EveryListRowHoldsCapitalUmlautsWhole)
{
    open(ids::search::kTemplate, SearchForm::dialogProc, [&](ui::Dialog& d) {
        auto* box = static_cast<QComboBox*>(d.comboBox(ids::search::kCountryCombo).widget());
        box->showPopup();
        expectFullHeightRows(box->view(), QStringLiteral("countries"));
        const int oesterreich = box->findText(QString::fromUtf16(u"\u00d6sterreich"));
        box->view()->scrollTo(box->model()->index(oesterreich, 0));
        EXPECT_TRUE(tallLettersFit(box->view()->font(), box->view()->visualRect(box->model()->index(oesterreich, 0)).height()));
        box->hidePopup();
    });
    open(ids::varieties::kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        expectFullHeightRows(static_cast<QListWidget*>(d.control(ids::varieties::kIntroList).widget()),
                             QStringLiteral("introduction"));
    });
}

// A clock that moves only when the test says, for every list's type-to-find.
class FakeTypingClock {
public:
    FakeTypingClock() { ui::setTypingClock([this] { return now_; }); }
    ~FakeTypingClock() { ui::setTypingClock({}); }
    void pause() { now_ += QApplication::keyboardInputInterval() + 1; }

private:
    std::int64_t now_ = 0;
};

void typeInto(QWidget* target, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

TEST_F(DesktopListsTest, ATypedLetterFindsTheNextEntryTheGermanWay)
{
    FakeTypingClock clock;
    open(ids::search::kTemplate, SearchForm::dialogProc, [&](ui::Dialog& d) {
        ui::ComboBox& countries = d.comboBox(ids::search::kCountryCombo);
        auto* box = static_cast<QComboBox*>(countries.widget());
        const auto rowOf = [&](std::u16string_view name) { return countries.findExact(name); };
        auto type = [&](QWidget* target, const QString& text) {
            clock.pause();
            typeInto(target, text);
        };
        // The open list: a small o and a capital Ö both find Österreich.
        countries.showDropDown();
        QAbstractItemView* view = box->view();
        type(view, QStringLiteral("o"));
        EXPECT_EQ(view->currentIndex().row(), rowOf(u"\u00d6sterreich"));
        type(view, QStringLiteral("n"));
        EXPECT_EQ(view->currentIndex().row(), rowOf(u"Neuseeland"));
        type(view, QString::fromUtf16(u"\u00d6"));
        EXPECT_EQ(view->currentIndex().row(), rowOf(u"\u00d6sterreich"));
        type(view, QStringLiteral("p"));
        EXPECT_EQ(view->currentIndex().row(), rowOf(u"Portugal"));
        countries.hideDropDown();

        // The closed box with the focus chooses the entry and says so.
        countries.setCurrentIndex(rowOf(u"Neuseeland"));
        d.sendCommand(ids::search::kCountryCombo, ui::kSelectionChanged);
        const std::vector<std::u16string> before = entries(d.comboBox(ids::search::kRegionCombo));
        type(box, QString::fromUtf16(u"\u00f6"));
        EXPECT_EQ(countries.currentIndex(), rowOf(u"\u00d6sterreich"));
        EXPECT_NE(entries(d.comboBox(ids::search::kRegionCombo)), before) << "its regions are listed";
    });
}

// Letters typed quickly add up: "Grü" lands on Grüner Veltliner, not on the
// entries of its single letters, in the open list, the closed box and a list box.
TEST_F(DesktopListsTest, LettersTypedQuicklyFindTheEntryTheyBegin)
{
    FakeTypingClock clock;
    const QString gruener = QString::fromUtf16(u"Gr\u00fcner Veltliner");
    auto typeQuickly = [&](QWidget* target, const QString& letters) {
        clock.pause();
        for (const QChar letter : letters)
            typeInto(target, QString(letter));
    };
    open(ids::varieties::kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        ui::ComboBox& white = d.comboBox(ids::varieties::kWhiteCombo);
        auto* box = static_cast<QComboBox*>(white.widget());
        white.showDropDown();
        typeQuickly(box->view(), QString::fromUtf16(u"Gr\u00fc"));
        EXPECT_EQ(box->view()->currentIndex().data().toString(), gruener);
        white.hideDropDown();

        white.setCurrentIndex(-1);
        typeQuickly(box, QStringLiteral("gru"));
        EXPECT_EQ(ui::toQString(white.currentText()), gruener);
        // The same letter again and again steps through the entries with it.
        typeQuickly(box, QStringLiteral("rrr"));
        EXPECT_TRUE(white.currentText().starts_with(u"R"));
        EXPECT_NE(white.currentIndex(), white.findExact(u"Rieslaner")) << "the third R-entry, not the first";
    });
    const std::optional<ui::DialogTemplate> tmpl = ui::parseTemplate(R"({"id": 904, "rect": [0, 0, 150, 150],
      "controls": [{"id": 1, "kind": "listbox", "rect": [4, 4, 100, 60], "style": ["sorted"]}]})");
    ui::Dialog dialog(*tmpl, nullptr, [](ui::Dialog&, const ui::Event&) -> std::intptr_t { return 0; }, 0);
    for (const char16_t* name : {u"Grauburgunder", u"Gr\u00fcner Veltliner", u"Rieslaner", u"Riesling", u"\u00dcberlingen"})
        dialog.listBox(1).addString(name);
    typeQuickly(dialog.control(1).widget(), QString::fromUtf16(u"Gr\u00fc"));
    EXPECT_EQ(dialog.listBox(1).currentIndex(), 1);
    typeQuickly(dialog.control(1).widget(), QStringLiteral("ri"));
    EXPECT_EQ(dialog.listBox(1).currentIndex(), 2);
}

TEST(ListOrder, TypedTextFindsTheEntryItBeginsWithoutCaseAndAccents)
{
    const std::vector<std::u16string> rows = {u"Gew\u00fcrztraminer", u"Grauburgunder", u"Grenache", u"Gr\u00fcner Veltliner",
                                              u"Oman", u"\u00d6sterreich", u"Rieslaner", u"Riesling"};
    const int n = static_cast<int>(rows.size());
    const auto at = [&](int i) { return ui::toQString(rows[static_cast<std::size_t>(i)]); };
    const auto find = [&](int current, std::u16string_view typed) {
        return ui::entryForTypedText(n, at, current, ui::toQString(typed));
    };
    // One letter: the next entry after the current one with it, wrapping.
    EXPECT_EQ(find(-1, u"o"), 4);
    EXPECT_EQ(find(4, u"O"), 5);
    EXPECT_EQ(find(5, u"\u00f6"), 4);
    EXPECT_EQ(find(7, u"g"), 0);
    // The same letter again and again steps on.
    EXPECT_EQ(find(1, u"gg"), 2);
    EXPECT_EQ(find(3, u"GgG"), 0);
    // A prefix: umlauts with or without their dots or as ue.
    for (const std::u16string_view typed : {u"gr\u00fc", u"gru", u"GRUE", u"gr\u00fcner v"})
        EXPECT_EQ(find(0, typed), 3) << ui::toQString(typed).toStdString();
    EXPECT_EQ(find(1, u"gr"), 1) << "the current entry still begins so";
    EXPECT_EQ(find(7, u"riesl"), 7);
    EXPECT_EQ(find(7, u"riesla"), 6);
    // Nothing begins so, or nothing to look for.
    EXPECT_EQ(find(0, u"grx"), -1);
    EXPECT_EQ(find(0, u"x"), -1);
    EXPECT_EQ(find(0, u""), -1);
    EXPECT_EQ(find(0, u"-"), -1);
    EXPECT_EQ(ui::entryForTypedText(0, at, -1, QStringLiteral("o")), -1);
}

TEST(ListOrder, LettersAddUpWhileTheyComeQuickly)
{
    std::int64_t now = 1000;
    ui::TypeToFind typing([&] { return now; });
    const int interval = QApplication::keyboardInputInterval();
    EXPECT_EQ(typing.add(QStringLiteral("G")), QStringLiteral("G"));
    now += interval - 1;
    EXPECT_EQ(typing.add(QStringLiteral("r")), QStringLiteral("Gr"));
    now += 10;
    EXPECT_EQ(typing.add(QString::fromUtf16(u"\u00fc")), QString::fromUtf16(u"Gr\u00fc"));
    now += interval;
    EXPECT_EQ(typing.add(QStringLiteral("R")), QStringLiteral("R")) << "a pause starts anew";
    now += interval * 2;
    const std::vector<QString> rows = {QStringLiteral("Grauburgunder"), QString::fromUtf16(u"Gr\u00fcner Veltliner"),
                                       QStringLiteral("Rieslaner")};
    const auto at = [&](int i) { return rows[static_cast<std::size_t>(i)]; };
    int current = -1;
    for (const char16_t letter : std::u16string_view(u"Gr\u00fc"))
        current = typing.entryFor(QString(QChar(letter)), 3, at, current);
    EXPECT_EQ(current, 1);
}

// A variety name wider than its list is cut at its end, never in the middle,
// and named whole in its tooltip and to screen readers.
TEST_F(DesktopListsTest, ANameWiderThanItsListIsNamedWholeInItsTooltip)
{
    open(ids::varieties::kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        auto* box = static_cast<QComboBox*>(d.comboBox(ids::varieties::kRedCombo).widget());
        box->showPopup();
        QAbstractItemView* view = box->view();
        int wide = -1;
        for (int i = 0; i < box->count() && wide < 0; ++i)
            if (view->fontMetrics().horizontalAdvance(box->itemText(i)) > view->viewport()->width() * 5 / 4)
                wide = i;
        ASSERT_GE(wide, 0) << "the test needs a name much wider than the list";
        EXPECT_NE(view->textElideMode(), Qt::ElideMiddle);
        auto tooltipAt = [&](int row) {
            view->scrollTo(box->model()->index(row, 0));
            const QRect r = view->visualRect(box->model()->index(row, 0));
            QHelpEvent help(QEvent::ToolTip, r.center(), view->viewport()->mapToGlobal(r.center()));
            QApplication::sendEvent(view->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        EXPECT_EQ(tooltipAt(box->findText(QStringLiteral("Barbera"))), QString()) << "a name that fits has none";
        EXPECT_EQ(tooltipAt(wide), box->itemText(wide));
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(view);
        ASSERT_NE(list, nullptr);
        bool named = false;
        for (int i = 0; i < list->childCount(); ++i)
            named = named || list->child(i)->text(QAccessible::Name) == box->itemText(wide);
        EXPECT_TRUE(named);
        box->hidePopup();
    });
}

// A row wider than its list box wraps at word boundaries onto as many lines
// as it needs, each as tall as a one-line row; rows that fit keep one line;
// a narrower list wraps it again onto more lines.
TEST_F(DesktopListsTest, ARowWiderThanItsListBoxWrapsOntoAsManyLinesAsItNeeds)
{
    const QString longRow = QString::fromUtf16(
        u"erstklassig: erstklassig, anspruchsvoll, teuer, selten und nur aus den besten Lagen");
    open(ids::helpMenu::kTemplate, HelpMenu::dialogProc, [&](ui::Dialog& d) {
        if (d.templateId() != ids::helpPage::kTemplate) {
            d.sendCommand(ids::helpMenu::kSearchHelp);
            return;
        }
        ui::ListBox& rows = d.listBox(ids::helpPage::kRows);
        rows.resetContent();
        for (const QString& row : {QStringLiteral("1. Typ:"), longRow, QStringLiteral("bekannt: bekannt")})
            rows.addString(ui::toU16(row));
        auto* view = static_cast<QListWidget*>(rows.widget());
        const auto rectOf = [&](int row) { return view->visualRect(view->model()->index(row, 0)); };
        const int line = rectOf(0).height();
        ASSERT_GT(line, 0);
        const auto linesOfLongRow = [&] {
            const QRect r = rectOf(1);
            const int room = view->viewport()->width() - ui::rowTextMargin(view);
            const QStringList wrapped = ui::wrappedLines(view->font(), longRow, room);
            EXPECT_EQ(r.height(), line * static_cast<int>(wrapped.size()));
            EXPECT_EQ(wrapped.join(QLatin1Char(' ')), longRow) << "every word, none cut";
            for (const QString& piece : wrapped)
                EXPECT_LE(QFontMetricsF(view->font()).horizontalAdvance(piece), room) << piece.toStdString();
            // The last line is painted in the row's last slot.
            const QImage slot = view->viewport()->grab(QRect(r.x(), r.bottom() + 1 - line, r.width(), line)).toImage();
            int ink = 0;
            for (int y = 0; y < slot.height(); ++y)
                for (int x = 0; x < slot.width(); ++x)
                    ink += qGray(slot.pixel(x, y)) < 128;
            EXPECT_GT(ink, 10);
            EXPECT_EQ(rectOf(2).height(), line) << "the row after it keeps one line";
            EXPECT_EQ(rectOf(2).top(), r.bottom() + 1);
            return static_cast<int>(wrapped.size());
        };
        const int lines = linesOfLongRow();
        EXPECT_GT(lines, 1);
        view->resize(view->width() * 2 / 3, view->height());
        EXPECT_GT(linesOfLongRow(), lines);
        // No tooltip: the row shows whole.
        const QRect r = rectOf(1);
        QHelpEvent help(QEvent::ToolTip, r.center(), view->viewport()->mapToGlobal(r.center()));
        QApplication::sendEvent(view->viewport(), &help);
        EXPECT_FALSE(QToolTip::isVisible());
    });
}

// The wheel over a closed box changes its choice only while it has the focus.
TEST_F(DesktopListsTest, TheWheelOverAClosedBoxWithoutTheFocusChangesNothing)
{
    open(ids::search::kTemplate, SearchForm::dialogProc, [&](ui::Dialog& d) {
        ui::ComboBox& countries = d.comboBox(ids::search::kCountryCombo);
        QWidget* box = countries.widget();
        countries.setCurrentIndex(3);
        auto wheel = [&] {
            QWheelEvent step(QPointF(5, 5), box->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, -120), Qt::NoButton,
                             Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(box, &step);
        };
        box->window()->activateWindow();
        QApplication::processEvents();
        d.control(ids::search::kKeywordEdit).setFocus();
        wheel();
        EXPECT_EQ(countries.currentIndex(), 3);
        EXPECT_FALSE(box->hasFocus()) << "the wheel takes no focus";
        box->setFocus();
        ASSERT_TRUE(box->hasFocus());
        wheel();
        EXPECT_EQ(countries.currentIndex(), 4);
    });
}
