// Creation of the process-wide objects; their pointers live in services/.
#pragma once

#include "chapters/GrapeVarietiesState.h"
#include "chapters/HelpDialogState.h"
#include "chapters/ImprintState.h"
#include "chapters/TemperatureChartState.h"
#include "results/ResultsDialogState.h"
#include "search/SearchFormState.h"
#include "services/Singletons.h"

namespace app {

// Creates every singleton that does not exist. Runs once before main; a test
// calls it again to start the program a second time in one process.
void createSingletons();

// True when every singleton exists.
bool singletonsExist();
// True when none exists (after the main menu has been destroyed).
bool singletonsGone();

} // namespace app
