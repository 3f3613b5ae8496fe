// The on-screen keyboard's layers: punctuation, accented letters and Enter
// typed into the focused field.
#include "platform/shell/InputPanel.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

shell::InputPanel* panel()
{
    return static_cast<shell::InputPanel*>(shell::findWindow(shell::kInputPanelClass));
}

ui::DialogTemplate noteTemplate()
{
    return *ui::parseTemplate(R"({"id": 902, "caption": "Notiz", "rect": [0, 0, 150, 100],
      "controls": [{"id": 1012, "kind": "edit", "rect": [4, 4, 100, 12], "style": ["border"]},
                   {"id": 1047, "kind": "edit", "rect": [4, 20, 100, 40], "style": ["multiline", "border"]}]})");
}

void press(std::initializer_list<const char*> keys)
{
    for (const char* key : keys)
        ASSERT_TRUE(panel()->pressKey(QString::fromUtf8(key))) << key << " is not on the shown layer";
}

// Runs the note dialog with the panel up and the keyboard on its letters.
template <class Body> void withNoteDialog(Body body)
{
    ui::setDialogHook([&](ui::Dialog& d) {
        shell::initDialog(d, shell::kDoneButton | shell::kFullScreen);
        shell::showWindow(panel(), shell::kShow);
        panel()->setLayer(shell::InputPanel::Layer::Letters);
        body(d);
        shell::showWindow(panel(), shell::kHide);
        ui::endDialog(d, 1);
    });
    ui::dialogBox(noteTemplate(), nullptr, ui::defaultDialogProc);
    ui::setDialogHook({});
}

TEST(InputPanelLayers, TypesAnAppellationWithAccentApostropheAndExclamation)
{
    withNoteDialog([](ui::Dialog& d) {
        d.edit(1012).setFocus();
        press({"Shift", "c", "àé", "ô", "abc", "t", "e", "Space", "d", "'", "Shift", "o", "r", "123", "!"});
        EXPECT_EQ(d.edit(1012).text(), u"Côte d'Or!");
        // The layer stays until another layer key is pressed.
        EXPECT_EQ(panel()->layer(), shell::InputPanel::Layer::Symbols);
    });
}

TEST(InputPanelLayers, ShiftGivesAccentedCapitalsForOneLetter)
{
    withNoteDialog([](ui::Dialog& d) {
        d.edit(1012).setFocus();
        press({"àé", "Shift", "é", "è", "Shift", "ç", "ñ"});
        EXPECT_EQ(d.edit(1012).text(), u"ÉèÇñ");
        EXPECT_FALSE(panel()->shifted());
    });
}

TEST(InputPanelLayers, EnterBreaksTheLineOfANote)
{
    withNoteDialog([](ui::Dialog& d) {
        d.edit(1047).setFocus();
        press({"Shift", "r", "o", "s", "àé", "è", "Enter", "123", "?", "Back", "%"});
        EXPECT_EQ(d.edit(1047).text(), u"Rosè\n%");
    });
}

TEST(InputPanelLayers, EveryPunctuationKeyOfTheSymbolLayerTypesItself)
{
    withNoteDialog([](ui::Dialog& d) {
        d.edit(1012).setFocus();
        panel()->setLayer(shell::InputPanel::Layer::Symbols);
        const QString punctuation = QStringLiteral("!?.,;:-'\"()/&@€%");
        for (QChar ch : punctuation)
            ASSERT_TRUE(panel()->pressKey(QString(ch))) << QString(ch).toStdString();
        EXPECT_EQ(d.edit(1012).text(), punctuation.toStdU16String());
    });
}

TEST(InputPanelLayers, EachLayerShowsOnlyItsOwnKeysAndTheBottomRow)
{
    withNoteDialog([](ui::Dialog&) {
        for (auto layer : {shell::InputPanel::Layer::Letters, shell::InputPanel::Layer::Symbols, shell::InputPanel::Layer::Accents}) {
            panel()->setLayer(layer);
            const QStringList labels = panel()->keyLabels();
            EXPECT_EQ(labels.size(), 4 * 12 + 4);
            EXPECT_TRUE(labels.contains(QStringLiteral("Enter")));
            EXPECT_TRUE(labels.contains(QStringLiteral("Space")));
            EXPECT_TRUE(labels.contains(QStringLiteral("Back")));
            // Every key of the layer is on screen, inside the panel.
            for (const auto* key : panel()->findChildren<QWidget*>()) {
                if (labels.contains(key->objectName()) && key->isVisible()) {
                    EXPECT_TRUE(panel()->rect().contains(key->geometry())) << key->objectName().toStdString();
                }
            }
            int shown = 0;
            for (const auto* key : panel()->findChildren<QWidget*>())
                shown += key->isVisible() ? 1 : 0;
            EXPECT_EQ(shown, labels.size());
        }
        // A key of another layer is not pressable from this one.
        panel()->setLayer(shell::InputPanel::Layer::Letters);
        EXPECT_FALSE(panel()->pressKey(QStringLiteral("é")));
        EXPECT_FALSE(panel()->pressKey(QStringLiteral("!")));
    });
}

} // namespace
