// Temperature marks and the scroll's geometry as pure functions: tap zones,
// the text of every band and wine type, and where each piece of a frame lands.
#include "chapters/ScrollGeometry.h"
#include "chapters/TemperatureMarks.h"
#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace TemperatureChart;

TEST(TemperatureMarks, TapZonesFollowTheFourteenPixelBands)
{
    struct Zone { int first, last, mark, text; };
    const Zone zones[] = {
        {0, 19, 18, 9},    {20, 33, 17, 8},   {34, 47, 16, 7},   {48, 61, 15, 10},
        {62, 75, 14, 6},   {76, 89, 13, 11},  {90, 103, 12, 12}, {104, 117, 11, 5},
        {118, 131, 10, 13}, {132, 145, 9, 4}, {146, 159, 8, 14}, {160, 173, 7, 3},
        {174, 187, 6, 15}, {188, 201, 5, 15}, {202, 215, 4, 15},
    };
    for (const Zone& z : zones) {
        for (int y : {z.first, z.last}) {
            SCOPED_TRACE(y);
            EXPECT_EQ(markFromY(y), z.mark);
            EXPECT_EQ(textIdForMark(markFromY(y)), z.text);
        }
    }
    // Above the first band the division truncates toward zero: still 18.
    for (int y = 0; y <= 5; ++y)
        EXPECT_EQ(markFromY(y), 18);
    // Below the scale, on the bulb or beyond: the introduction.
    for (int y : {216, 230, 256, 65535}) {
        EXPECT_LE(markFromY(y), 3);
        EXPECT_EQ(textIdForMark(markFromY(y)), kIntroductionText);
    }
    EXPECT_EQ(textIdForMark(19), kIntroductionText);
    EXPECT_EQ(textIdForMark(0), kIntroductionText);
}

TEST(TemperatureMarks, EveryWineTypeLandsInItsOwnBandAndText)
{
    const int expectedText[] = {1, 11, 12, 8, 7, 6, 14, 10, 10, 14, 4, 6, 4, 8, 12, 15, 14, 15, 14, 6, 10};
    ASSERT_EQ(std::size(resources::kWineMarks), std::size(expectedText));
    EXPECT_EQ(resources::kWineMarks[0].name, u"");
    for (std::size_t i = 1; i < std::size(expectedText); ++i) {
        SCOPED_TRACE(i);
        const int mark = resources::kWineMarks[i].mark;
        EXPECT_EQ(markFromY(yForMark(mark)), mark);
        EXPECT_EQ(textIdForMark(mark), expectedText[i]);
    }
    EXPECT_EQ(textIdForMark(markFromY(kNoWineTypeY)), kIntroductionText);
}

TEST(TemperatureMarks, StringTableKeepsItsLineBreaksExactly)
{
    EXPECT_TRUE(resources::loadString(0).empty());
    EXPECT_TRUE(resources::loadString(2).empty());
    EXPECT_TRUE(resources::loadString(16).empty());
    EXPECT_TRUE(resources::loadString(1).starts_with(u"Tippen Sie auf die\n\reinzelnen Bereiche des\n\r"));
    EXPECT_TRUE(resources::loadString(1).ends_with(u"unterhalb ausw\u00e4hlen."));
    EXPECT_EQ(resources::loadString(8), u"16'C-18'C\nBeste Rotweine\nbesonders Bordeaux\n\n16'C-17'C\nRoter Burgunder");
    EXPECT_EQ(resources::loadString(15), u"3'C-7'C\nS\u00fc\u00dfe Wei\u00dfweine,\n Schaumweine");
    EXPECT_EQ(resources::loadString(13),
              u"10'C-11'C\nSherry\n8'C-11'C\nRos\u00e9, Lambrusco\n7'C-10'C\nFino Sherry, Tokaji Asz\u00f9,\n\r"
              u" Trockener Wei\u00dfwein,\n\r Champagner");
    for (int id = 3; id <= 15; ++id)
        EXPECT_NE(resources::loadString(id).find(u"'C"), std::u16string_view::npos) << id;
}

TEST(ScrollGeometry, OffsetsEaseOutToTheFullOpening)
{
    ASSERT_EQ(std::size(kScrollOffsets), 19u);
    const int increments[] = {1, 1, 2, 2, 3, 3, 4, 5, 6, 6, 7, 7, 5, 3, 2, 1, 0, 0};
    for (int step = 0; step < kLastStep; ++step)
        EXPECT_EQ(kScrollOffsets[step + 1] - kScrollOffsets[step], increments[step]) << step;
    // The single-precision bottom of the text equals its integer form.
    for (int t : kScrollOffsets)
        EXPECT_EQ(textBottom(t), 128 + t + static_cast<int>(std::floor(t / 10.0))) << t;
}

TEST(ScrollGeometry, FramesMatchTheGeometryTable)
{
    // step: paper rows, paper y, upper roller y, lower roller y, text y (end <= start: none)
    struct Row { int step, paperRow, paperTop, paperEnd, topRoller, bottomRoller, textTop, textEnd; };
    const Row table[] = {
        {0, 116, 123, 130, 102, 130, 128, 119},
        {3, 108, 119, 134, 98, 134, 124, 123},
        {4, 104, 117, 136, 96, 136, 122, 125},
        {5, 98, 114, 139, 93, 139, 119, 129},
        {9, 62, 96, 157, 75, 157, 101, 148},
        {12, 22, 76, 177, 55, 177, 81, 170},
        {16, 0, 65, 188, 44, 188, 70, 183},
        {18, 0, 65, 188, 44, 188, 70, 183},
    };
    for (const Row& r : table) {
        SCOPED_TRACE(r.step);
        const ScrollFrame f = scrollFrame(r.step);
        // Paper rows run to the picture's last row, 122.
        EXPECT_EQ(f.paperFirstRow, r.paperRow);
        EXPECT_EQ(f.paperFirstRow + f.paper.height, kPaperHeight);
        EXPECT_EQ(f.paper, (ui::Rect{75, r.paperTop, 160, r.paperEnd - r.paperTop}));
        EXPECT_EQ(f.topRoller, (ui::Rect{75, r.topRoller, 160, 23}));
        EXPECT_EQ(f.bottomRoller, (ui::Rect{75, r.bottomRoller, 160, 24}));
        EXPECT_EQ(f.text.x, 90);
        EXPECT_EQ(f.text.right(), 225);
        EXPECT_EQ(f.text.y, r.textTop);
        EXPECT_EQ(f.text.bottom(), r.textEnd);
        EXPECT_EQ(f.eraseAbove, (ui::Rect{75, 74 - f.t, 160, 20}));
        EXPECT_EQ(f.eraseBelow, (ui::Rect{75, 162 + f.t, 160, 10}));
        // The middle of the scroll stays put.
        EXPECT_EQ(f.topRoller.y + f.bottomRoller.bottom(), 256);
    }
}

} // namespace
