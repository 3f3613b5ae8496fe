// Renders every dialog template headless, as the program shows it, to PNG:
//   vinaria-screenshot <output folder> [scale] [guide database]
// The main menu runs with its own procedure; the chapters with theirs. With a
// guide database, a scripted visit of the results dialog runs on a copy of it.
#include "app/Chapters.h"
#include "app/MainMenu.h"
#include "resources/dialogs/MainMenuIds.h"
#include "app/Singletons.h"
#include "resources/dialogs/SearchFormIds.h"
#include "search/SearchAnimation.h"
#include "search/SearchForm.h"
#include "search/SearchFormState.h"
#include "platform/shell/InputPanel.h"
#include "platform/shell/ProgramPath.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Screen.h"
#include "platform/ui/Template.h"
#include "tools/screenshot/ChapterScenes.h"
#include "tools/screenshot/DesktopScenes.h"
#include "platform/shell/ProgramPath.h"
#include "resources/dialogs/ResultsIds.h"
#include "results/ResultsDialog.h"
#include "search/QueryBuilder.h"
#include "services/DatabaseErrorText.h"
#include "services/Singletons.h"

#include <QAbstractScrollArea>
#include <QAbstractItemView>
#include <QApplication>
#include <QScrollBar>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTimer>

#include <QFile>

#include <atomic>
#include <cstdio>
#include <functional>
#include <cstdlib>
#include <thread>
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

QImage screenImage(int scale)
{
    QWidget* window = ui::Screen::instance().window();
    window->show();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
    // The tool runs at a real zoom, so the grab already has the asked size.
    QImage image = window->grab().toImage();
    if (image.width() < window->width() * scale)
        image = image.scaled(window->width() * scale, window->height() * scale, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

// The next message box, a panel inside the screen, is drawn into path and answered.
void grabNextMessageBox(const QString& path, int scale, bool& ok)
{
    ui::setMessageBoxPresenter({});
    QTimer::singleShot(0, [path, scale, &ok] {
        auto* box = ui::Screen::instance().window()->findChild<ui::MessageBoxPanel*>();
        const QImage image = screenImage(scale);
        ok = image.save(path, "PNG") && box && ok;
        std::printf("%s\n", qPrintable(path));
        ui::setMessageBoxPresenter([](const ui::MessageBoxRequest&) { return ui::kIdOk; });
        if (box)
            box->answer(ui::kIdOk);
    });
}

// Opens the results dialog on the statement in the text buffer and runs visit in it.
void visitResults(const std::function<void(ui::Dialog&)>& visit)
{
    ui::setDialogHook([&](ui::Dialog& dialog) {
        ui::setDialogHook({});
        visit(dialog);
        ui::endDialog(dialog, 1);
    });
    ui::dialogBox(ids::results::kTemplate, nullptr, resultsDialogProc, 0);
    ui::setDialogHook({});
}

void selectTab(ui::Dialog& dialog, int tab)
{
    if (auto* bar = qobject_cast<QTabBar*>(dialog.tabControl(ids::results::kTabs).widget()))
        bar->setCurrentIndex(tab);
}

// Hits of a search, an entry on each tab, a bookmark saved, the bookmark list
// and the message for too many hits, on a copy of the guide.
bool shootResults(const QDir& folder, int scale, const QString& guide)
{
    QTemporaryDir copy;
    if (!copy.isValid() || !QFile::copy(guide, copy.filePath(QStringLiteral("vinaria2007_db.cdb"))))
        return false;
    shell::setProgramPathForTesting(copy.filePath(QStringLiteral("vinaria")).toStdU16String());
    app::createSingletons();
    g_wineDatabase->allocateTextBuffer();
    if (!g_wineDatabase->open())
        return false;
    bool ok = true;
    auto save = [&](const char* name) {
        const QString path = folder.filePath(QString::fromLatin1(name));
        ok = screenImage(scale).save(path, "PNG") && ok;
        std::printf("%s\n", qPrintable(path));
    };

    SearchCriteria riesling;
    riesling.term = u"Riesling";
    buildSearchStatement(riesling, *g_wineDatabase);
    visitResults([&](ui::Dialog& dialog) {
        ui::TreeView& tree = dialog.treeView(ids::results::kTree);
        for (int i = 0; i < tree.childCount(nullptr); ++i)
            tree.expand(tree.child(nullptr, i));
        ui::TreeItem first = tree.child(nullptr, 0);
        tree.selectItem(tree.childCount(first) > 0 ? tree.child(first, 0) : first);
        save("results-tree.png");
        save("results-info.png");
        selectTab(dialog, 1);
        save("results-vintages.png");
        selectTab(dialog, 2);
        if (!dialog.checkBox(ids::results::kBookmarkCheck).isChecked())
            dialog.checkBox(ids::results::kBookmarkCheck).click();
        dialog.edit(ids::results::kNoteEdit).setText(u"Zum Spargel, gut gek\u00fchlt");
        save("results-bookmark.png");
        dialog.sendCommand(ids::results::kSaveButton);
    });

    g_wineDatabase->textBuffer[0] = u'\0';
    visitResults([&](ui::Dialog& dialog) {
        ui::TreeView& tree = dialog.treeView(ids::results::kTree);
        tree.expand(tree.child(nullptr, 0));
        save("bookmark-list.png");
    });

    // A label longer than the tree, scrolled to its end.
    SearchCriteria longNames;
    longNames.term = u"Schlossberg";
    buildSearchStatement(longNames, *g_wineDatabase);
    visitResults([&](ui::Dialog& dialog) {
        ui::TreeView& tree = dialog.treeView(ids::results::kTree);
        ui::TreeItem node = tree.child(nullptr, 0);
        tree.expand(node);
        ui::TreeItem longest = nullptr;
        for (int i = 0; i < tree.childCount(node); ++i)
            if (!longest || tree.itemText(tree.child(node, i)).size() > tree.itemText(longest).size())
                longest = tree.child(node, i);
        tree.selectItem(longest);
        QApplication::processEvents();
        if (auto* view = qobject_cast<QAbstractItemView*>(tree.widget())) {
            // Once laid out, the horizontal scroll bar takes a row's height,
            // so the selection is brought into view again.
            view->scrollTo(view->currentIndex());
            view->horizontalScrollBar()->setValue(view->horizontalScrollBar()->maximum());
        }
        save("results-tree-long-label.png");
    });

    SearchCriteria red;
    red.red = true;
    buildSearchStatement(red, *g_wineDatabase);
    grabNextMessageBox(folder.filePath(QStringLiteral("results-capped.png")), scale, ok);
    visitResults([](ui::Dialog&) {});

    ok = saveDropDownScenes(folder, [scale] { return screenWithPopups(scale); }) && ok;
    g_wineDatabase->close();
    shell::setProgramPathForTesting(u"");
    return ok;
}

// The search form with choices made, and the same form while a search runs,
// its animation a few frames in.
bool saveSearchForm(const QDir& folder, int scale)
{
    bool ok = true;
    std::atomic<int> pauses{0};
    constexpr int kFramesBeforePicture = 3;
    setSearchAnimationSleep([&](std::chrono::milliseconds) {
        if (++pauses < kFramesBeforePicture)
            return;
        while (!g_searchFormState->stopRequested)
            std::this_thread::yield();
    });
    ui::setDialogHook([&](ui::Dialog& form) {
        using namespace ids::search;
        // The keyword field's focus brings the keyboard up below the screen.
        form.edit(kKeywordEdit).setText(u"Riesling");
        form.sendCommand(kKeywordEdit, ui::kSetFocus);
        const QString keyboard = folder.filePath(QStringLiteral("search-form-keyboard.png"));
        ok = savePicture(keyboard, scale) && ok;
        std::printf("%s\n", qPrintable(keyboard));
        form.sendCommand(kRedCheck, ui::kSetFocus);
        ui::ComboBox& countries = form.comboBox(kCountryCombo);
        countries.setCurrentIndex(countries.findExact(u"Frankreich"));
        form.sendCommand(kCountryCombo, ui::kSelectionChanged);
        form.comboBox(kRegionCombo).setCurrentIndex(1);
        form.edit(kKeywordEdit).setText(u"Château");
        for (int id : {kRedCheck, kDryCheck, kFullTextCheck})
            form.checkBox(id).setChecked(true);
        for (int step = 0; step < 3; ++step) {
            ui::Event e;
            e.kind = ui::EventKind::HorizontalScroll;
            e.controlId = kQualityScroll;
            e.code = ui::kLineRight;
            form.send(e);
        }
        const QString filled = folder.filePath(QStringLiteral("search-form-filled.png"));
        ok = savePicture(filled, scale) && ok;
        std::printf("%s\n", qPrintable(filled));

        startSearchAnimation();
        while (pauses < kFramesBeforePicture)
            std::this_thread::yield();
        const QString animation = folder.filePath(QStringLiteral("search-animation.png"));
        ok = savePicture(animation, scale) && ok;
        std::printf("%s\n", qPrintable(animation));
        stopSearchAnimation();
        joinSearchAnimation();
        ui::endDialog(form, 1);
    });
    ui::dialogBox(ids::search::kTemplate, nullptr, SearchForm::dialogProc, 0);
    setSearchAnimationSleep({});
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <output folder> [scale] [guide database]\n", argv[0]);
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
            // The menu released every record when it ended; the chapters
            // need theirs, and the guide.
            app::createSingletons();
            g_wineDatabase->allocateTextBuffer();
            // The guide lies beside the program, where the tool is started.
            if (!g_wineDatabase->open()) {
                shell::setProgramPathForTesting(ui::toU16(QDir::current().filePath(QStringLiteral("vinaria"))));
                g_wineDatabase->open();
            }
        } else {
            app::createSingletons(); // the menu's end released them
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
        dialog.edit(ids::search::kKeywordEdit).setFocus();
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
        panel->setLayer(shell::InputPanel::Layer::Letters);
        shell::showWindow(panel, shell::kHide);
        ui::endDialog(dialog, 1);
    });
    ui::dialogBox(ids::search::kTemplate, nullptr, ui::defaultDialogProc, 0);
    ok = saveSearchForm(folder, scale) && ok;

    // The message shown when the guide database cannot be opened.
    const QString errorPath = folder.filePath(QStringLiteral("message-box-fehler.png"));
    ui::setDialogHook([&](ui::Dialog& dialog) {
        if (dialog.templateId() != ids::mainMenu::kTemplate)
            return;
        ui::MessageBoxPanel box({&dialog, databaseErrorText({GuideFailure::Missing, u"/usr/share/vinaria/vinaria2007_db.cdb"}), std::u16string(kDatabaseErrorCaption),
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
    ok = saveChapterScenes(folder, [scale](const QString& path) { return savePicture(path, scale); }) && ok;
    if (argc > 3)
        ok = shootResults(folder, scale, QString::fromLocal8Bit(argv[3])) && ok;
    ui::Screen::destroy();
    return ok ? 0 : 1;
}
