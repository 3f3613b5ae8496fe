// Chapter procedures by template.
#include "app/Chapters.h"

#include "chapters/GrapeVarieties.h"
#include "chapters/HelpMenu.h"
#include "chapters/Imprint.h"
#include "chapters/TemperatureChart.h"
#include "resources/dialogs/GrapeVarietiesIds.h"
#include "resources/dialogs/HelpIds.h"
#include "resources/dialogs/ImprintIds.h"
#include "resources/dialogs/ResultsIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "resources/dialogs/TemperatureChartIds.h"
#include "results/ResultsDialog.h"
#include "search/SearchForm.h"
#include "services/PlaceholderDialog.h"

namespace app {

ui::DialogProc chapterProcedure(int templateId)
{
    switch (templateId) {
    case ids::search::kTemplate:
        return SearchForm::dialogProc;
    case ids::results::kTemplate:
        return resultsDialogProc;
    case ids::varieties::kTemplate:
        return GrapeVarieties::dialogProc;
    case ids::temperature::kTemplate:
        return TemperatureChart::dialogProc;
    case ids::imprint::kTemplate:
        return Imprint::dialogProc;
    case ids::helpMenu::kTemplate:
        return HelpMenu::dialogProc;
    default:
        return placeholderChapterProc;
    }
}

} // namespace app
