// The process-wide objects, each reached through one global pointer. The
// chapters' state records are defined in their own folders; the menu creates
// and deletes them all.
#pragma once

#include "db/WineDatabase.h"
#include "services/AppState.h"
#include "services/ShellServices.h"

struct SearchFormState;
struct ResultsDialogState;
struct GrapeVarietiesState;
struct TemperatureChartState;
struct HelpDialogState;
struct ImprintState;

// The help menu's record first, then the four pages'.
inline constexpr int kHelpDialogStates = 5;

extern SearchFormState* g_searchFormState;
extern ResultsDialogState* g_resultsDialogState;
extern GrapeVarietiesState* g_grapeVarietiesState;
extern TemperatureChartState* g_temperatureChartState;
extern HelpDialogState* g_helpDialogStates[kHelpDialogStates];
extern ImprintState* g_imprintState;
