// Renders every dialog template headless, as the program shows it, to PNG:
//   vinaria-screenshot <output folder> [scale]
// The main menu runs with its own procedure; the chapters with theirs.
#include "app/Chapters.h"
#include "app/MainMenu.h"
#include "resources/dialogs/MainMenuIds.h"
#include "app/Singletons.h"
#include "platform/shell/InputPanel.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Template.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPixmap>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

bool savePicture(const QString& path, int scale)
{
    QWidget* window = ui::Screen::instance().window();
    window->show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    // The zoom is Qt's own (set before the application starts), so the
    // picture shows real zoomed text, not doubled pixels.
    (void)scale;
    const QImage image = window->grab().toImage();
    return image.save(path, "PNG");
}

// Pictures whose bitmap belongs to a later chapter are not drawn yet; mark
// where they go, so that the layout can still be checked.
void markMissingPictures(ui::Dialog& dialog)
{
    for (const auto& c : dialog.dialogTemplate().controls) {
        if (c.kind != ui::ControlKind::Picture || c.has(ui::style::kHidden) || ui::loadBitmap(c.picture))
            continue;
        const ui::Rect r = dialog.baseUnits().toPixels(c.rect);
        dialog.drawOnScreen([&](ui::DrawContext& dc) {
            QPainter& p = dc.painter();
            p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DashLine));
            p.drawRect(r.x, r.y, r.width - 1, r.height - 1);
            p.setFont(ui::makeFont(u"Tahoma", -10, 400));
            p.drawText(QRect(r.x, r.y, r.width, r.height), Qt::AlignCenter, QStringLiteral("Bild %1").arg(c.picture));
        });
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder> [scale]\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int scale = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1;
    if (scale > 1)
        qputenv("QT_SCALE_FACTOR", QByteArray::number(scale));
    QApplication application(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());

    // Message boxes (a missing database) are answered silently.
    ui::setMessageBoxPresenter([](const ui::MessageBoxRequest&) { return ui::kIdOk; });
    bool ok = true;
    for (int id : ui::templateIds()) {
        const QString path = folder.filePath(QStringLiteral("dialog-%1.png").arg(id));
        ui::setDialogHook([&](ui::Dialog& dialog) {
            if (dialog.templateId() != id)
                return;
            markMissingPictures(dialog);
            ok = savePicture(path, scale) && ok;
            std::printf("%s\n", qPrintable(path));
            ui::endDialog(dialog, 1);
        });
        if (id == ids::mainMenu::kTemplate) {
            app::createSingletons();
            ui::dialogBox(id, nullptr, mainMenuProc, 0);
        } else {
            ui::dialogBox(id, nullptr, app::chapterProcedure(id), 0);
        }
    }
    // The search form with the on-screen keyboard up and a word typed.
    const QString keyboardPath = folder.filePath(QStringLiteral("input-panel.png"));
    ui::setDialogHook([&](ui::Dialog& dialog) {
        shell::initDialog(dialog, shell::kDoneButton | shell::kFullScreen);
        auto* panel = static_cast<shell::InputPanel*>(shell::findWindow(shell::kInputPanelClass));
        shell::showWindow(shell::findWindow(shell::kInputPanelButtonClass), shell::kShow);
        shell::showWindow(panel, shell::kShow);
        dialog.edit(1012).setFocus();
        for (const char* key : {"Shift", "w", "e", "i", "ß", "w", "e", "i", "n"})
            panel->pressKey(QString::fromUtf8(key));
        ok = savePicture(keyboardPath, scale) && ok;
        std::printf("%s\n", qPrintable(keyboardPath));
        // The other layers, with a word typed on each.
        const struct {
            shell::InputPanel::Layer layer;
            const char* file;
            std::vector<const char*> keys;
        } layers[] = {
            {shell::InputPanel::Layer::Accents, "input-panel-accents.png", {"Space", "Shift", "c", "àé", "ô"}},
            {shell::InputPanel::Layer::Symbols, "input-panel-symbols.png", {"!", "?"}},
        };
        for (const auto& layer : layers) {
            panel->setLayer(shell::InputPanel::Layer::Letters);
            for (const char* key : layer.keys)
                panel->pressKey(QString::fromUtf8(key));
            panel->setLayer(layer.layer);
            const QString path = folder.filePath(QString::fromUtf8(layer.file));
            ok = savePicture(path, scale) && ok;
            std::printf("%s\n", qPrintable(path));
        }
        shell::showWindow(panel, shell::kHide);
        ui::endDialog(dialog, 1);
    });
    ui::dialogBox(126, nullptr, ui::defaultDialogProc, 0);

    // The message shown when the guide database cannot be opened.
    const QString errorPath = folder.filePath(QStringLiteral("message-box-fehler.png"));
    ui::setDialogHook([&](ui::Dialog& dialog) {
        if (dialog.templateId() != ids::mainMenu::kTemplate)
            return;
        ui::MessageBoxPanel box({&dialog, std::u16string(kDatabaseErrorText), std::u16string(kDatabaseErrorCaption),
                                 ui::mb::kIconInformation | ui::mb::kOk},
                                ui::Screen::instance().window());
        ok = savePicture(errorPath, scale) && ok;
        std::printf("%s\n", qPrintable(errorPath));
        box.answer(ui::kIdOk);
        ui::endDialog(dialog, 1);
    });
    app::createSingletons();
    ui::dialogBox(ids::mainMenu::kTemplate, nullptr, mainMenuProc, 0);
    ui::setDialogHook({});
    ui::Screen::destroy();
    return ok ? 0 : 1;
}
