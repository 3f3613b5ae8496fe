// The process entry's work: runs the main menu until it ends.
#pragma once

#include <string>

namespace app {

// Stores the module, runs dialog 102 modally with no owner, returns 0. The
// guide is guideFile, or the one the program finds when that is empty.
int run(void* instance, const std::u16string& guideFile = {});

} // namespace app
