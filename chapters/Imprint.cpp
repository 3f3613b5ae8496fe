// The imprint, dialog 132. The credit rows are filled anew at each opening.
#include "chapters/Imprint.h"

#include "chapters/ImprintState.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "resources/ImprintTexts.h"
#include "resources/dialogs/ImprintIds.h"
#include "services/Singletons.h"

namespace Imprint {

namespace {

void initialise(ui::Dialog& dialog, ImprintState& state)
{
    shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
    state.titleFont = ui::createFont(20, 700, u"Tahoma");
    dialog.control(ids::imprint::kTitle).setFont(state.titleFont.get(), true);
    g_shellServices->setInputPanel(false, true);
    ui::ListBox& rows = dialog.listBox(ids::imprint::kRows);
    for (std::u16string_view row : resources::kImprintRows)
        rows.addString(row);
}

} // namespace

std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    if (!g_imprintState)
        return 0;
    ImprintState& state = *g_imprintState;
    state.dialog = &dialog;
    switch (event.kind) {
    case ui::EventKind::Initialise:
        initialise(dialog, state);
        return 0;
    case ui::EventKind::Command:
        if (event.controlId == ui::kIdOk)
            ui::endDialog(dialog, 1);
        else
            requestInputPanel();
        return 0;
    case ui::EventKind::Size:
    case ui::EventKind::Paint:
    case ui::EventKind::SettingChange:
        requestInputPanel();
        return 0;
    case ui::EventKind::Destroy:
        state.titleFont.reset();
        state.dialog = nullptr;
        return 0;
    default:
        return 0;
    }
}

} // namespace Imprint
