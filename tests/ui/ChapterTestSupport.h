// Opening a reference chapter in a test: the singletons exist, the guide is
// open on a database the test built, and the test acts inside the dialog
// before it ends.
#pragma once

#include "app/Singletons.h"
#include "platform/shell/ProgramPath.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "tests/support/GuideFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace chapter_testing {

class ChapterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app::createSingletons();
        ui::setMessageBoxPresenter([this](const ui::MessageBoxRequest& r) {
            messages.push_back(r);
            return ui::kIdOk;
        });
    }
    void TearDown() override
    {
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
        g_wineDatabase->close();
        shell::setProgramPathForTesting(u"");
    }

    void openGuide(const guide::GuideContent& content)
    {
        const std::string folder = testing_support::freshFolder();
        testing_support::buildDatabase(content, folder);
        testing_support::placeProgramIn(folder);
        ASSERT_TRUE(g_wineDatabase->open());
    }

    // Runs dialog templateId with procedure; inside acts on it once it has
    // initialised (and on any dialog it opens), then it is ended with Done
    // unless inside ended it. Returns the dialog's result.
    std::intptr_t open(int templateId, ui::DialogProc procedure, const std::function<void(ui::Dialog&)>& inside)
    {
        ui::setDialogHook([&](ui::Dialog& d) {
            inside(d);
            if (!d.ended())
                d.sendCommand(ui::kIdOk);
        });
        const std::intptr_t result = ui::dialogBox(templateId, nullptr, std::move(procedure), 0);
        ui::setDialogHook({});
        return result;
    }

    std::vector<ui::MessageBoxRequest> messages;
};

} // namespace chapter_testing
