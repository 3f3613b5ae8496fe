// The results dialog, template 109: search hits or the bookmark list.
#include "results/ResultsDialog.h"

#include "services/PlaceholderDialog.h"


std::intptr_t resultsDialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    return placeholderChapterProc(dialog, event);
}

