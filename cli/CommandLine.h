// The command line's tasks: each opens the guide (the one the program finds,
// or --guide), does its work and gives the process's exit status. Nothing
// here needs a display.
#pragma once

#include "cli/Console.h"
#include "cli/Options.h"

namespace cli {

// Runs a task other than Window and Help.
int runTask(const Request& request, const Console& console = {});

// Options that do not fit: the reason and the usage on standard error.
int reportUsageError(std::u16string_view reason, const Console& console = {});

} // namespace cli
