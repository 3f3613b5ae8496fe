// The help menu, dialog 136, and its four pages.
#include "chapters/HelpMenu.h"

#include "services/PlaceholderDialog.h"

namespace HelpMenu {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    return placeholderChapterProc(dialog, event);
}
} // namespace
