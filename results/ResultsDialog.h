// The results dialog, template 109: search hits or the bookmark list.
#pragma once

#include "platform/ui/Event.h"

#include <cstdint>


std::intptr_t resultsDialogProc(ui::Dialog& dialog, const ui::Event& event);

