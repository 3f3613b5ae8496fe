// What a screen reader hears: every control of the main menu has a name,
// pictures and row areas are named after their chapter, and fields after
// the label beside them.
#include "platform/ui/Dialog.h"
#include "resources/dialogs/MainMenuIds.h"
#include "resources/dialogs/SearchFormIds.h"

#include <QAccessible>

#include <gtest/gtest.h>

#include <map>

namespace {

// The accessible name of every control of a template, by id.
std::map<int, QString> spokenNames(int templateId)
{
    std::map<int, QString> names;
    ui::setDialogHook([&](ui::Dialog& d) {
        for (const auto& control : d.controls()) {
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(control->widget());
            names[control->id()] = a ? a->text(QAccessible::Name) : QString();
        }
        ui::endDialog(d, 1);
    });
    ui::dialogBox(templateId, nullptr, ui::defaultDialogProc);
    ui::setDialogHook({});
    return names;
}

TEST(Accessibility, EveryMainMenuControlIsNamedAndEachRowAfterItsChapter)
{
    using namespace ids::mainMenu;
    const auto names = spokenNames(kTemplate);
    ASSERT_EQ(names.size(), 16u);
    for (const auto& [id, name] : names)
        EXPECT_FALSE(name.trimmed().isEmpty()) << "control " << id << " has no name";

    const QString search = QStringLiteral("Weine von A - Z");
    const QString temperature = QStringLiteral("Die richtige Temperatur");
    const std::map<int, QString> expected = {
        {kTitle, QStringLiteral("VINARIA Weinführer")},
        {kSearchPicture, search}, {kSearchLabel, search}, {kSearchRow, search},
        {kVarietiesPicture, QStringLiteral("Rebsorten")}, {kVarietiesRow, QStringLiteral("Rebsorten")},
        {kTemperaturePicture, temperature}, {kTemperatureRow, temperature},
        {kBookmarksPicture, QStringLiteral("Lesezeichen")}, {kBookmarksRow, QStringLiteral("Lesezeichen")},
        {kRatgeberLink, QStringLiteral("Ratgeber")}, {kImprintLink, QStringLiteral("Impressum")},
        {kHelpLink, QStringLiteral("Hilfe")},
    };
    for (const auto& [id, name] : expected)
        EXPECT_EQ(names.at(id), name) << "control " << id;
}

TEST(Accessibility, FieldsAreNamedAfterTheLabelBesideThem)
{
    using namespace ids::search;
    const auto names = spokenNames(kTemplate);
    // A hidden label ("Volltext:") above the keyword field does not name it.
    EXPECT_EQ(names.at(kKeywordEdit), QStringLiteral("Suchbegriff:"));
    // A drop-down's rectangle reaches down over its list; the label level
    // with its top wins.
    EXPECT_EQ(names.at(kCountryCombo), QStringLiteral("Land:"));
    EXPECT_EQ(names.at(kRegionCombo), QStringLiteral("Region:"));
    EXPECT_EQ(names.at(kQualityScroll), QStringLiteral("Qualität:"));
    // A check box without text: the label just to its right.
    EXPECT_EQ(names.at(kVeryGoodCheck), QStringLiteral("bes.gut"));
    EXPECT_EQ(names.at(kRedCheck), QStringLiteral("Rot"));
    EXPECT_EQ(names.at(kStartButton), QStringLiteral("Suche starten"));
}

} // namespace
