// The search form, dialog 126.
#include "search/SearchForm.h"

#include "services/PlaceholderDialog.h"

namespace SearchForm {
std::intptr_t dialogProc(ui::Dialog& dialog, const ui::Event& event)
{
    return placeholderChapterProc(dialog, event);
}
} // namespace
