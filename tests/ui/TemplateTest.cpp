// Templates as data: every dialog's table, parsing faults, dialog units.
#include "platform/ui/Fonts.h"
#include "platform/ui/Template.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(BaseUnits, Tahoma8IsSixByThirteen)
{
    const ui::BaseUnits units = ui::baseUnits(u"Tahoma", 8);
    EXPECT_EQ(units.x, 6);
    EXPECT_EQ(units.y, 13);
    // One unit is 1.5 x 1.625 pixels.
    EXPECT_EQ(units.toPixelsX(4), 6);
    EXPECT_EQ(units.toPixelsY(8), 13);
    EXPECT_EQ(units.toPixels(ui::Rect{2, 8, 40, 16}), (ui::Rect{3, 13, 60, 26}));
    // The thermometer's rectangle is about its 58 x 225 picture.
    const ui::Rect thermometer = units.toPixels(ui::Rect{6, 6, 39, 138});
    EXPECT_EQ(thermometer.width, 58);
    EXPECT_NEAR(thermometer.height, 225, 1);
}

TEST(BaseUnits, GrowWithTheFontAndSurviveAMissingFace)
{
    const ui::BaseUnits big = ui::baseUnits(u"Tahoma", 16);
    EXPECT_GT(big.x, 10);
    EXPECT_GT(big.y, 22);
    const ui::BaseUnits unknown = ui::baseUnits(u"No Such Face At All", 8);
    EXPECT_GT(unknown.x, 0);
    EXPECT_GT(unknown.y, 0);
}

TEST(Fonts, FacesResolveThroughTheTable)
{
    EXPECT_EQ(ui::resolveFamily(u"BethHand"), QStringLiteral("Dancing Script"));
    EXPECT_EQ(ui::resolveFamily(u"MS Sans Serif"), ui::resolveFamily(u"Tahoma"));
    EXPECT_FALSE(ui::resolveFamily(u"No Such Face").isEmpty());
    // A cell height is ascent plus descent, so the em is smaller.
    EXPECT_LT(ui::makeFont(u"Tahoma", 14, 700).pixelSize(), 14);
    EXPECT_EQ(ui::makeFont(u"Tahoma", -11, 0).pixelSize(), 11);
    EXPECT_TRUE(ui::makeFont(u"Tahoma", 14, 700).bold());
}

struct Expected {
    int id;
    const char16_t* caption;
    int points;
    std::size_t controls;
};

TEST(Templates, AllEightDialogsAreThere)
{
    const Expected expected[] = {
        {102, u"Vinaria - Weinführer", 16, 16}, {109, u"Vinaria - Suchergebnis", 8, 9},
        {126, u"Vinaria Weinsuche", 8, 35},      {128, u"Rebsorten", 8, 7},
        {129, u"Die richtige Temperatur", 8, 8}, {132, u"Impressum", 8, 3},
        {136, u"Vinaria - Hilfe", 8, 5},         {137, u"Vinaria - Hilfe", 8, 2},
    };
    EXPECT_EQ(ui::templateIds(), (std::vector<int>{102, 109, 126, 128, 129, 132, 136, 137}));
    for (const auto& e : expected) {
        SCOPED_TRACE(e.id);
        const auto t = ui::loadTemplate(e.id);
        ASSERT_TRUE(t.has_value());
        EXPECT_EQ(t->caption, e.caption);
        EXPECT_EQ(t->fontPoints, e.points);
        EXPECT_EQ(t->controls.size(), e.controls);
        std::set<int> ids;
        for (const auto& c : t->controls) {
            if (c.id != -1) {
                EXPECT_TRUE(ids.insert(c.id).second) << "duplicate id " << c.id;
            }
        }
    }
    EXPECT_FALSE(ui::loadTemplate(999).has_value());
}

TEST(Templates, MainMenuRowsAreLaidOutAsTheTableSays)
{
    const auto t = ui::loadTemplate(102);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->rect, (ui::Rect{0, 0, 77, 91}));
    const auto* picture = t->control(1005);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->kind, ui::ControlKind::Picture);
    EXPECT_EQ(picture->picture, 108);
    EXPECT_TRUE(picture->has(ui::style::kNotify) && picture->has(ui::style::kBorder));
    EXPECT_EQ(t->control(1009)->text, u"Die richtige Temperatur");
    EXPECT_EQ(t->control(1009)->rect, (ui::Rect{25, 48, 33, 13}));
    EXPECT_EQ(t->control(1050)->kind, ui::ControlKind::OwnerDraw);
    EXPECT_EQ(t->control(1050)->rect, (ui::Rect{0, 61, 75, 17}));
    // Picture and label of a row come before its button: they lie on top.
    auto position = [&](int id) { return t->control(id) - t->controls.data(); };
    EXPECT_LT(position(1005), position(1006));
    EXPECT_LT(position(1007), position(1006));
    EXPECT_LT(position(1053), position(1050));
    EXPECT_LT(position(1010), position(1050));
}

TEST(Templates, TextsKeepTheirSpecialCharacters)
{
    EXPECT_EQ(ui::loadTemplate(129)->control(1080)->text, u"Nach\n\rWeinsorte:");
    EXPECT_EQ(ui::loadTemplate(136)->control(1026)->text, u"Hilfe zu \"Die richtige Temperatur\"");
    EXPECT_EQ(ui::loadTemplate(126)->control(1016)->text, u"Rosè");
    EXPECT_EQ(ui::loadTemplate(132)->control(-1)->picture, 134);
    EXPECT_TRUE(ui::loadTemplate(126)->control(1075)->has(ui::style::kHidden));
    EXPECT_TRUE(ui::loadTemplate(128)->control(1013)->has(ui::style::kSorted));
    EXPECT_FALSE(ui::loadTemplate(126)->control(1013)->has(ui::style::kSorted));
}

TEST(Templates, MalformedDataIsRejectedWithAReason)
{
    std::string error;
    EXPECT_FALSE(ui::parseTemplate("not json", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(ui::parseTemplate(R"({"id": 5, "rect": [0, 0, 10]})", &error));
    EXPECT_FALSE(ui::parseTemplate(R"({"id": 5, "rect": [0, 0, 10, 10],
        "controls": [{"id": 1, "kind": "slider", "rect": [0, 0, 1, 1]}]})", &error));
    EXPECT_NE(error.find("unknown kind"), std::string::npos);
    EXPECT_FALSE(ui::parseTemplate(R"({"id": 5, "rect": [0, 0, 10, 10],
        "controls": [{"id": 1, "kind": "static", "rect": [0, 0, 1, 1], "style": ["sparkly"]}]})", &error));
    EXPECT_FALSE(ui::parseTemplate(R"({"id": 5, "rect": [0, 0, -1, 10]})", &error));
    EXPECT_TRUE(ui::parseTemplate(R"({"id": 5, "rect": [0, 0, 10, 10]})", &error));
}

} // namespace
