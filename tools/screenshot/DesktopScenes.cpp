// Scenes of the lists as a desktop user opens them. A dropped list is a
// window of its own, so it is drawn into the screen's picture where it lies.
#include "tools/screenshot/DesktopScenes.h"

#include "app/Singletons.h"
#include "chapters/GrapeVarieties.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"
#include "resources/dialogs/GrapeVarietiesIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "search/SearchForm.h"

#include <QApplication>
#include <QPainter>

#include <cstdio>

namespace {

// Opens list in the dialog, with entry chosen when there is one, and saves the screen.
bool saveOpenList(const QDir& folder, const char* name, int templateId, ui::DialogProc procedure, int list,
                  std::u16string_view entry, const std::function<QImage()>& grab)
{
    bool ok = false;
    app::createSingletons();
    ui::setDialogHook([&](ui::Dialog& d) {
        ui::ComboBox& box = d.comboBox(list);
        if (!entry.empty())
            box.setCurrentIndex(box.findExact(entry));
        box.showDropDown();
        const QString path = folder.filePath(QString::fromLatin1(name));
        ok = box.count() > 1 && box.droppedList() && grab().save(path, "PNG");
        std::printf("%s\n", qPrintable(path));
        box.hideDropDown();
        ui::endDialog(d, 1);
    });
    ui::dialogBox(templateId, nullptr, procedure, 0);
    ui::setDialogHook({});
    return ok;
}

} // namespace

QImage screenWithPopups(int scale)
{
    QWidget* window = ui::Screen::instance().window();
    window->show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    QImage image = window->grab().toImage();
    QWidget* popup = QApplication::activePopupWidget();
    if (!popup)
        return image;
    QPainter painter(&image);
    const QPoint at = popup->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0));
    painter.drawPixmap(at, popup->grab());
    (void)scale;
    return image;
}

bool saveDropDownScenes(const QDir& folder, const std::function<QImage()>& grab)
{
    bool ok = saveOpenList(folder, "country-list-open.png", ids::search::kTemplate, SearchForm::dialogProc,
                           ids::search::kCountryCombo, u"\u00d6sterreich", grab);
    ok = saveOpenList(folder, "white-varieties-open.png", ids::varieties::kTemplate, GrapeVarieties::dialogProc,
                      ids::varieties::kWhiteCombo, u"", grab) && ok;
    return ok;
}
