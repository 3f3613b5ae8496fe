// The process-wide objects, each reached through one global pointer.
#pragma once

#include "app/AppState.h"
#include "app/ChapterStates.h"
#include "app/ShellServices.h"
#include "db/WineDatabase.h"

// The help menu's record first, then the four pages'.
inline constexpr int kHelpDialogStates = 5;

extern SearchFormState* g_searchFormState;
extern ResultsDialogState* g_resultsDialogState;
extern GrapeVarietiesState* g_grapeVarietiesState;
extern TemperatureChartState* g_temperatureChartState;
extern HelpDialogState* g_helpDialogStates[kHelpDialogStates];
extern ImprintState* g_imprintState;

namespace app {

// Creates every singleton that does not exist. Runs once before main; a test
// calls it again to start the program a second time in one process.
void createSingletons();

// True when every singleton exists.
bool singletonsExist();
// True when none exists (after the main menu has been destroyed).
bool singletonsGone();

} // namespace app
