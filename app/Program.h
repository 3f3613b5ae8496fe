// The process entry's work: runs the main menu until it ends.
#pragma once

namespace app {

// Stores the module, runs dialog 102 modally with no owner, returns 0.
int run(void* instance);

} // namespace app
