// Every fixed text of every template fits its rectangle at zoom 1, 2 and
// 2.5, in the fonts the dialogs' own procedures give their controls: static
// texts (in as many lines as their box shows), buttons, check boxes and the
// rows of list boxes. Widths are measured from the ink drawn at each zoom.
#include "app/Program.h"
#include "app/Singletons.h"
#include "platform/shell/ProgramPath.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/MessageBox.h"
#include "resources/dialogs/HelpIds.h"
#include "resources/dialogs/MainMenuIds.h"
#include "resources/dialogs/SearchFormIds.h"
#include "tests/support/GuideFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QTextLayout>

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

namespace {

using testing_support::utf8;

const double kZooms[] = {1.0, 2.0, 2.5};

// The extent of the ink of text drawn at the zoom, in logical pixels from
// the pen position: where it starts and where it ends.
std::pair<double, double> inkExtent(const QFont& font, const QString& text, double zoom)
{
    const QFontMetricsF metrics(font);
    const int width = static_cast<int>(metrics.horizontalAdvance(text) + 4 * metrics.height());
    const int height = static_cast<int>(2 * metrics.height());
    const int margin = static_cast<int>(metrics.height());
    QImage image(static_cast<int>(width * zoom), static_cast<int>(height * zoom), QImage::Format_RGB32);
    image.setDevicePixelRatio(zoom);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPointF(margin, metrics.ascent() + metrics.height() / 2), text);
    }
    int left = image.width(), right = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    if (right < 0)
        return {0, 0};
    return {left / zoom - margin, (right + 1) / zoom - margin};
}

// Whether text drawn from x stays within 0 and width, at the zoom. A bold
// letter's ink may start a pixel before its pen: every box's margin holds it.
bool fitsWidth(const QFont& font, const QString& text, double width, double zoom, double x = 0)
{
    const auto [left, right] = inkExtent(font, text, zoom);
    return x + left >= -1.0 && x + right <= width + 0.5;
}

class TemplateFitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        app::createSingletons();
        const std::string folder = testing_support::freshFolder();
        testing_support::buildDatabase(testing_support::sourceDir() + "/data/guide", folder);
        testing_support::placeProgramIn(folder);
        ui::setMessageBoxPresenter([](const ui::MessageBoxRequest&) { return ui::kIdOk; });
        shell::setBrowserLauncherForTesting([](std::u16string_view) { return true; });
    }
    void TearDown() override
    {
        ui::setDialogHook({});
        ui::setMessageBoxPresenter({});
        shell::setBrowserLauncherForTesting({});
        shell::setProgramPathForTesting(u"");
        app::createSingletons();
    }

    void misfit(const ui::Dialog& d, int id, const QString& text, double zoom, const QString& why = {})
    {
        misfits.insert(std::to_string(d.templateId()) + "/" + std::to_string(id) + " \"" + text.toStdString() +
                       "\" at zoom " + QString::number(zoom).toStdString() + " " + why.toStdString());
    }

    void checkStatic(const ui::Dialog& d, ui::StaticControl& control, unsigned styles)
    {
        QString text = QString::fromStdU16String(control.text()).remove(QLatin1Char('\r'));
        if (text.trimmed().isEmpty())
            return;
        QWidget* w = control.widget();
        const int border = (styles & ui::style::kBorder) ? 1 : 0;
        const int boxWidth = w->width() - 2 * border, boxHeight = w->height() - 2 * border;
        const QFont font = w->font();
        // A narrowed text is laid out in a box as much wider.
        const double narrowing = ui::textNarrowing(font, text, boxWidth, boxHeight);
        const int layoutWidth = static_cast<int>(std::ceil(boxWidth / narrowing));
        text.replace(QLatin1Char('\n'), QChar::LineSeparator);
        QTextLayout layout(text);
        ui::layOutStaticText(layout, font, layoutWidth, styles);
        for (const double zoom : kZooms) {
            for (int i = 0; i < layout.lineCount(); ++i) {
                const QTextLine line = layout.lineAt(i);
                const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
                const bool shown = line.position().y() + line.ascent() <= boxHeight + 0.5;
                if (!shown)
                    misfit(d, control.id(), text, zoom, QStringLiteral("line %1 below its box").arg(i + 1));
                else if (!fitsWidth(font, part, layoutWidth, zoom, line.naturalTextRect().x()))
                    misfit(d, control.id(), text, zoom, QStringLiteral("'%1' ends at %2 of %3").arg(part).arg(inkExtent(font, part, zoom).second).arg(layoutWidth));
            }
        }
        ++checked;
    }

    void checkButton(const ui::Dialog& d, ui::Control& control)
    {
        auto* button = static_cast<QAbstractButton*>(control.widget());
        if (button->text().isEmpty())
            return;
        double room = 0;
        if (auto* check = qobject_cast<QCheckBox*>(button)) {
            QStyleOptionButton option;
            option.initFrom(check);
            room = check->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, check).width();
            // A box only as wide as its square: its text is the static beside
            // it, as on the handheld.
            if (room < check->fontMetrics().averageCharWidth())
                return;
        } else {
            QStyleOptionButton option;
            option.initFrom(button);
            room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
        }
        for (const double zoom : kZooms)
            if (!fitsWidth(button->font(), button->text(), room, zoom))
                misfit(d, control.id(), button->text(), zoom);
        ++checked;
    }

    void checkRows(const ui::Dialog& d, ui::Control& control)
    {
        auto* list = static_cast<QListWidget*>(control.widget());
        QApplication::processEvents();
        // A row's text starts after the item's margin and is cut only where
        // the row ends, at the scroll bar or the frame.
        const int room = list->viewport()->width() - ui::rowTextMargin(list);
        for (int i = 0; i < list->count(); ++i) {
            const QString row = list->item(i)->text();
            const double narrowedRoom = room / ui::textNarrowing(list->font(), row, room);
            for (const double zoom : kZooms)
                if (!fitsWidth(list->font(), row, narrowedRoom, zoom))
                    misfit(d, control.id(), row, zoom, QStringLiteral("ends at %1 of %2").arg(inkExtent(list->font(), row, zoom).second).arg(narrowedRoom));
        }
        ++checked;
    }

    void checkDialog(ui::Dialog& d)
    {
        QApplication::processEvents();
        seen.insert(d.templateId());
        for (const ui::ControlTemplate& t : d.dialogTemplate().controls) {
            switch (t.kind) {
            case ui::ControlKind::Static: checkStatic(d, d.staticControl(t.id), t.styles); break;
            case ui::ControlKind::Button:
            case ui::ControlKind::CheckBox: checkButton(d, d.control(t.id)); break;
            case ui::ControlKind::ListBox: checkRows(d, d.control(t.id)); break;
            default: break;
            }
        }
    }

    // Opens every dialog the program has, each in its procedure's fonts.
    void walkEveryDialog()
    {
        ui::setDialogHook([&](ui::Dialog& d) {
            checkDialog(d);
            switch (d.templateId()) {
            case ids::mainMenu::kTemplate:
                for (int id : {ids::mainMenu::kSearchLabel, ids::mainMenu::kVarietiesLabel, ids::mainMenu::kTemperatureLabel,
                               ids::mainMenu::kBookmarksLabel, ids::mainMenu::kImprintLink, ids::mainMenu::kHelpLink})
                    d.sendCommand(id);
                break;
            case ids::search::kTemplate:
                d.edit(ids::search::kKeywordEdit).setText(u"Riesling");
                d.sendCommand(ids::search::kStartButton);
                break;
            case ids::helpMenu::kTemplate:
                for (int id : {ids::helpMenu::kBookmarksHelp, ids::helpMenu::kTemperatureHelp,
                               ids::helpMenu::kVarietiesHelp, ids::helpMenu::kSearchHelp})
                    d.sendCommand(id);
                break;
            default:
                break;
            }
            if (!d.ended())
                d.sendCommand(ui::kIdOk);
        });
        app::run(nullptr);
        ui::setDialogHook({});
    }

    std::set<int> seen;
    std::set<std::string> misfits;
    int checked = 0;
};

TEST_F(TemplateFitTest, EveryFixedTextFitsItsRectangleAtEveryZoom)
{
    walkEveryDialog();
    for (int id : ui::templateIds())
        EXPECT_TRUE(seen.count(id)) << "template " << id << " was not opened";
    EXPECT_GT(checked, 45);
    for (const std::string& m : misfits)
        ADD_FAILURE() << "cut: " << m;
}

} // namespace
