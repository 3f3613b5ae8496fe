// The grape varieties chapter, dialog 128.
#include "chapters/GrapeVarieties.h"

#include "services/PlaceholderDialog.h"

namespace GrapeVarieties {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    return placeholderChapterProc(dialog, event);
}
} // namespace
