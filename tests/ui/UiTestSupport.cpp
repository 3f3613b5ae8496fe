// Helpers of the dialog tests.
#include "tests/ui/UiTestSupport.h"

#include <QApplication>
#include <QMouseEvent>

namespace ui_testing {

void tapAt(ui::Dialog& dialog, int x, int y)
{
    QWidget* root = dialog.widget();
    QWidget* target = root->childAt(x, y);
    if (!target)
        target = root;
    const QPointF local = target->mapFrom(root, QPoint(x, y));
    const QPointF global = target->mapToGlobal(local);
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(target, &release);
}

QColor pixelAt(ui::Dialog& dialog, int x, int y)
{
    QApplication::processEvents();
    const QImage image = dialog.widget()->grab().toImage();
    return image.pixelColor(x, y);
}

QPoint centreOf(ui::Dialog& dialog, int controlId)
{
    const ui::Rect r = dialog.control(controlId).rect();
    return QPoint(r.x + r.width / 2, r.y + r.height / 2);
}

} // namespace ui_testing
