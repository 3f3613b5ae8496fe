// The dialog procedure of each chapter template.
#pragma once

#include "platform/ui/Event.h"

namespace app {

ui::DialogProc chapterProcedure(int templateId);

} // namespace app
