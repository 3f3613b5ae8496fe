// The global pointers of the singletons; app/ creates and deletes the objects.
#include "services/Singletons.h"

AppState* g_appState = nullptr;
WineDatabase* g_wineDatabase = nullptr;
ShellServices* g_shellServices = nullptr;
SearchFormState* g_searchFormState = nullptr;
ResultsDialogState* g_resultsDialogState = nullptr;
GrapeVarietiesState* g_grapeVarietiesState = nullptr;
TemperatureChartState* g_temperatureChartState = nullptr;
HelpDialogState* g_helpDialogStates[kHelpDialogStates] = {};
ImprintState* g_imprintState = nullptr;
