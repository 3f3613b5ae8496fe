// The static creation of the singletons.
#include "app/Singletons.h"

namespace app {

namespace {

template <class T> void make(T*& pointer)
{
    if (!pointer)
        pointer = new T();
}

// Created before main runs, as the program always had them.
const bool g_created = (createSingletons(), true);

} // namespace

void createSingletons()
{
    make(g_wineDatabase);
    for (auto*& help : g_helpDialogStates)
        make(help);
    make(g_imprintState);
    make(g_appState);
    make(g_searchFormState);
    make(g_grapeVarietiesState);
    make(g_resultsDialogState);
    make(g_temperatureChartState);
    make(g_shellServices);
}

bool singletonsExist()
{
    bool all = g_appState && g_wineDatabase && g_shellServices && g_searchFormState && g_resultsDialogState
        && g_grapeVarietiesState && g_temperatureChartState && g_imprintState;
    for (auto* help : g_helpDialogStates)
        all = all && help;
    return all;
}

bool singletonsGone()
{
    bool none = !g_appState && !g_wineDatabase && !g_shellServices && !g_searchFormState && !g_resultsDialogState
        && !g_grapeVarietiesState && !g_temperatureChartState && !g_imprintState;
    for (auto* help : g_helpDialogStates)
        none = none && !help;
    return none;
}

} // namespace app
