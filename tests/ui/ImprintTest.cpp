// The imprint: its heading, the 28 credit rows in their groups, the banner.
#include "chapters/Imprint.h"
#include "chapters/ImprintState.h"
#include "resources/Bitmaps.h"
#include "resources/dialogs/ImprintIds.h"
#include "tests/ui/ChapterTestSupport.h"
#include "tests/ui/UiTestSupport.h"

#include <QListWidget>

namespace {

using namespace ids::imprint;

class ImprintTest : public chapter_testing::ChapterTest {};

TEST_F(ImprintTest, ShowsTheCreditRowsInTheirGroupsAndSelectsNothing)
{
    std::vector<std::u16string> rows;
    const auto result = open(kTemplate, Imprint::dialogProc, [&](ui::Dialog& d) {
        EXPECT_EQ(d.staticControl(kTitle).text(), u"IMPRESSUM");
        EXPECT_TRUE(d.control(kTitle).widget()->font().bold());
        EXPECT_TRUE(d.hasDoneButton());
        ui::ListBox& list = d.listBox(kRows);
        for (int i = 0; i < list.count(); ++i)
            rows.push_back(list.itemText(i));
        const QPoint row = ui_testing::centreOf(d, kRows);
        ui_testing::tapAt(d, row.x(), row.y());
        auto* widget = dynamic_cast<QListWidget*>(list.widget());
        ASSERT_NE(widget, nullptr);
        EXPECT_TRUE(widget->selectedItems().isEmpty());
    });
    EXPECT_EQ(result, 1);
    ASSERT_EQ(rows.size(), 28u);
    for (int row : {5, 11, 16, 20, 23, 26})
        EXPECT_EQ(rows[row - 1], u" ") << row;
    EXPECT_EQ(std::count(rows.begin(), rows.end(), u" "), 6);
    EXPECT_EQ(rows[11], u"Programmierung");
    EXPECT_EQ(rows[16], u"Konzept:");
    EXPECT_EQ(rows[23], u"Programmierung:");
    EXPECT_EQ(rows[26], u"Grafiken:");
    EXPECT_EQ(rows[0], u"Vinaria Weinf\u00fchrer");
    EXPECT_EQ(g_imprintState->titleFont, nullptr);
}

TEST_F(ImprintTest, BannerIsTheProgramsOwnRedAndWhitePicture)
{
    const auto banner = ui::loadBitmap(ids::bitmap::kImprintBanner);
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->width(), 275);
    EXPECT_EQ(banner->height(), 52);
    open(kTemplate, Imprint::dialogProc, [&](ui::Dialog& d) {
        // The picture reaches past the dialog's right edge.
        const ui::Rect r = d.controls().back()->rect();
        EXPECT_GT(r.right(), d.width());
        EXPECT_EQ(r.width, 275);
    });
}

} // namespace
