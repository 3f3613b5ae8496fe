// The shell: the on-screen keyboard, its button, the panel calls, the browser.
#include "services/ShellServices.h"
#include "platform/shell/InputPanel.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"

#include <QAbstractButton>
#include <QApplication>

#include <gtest/gtest.h>

namespace {

shell::InputPanel* panel()
{
    return static_cast<shell::InputPanel*>(shell::findWindow(shell::kInputPanelClass));
}

ui::DialogTemplate editTemplate()
{
    return *ui::parseTemplate(R"({"id": 901, "caption": "Tastatur", "rect": [0, 0, 150, 100],
      "controls": [{"id": 1012, "kind": "edit", "rect": [4, 4, 100, 12], "style": ["border"]},
                   {"id": 1047, "kind": "edit", "rect": [4, 20, 100, 40], "style": ["multiline", "border"]}]})");
}

TEST(InputPanel, TypesWeisswein)
{
    std::vector<int> editCommands;
    ui::setDialogHook([&](ui::Dialog& d) {
        shell::initDialog(d, shell::kDoneButton | shell::kFullScreen);
        d.edit(1012).setFocus();
        for (const char* key : {"Shift", "w", "e", "i", "ß", "w", "e", "i", "n"})
            ASSERT_TRUE(panel()->pressKey(QString::fromUtf8(key))) << key;
        EXPECT_EQ(d.edit(1012).text(), u"Weißwein");
        // Shift held for the first letter only; backspace and space work too.
        panel()->pressKey(QStringLiteral("Back"));
        panel()->pressKey(QStringLiteral("Space"));
        panel()->pressKey(QStringLiteral("ü"));
        EXPECT_EQ(d.edit(1012).text(), u"Weißwei ü");
        // The keys keep the focus where it is: the multi-line field too.
        d.edit(1047).setFocus();
        panel()->pressKey(QStringLiteral("Shift"));
        panel()->pressKey(QStringLiteral("ä"));
        EXPECT_EQ(d.edit(1047).text(), u"Ä");
        ui::endDialog(d, 1);
    });
    ui::dialogBox(editTemplate(), nullptr, [&](ui::Dialog&, const ui::Event& e) -> std::intptr_t {
        if (e.kind == ui::EventKind::Command && e.controlId == 1012 && e.code == ui::kEditChanged)
            editCommands.push_back(e.code);
        return 0;
    });
    ui::setDialogHook({});
    EXPECT_EQ(editCommands.size(), 11u); // typing is seen by the dialog as edits
}

TEST(InputPanel, ButtonTogglesThePanelAndSetInputPanelShowsAndHides)
{
    QWidget* sip = shell::findWindow(shell::kInputPanelClass);
    auto* button = dynamic_cast<QAbstractButton*>(shell::findWindow(shell::kInputPanelButtonClass));
    ASSERT_TRUE(sip && button);
    ShellServices services;
    EXPECT_TRUE(services.setInputPanel(false, true));
    EXPECT_FALSE(shell::isWindowShown(sip));
    EXPECT_TRUE(shell::isWindowShown(button));
    button->click();
    EXPECT_TRUE(shell::isWindowShown(sip));
    button->click();
    EXPECT_FALSE(shell::isWindowShown(sip));
    EXPECT_TRUE(services.setInputPanel(true, false));
    EXPECT_TRUE(shell::isWindowShown(sip));
    EXPECT_FALSE(shell::isWindowShown(button));
    EXPECT_TRUE(services.setInputPanel(false, false));
    EXPECT_FALSE(shell::isWindowShown(sip));
}

TEST(InputPanel, LowerInputPanelFlagHidesIt)
{
    ShellServices services;
    services.setInputPanel(true, true);
    ui::setDialogHook([](ui::Dialog& d) {
        shell::initDialog(d, shell::kLowerInputPanel | shell::kFullScreen);
        EXPECT_FALSE(shell::isWindowShown(panel()));
        EXPECT_FALSE(d.hasDoneButton());
        EXPECT_EQ(d.width(), ui::Screen::kWidth);
        EXPECT_EQ(d.height(), ui::Screen::kHeight - 2 * ui::Screen::kBarHeight);
        ui::endDialog(d, 1);
    });
    ui::dialogBox(editTemplate(), nullptr, ui::defaultDialogProc);
    ui::setDialogHook({});
}

TEST(Browser, StartsDetachedAndReportsAFailedStart)
{
    ShellServices services;
    shell::setBrowserProgramForTesting("/nonexistent/xdg-open");
    EXPECT_FALSE(services.openInBrowser(u"/tmp/ratgeber/0100.htm"));
    shell::setBrowserProgramForTesting("true");
    EXPECT_TRUE(services.openInBrowser(u"/tmp/ratgeber/0100.htm"));
    shell::setBrowserProgramForTesting("");
}

} // namespace
