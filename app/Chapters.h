// The dialog procedure of each chapter template. A chapter whose procedure
// is not built yet opens with one that only ends on Done.
#pragma once

#include "platform/ui/Event.h"

namespace app {

ui::DialogProc chapterProcedure(int templateId);

// The stand-in procedure: full screen with a Done button, ends with 1 on Done.
std::intptr_t placeholderChapterProc(ui::Dialog& dialog, const ui::Event& event);

} // namespace app
