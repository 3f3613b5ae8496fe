// The stand-in procedure of an unbuilt chapter.
#include "services/PlaceholderDialog.h"

#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"

std::intptr_t placeholderChapterProc(ui::Dialog& dialog, const ui::Event& event)
{
    switch (event.kind) {
    case ui::EventKind::Initialise:
        shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
        return 0;
    case ui::EventKind::Command:
        if (event.controlId == ui::kIdOk)
            ui::endDialog(dialog, 1);
        return 0;
    default:
        return 0;
    }
}
