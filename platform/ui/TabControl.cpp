// Tab controls: a change of tab becomes the selection notification.
#include "platform/ui/TabControl.h"

#include "platform/ui/Dialog.h"

#include <QTabBar>

namespace ui {

QTabBar* TabControl::bar() const
{
    return dynamic_cast<QTabBar*>(widget_.data());
}

int TabControl::insertItem(int position, std::u16string_view text)
{
    auto* b = bar();
    if (!b)
        return -1;
    const QSignalBlocker block(b);
    return b->insertTab(position, toQString(text));
}

int TabControl::count() const
{
    auto* b = bar();
    return b ? b->count() : 0;
}

int TabControl::currentIndex() const
{
    auto* b = bar();
    return b ? b->currentIndex() : -1;
}

void TabControl::setCurrentIndex(int index)
{
    if (auto* b = bar()) {
        const QSignalBlocker block(b);
        b->setCurrentIndex(index);
    }
}

std::u16string TabControl::itemText(int index) const
{
    auto* b = bar();
    return b ? toU16(b->tabText(index)) : std::u16string();
}

Control* createTabControl(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    auto* bar = new QTabBar(parent);
    bar->setShape(t.has(style::kTabsBottom) ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
    bar->setExpanding(!t.has(style::kRaggedRight));
    bar->setDrawBase(false);
    bar->setUsesScrollButtons(false);
    const int id = t.id;
    QObject::connect(bar, &QTabBar::currentChanged, bar, [dialog, id](int) {
        Event e;
        e.kind = EventKind::Notify;
        e.controlId = id;
        e.code = kTabSelectionChanged;
        dialog->send(e);
    });
    bar->setGeometry(px.x, px.y, px.width, px.height);
    return new TabControl(dialog, &t, bar);
}

} // namespace ui
