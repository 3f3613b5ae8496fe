// Scenes of the reference chapters, driven through their own procedures.
#include "tools/screenshot/ChapterScenes.h"

#include "app/Singletons.h"
#include "chapters/GrapeVarieties.h"
#include "chapters/HelpMenu.h"
#include "chapters/ScrollAnimation.h"
#include "chapters/TemperatureChart.h"
#include "platform/shell/ProgramPath.h"
#include "platform/ui/Dialog.h"
#include "resources/dialogs/GrapeVarietiesIds.h"
#include "resources/dialogs/HelpIds.h"
#include "resources/dialogs/TemperatureChartIds.h"

#include <QAbstractItemView>

#include <cstdio>
#include <utility>
#include <vector>

namespace {

// Runs a template with its procedure; scene acts on every dialog that opens
// and ends it.
void run(int templateId, ui::DialogProc procedure, const std::function<void(ui::Dialog&)>& scene)
{
    app::createSingletons();
    ui::setDialogHook([&](ui::Dialog& d) {
        scene(d);
        if (!d.ended())
            ui::endDialog(d, 1);
    });
    ui::dialogBox(templateId, nullptr, std::move(procedure), 0);
    ui::setDialogHook({});
}

void tapThermometer(ui::Dialog& d, int y)
{
    const ui::Rect r = d.control(ids::temperature::kThermometer).rect();
    ui::Event tap;
    tap.kind = ui::EventKind::Command;
    tap.controlId = ids::temperature::kThermometer;
    tap.code = ui::kClicked;
    tap.x = r.x + r.width / 2;
    tap.y = y;
    tap.hasPosition = true;
    d.send(tap);
}

// Scrolls a help page so the first row starting with text is at the top.
void scrollHelpTo(ui::Dialog& d, std::u16string_view text)
{
    ui::ListBox& rows = d.listBox(ids::helpPage::kRows);
    auto* view = static_cast<QAbstractItemView*>(rows.widget());
    for (int i = 0; i < rows.count(); ++i) {
        if (rows.itemText(i).starts_with(text)) {
            view->scrollTo(view->model()->index(i, 0), QAbstractItemView::PositionAtTop);
            return;
        }
    }
}

void runScroll(ui::Dialog& d, int ticks)
{
    for (int i = 0; i < ticks && d.hasTimer(TemperatureChart::kScrollTimer); ++i)
        d.fireTimer(TemperatureChart::kScrollTimer);
}

} // namespace

bool saveChapterScenes(const QDir& folder, const std::function<bool(const QString&)>& save)
{
    bool ok = true;
    auto shoot = [&](const char* name) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        ok = save(path) && ok;
        std::printf("%s\n", qPrintable(path));
    };

    // The guide beside the program in the build folder, where the tool runs.
    app::createSingletons();
    shell::setProgramPathForTesting((QDir::currentPath() + QStringLiteral("/vinaria")).toStdU16String());
    const bool guideOpen = g_wineDatabase->open();
    run(ids::varieties::kTemplate, GrapeVarieties::dialogProc, [&](ui::Dialog& d) {
        ui::ComboBox& red = d.comboBox(ids::varieties::kRedCombo);
        red.setCurrentIndex(red.findExact(u"Sp\u00e4tburgunder (Pinot Noir)"));
        d.sendCommand(ids::varieties::kRedCombo, ui::kSelectionChanged);
        shoot("varieties-description.png");
    });
    if (guideOpen)
        g_wineDatabase->close();
    shell::setProgramPathForTesting(u"");

    run(ids::temperature::kTemplate, TemperatureChart::dialogProc, [&](ui::Dialog& d) {
        runScroll(d, 10);
        shoot("temperature-unrolling.png");
        runScroll(d, 100);
        shoot("temperature-introduction.png");
        tapThermometer(d, 25);
        runScroll(d, 100);
        shoot("temperature-17.png");
        tapThermometer(d, 150);
        runScroll(d, 100);
        shoot("temperature-8.png");
    });

    const std::vector<std::pair<int, const char*>> pages = {
        {ids::helpMenu::kSearchHelp, "help-search.png"},
        {ids::helpMenu::kVarietiesHelp, "help-varieties.png"},
        {ids::helpMenu::kTemperatureHelp, "help-temperature.png"},
        {ids::helpMenu::kBookmarksHelp, "help-bookmarks.png"},
    };
    for (const auto& [button, name] : pages) {
        run(ids::helpMenu::kTemplate, HelpMenu::dialogProc, [&](ui::Dialog& d) {
            if (d.templateId() != ids::helpPage::kTemplate) {
                d.sendCommand(button);
                return;
            }
            shoot(name);
            // Further down, rows wider than the list wrap.
            if (button == ids::helpMenu::kSearchHelp) {
                scrollHelpTo(d, u"einfach:");
                shoot("help-search-qualities.png");
                scrollHelpTo(d, u"- besonders gut");
                shoot("help-search-vintages.png");
            }
        });
    }
    return ok;
}
