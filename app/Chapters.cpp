// Chapter procedures by template.
#include "app/Chapters.h"

#include "app/Singletons.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"

namespace app {

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

ui::DialogProc chapterProcedure(int templateId)
{
    switch (templateId) {
    default:
        return placeholderChapterProc;
    }
}

} // namespace app
