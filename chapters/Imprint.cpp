// The imprint, dialog 132.
#include "chapters/Imprint.h"

#include "services/PlaceholderDialog.h"

namespace Imprint {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    return placeholderChapterProc(dialog, event);
}
} // namespace
