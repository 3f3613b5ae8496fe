// Accessible objects for the screen's own widgets. Qt's objects for plain
// widgets list every child, hidden or covered; these list only what is in
// front and on the screen, and give owner-drawn texts the role they play.
#include "platform/ui/AccessibleObjects.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Screen.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTabBar>
#include <QWidget>

#include <vector>

namespace ui {

namespace {

constexpr char kKindProperty[] = "vinariaAccessibleKind";
constexpr char kRoleProperty[] = "vinariaAccessibleRole";

bool hasKind(const QObject* object, AccessibleKind kind)
{
    const QVariant value = object->property(kKindProperty);
    return value.isValid() && value.toInt() == static_cast<int>(kind);
}

AccessibleRole roleOf(const QWidget* widget)
{
    const QVariant value = widget->property(kRoleProperty);
    return value.isValid() ? static_cast<AccessibleRole>(value.toInt()) : AccessibleRole::Default;
}

// The dialog shown by a widget, when it is on the screen.
const Dialog* dialogOf(const QWidget* widget)
{
    if (!Screen::exists())
        return nullptr;
    for (const Dialog* d : Screen::instance().stack())
        if (d->widget() == widget)
            return d;
    return nullptr;
}

// The widget in front: a message box while one is up, else the top dialog.
const QWidget* frontWidget()
{
    return Screen::exists() ? Screen::instance().frontWidget() : nullptr;
}

// A message box, or null while the top dialog is in front.
QWidget* frontPanel()
{
    if (!Screen::exists())
        return nullptr;
    const Screen& screen = Screen::instance();
    QWidget* front = screen.frontWidget();
    const Dialog* top = screen.top();
    return front && (!top || front != top->widget()) ? front : nullptr;
}

bool isExposed(const QWidget* widget)
{
    if (widget->isWindow() || widget->isHidden())
        return false;
    switch (roleOf(widget)) {
    case AccessibleRole::Omitted:
        return false;
    case AccessibleRole::Label:
        // A text with nothing in it has nothing to say.
        return !widget->accessibleName().isEmpty();
    default:
        return true;
    }
}

// The children a reader meets, in reading order. The dialog area is no
// object of its own: its front dialog stands in its place.
std::vector<QWidget*> exposedChildren(const QWidget* widget)
{
    std::vector<QWidget*> out;
    if (hasKind(widget, AccessibleKind::Window))
        if (QWidget* panel = frontPanel(); panel && panel->window() == widget) {
            out.push_back(panel);
            return out;
        }
    if (const Dialog* dialog = dialogOf(widget)) {
        // Template order, as the focus walks them.
        for (const auto& control : dialog->controls())
            if (QWidget* w = control->widget(); w && w->parentWidget() == widget && isExposed(w))
                out.push_back(w);
        return out;
    }
    for (QObject* object : widget->children()) {
        if (!object->isWidgetType())
            continue;
        auto* child = static_cast<QWidget*>(object);
        if (!isExposed(child))
            continue;
        if (hasKind(child, AccessibleKind::DialogArea)) {
            if (const Dialog* top = Screen::exists() ? Screen::instance().top() : nullptr)
                if (top->widget() && top->widget()->parentWidget() == child)
                    out.push_back(top->widget());
            continue;
        }
        out.push_back(child);
    }
    return out;
}

QAccessible::Role containerRole(const QWidget* widget)
{
    if (hasKind(widget, AccessibleKind::Window))
        return QAccessible::Window;
    if (hasKind(widget, AccessibleKind::Dialog))
        return QAccessible::Dialog;
    if (hasKind(widget, AccessibleKind::Bar))
        return QAccessible::ToolBar;
    if (hasKind(widget, AccessibleKind::Alert))
        return QAccessible::AlertMessage;
    return QAccessible::Grouping;
}

// A widget whose children are the exposed ones.
class ContainerObject : public QAccessibleWidget {
public:
    explicit ContainerObject(QWidget* widget) : QAccessibleWidget(widget, containerRole(widget)) {}

    int childCount() const override { return static_cast<int>(exposedChildren(widget()).size()); }

    QAccessibleInterface* child(int index) const override
    {
        const auto children = exposedChildren(widget());
        if (index < 0 || index >= static_cast<int>(children.size()))
            return nullptr;
        return QAccessible::queryAccessibleInterface(children[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        if (!child)
            return -1;
        const auto children = exposedChildren(widget());
        for (std::size_t i = 0; i < children.size(); ++i)
            if (children[i] == child->object())
                return static_cast<int>(i);
        return -1;
    }

    QAccessibleInterface* parent() const override
    {
        // A dialog's parent is the window: the dialog area is no object.
        if (hasKind(widget(), AccessibleKind::Dialog) && widget()->parentWidget())
            return QAccessible::queryAccessibleInterface(widget()->window());
        return QAccessibleWidget::parent();
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && hasKind(widget(), AccessibleKind::Dialog))
            if (const Dialog* dialog = dialogOf(widget()))
                return toQString(dialog->caption());
        return QAccessibleWidget::text(t);
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        // A dialog behind the front one is not on the screen for a reader.
        if (hasKind(widget(), AccessibleKind::Dialog) && frontWidget() != widget()) {
            s.invisible = true;
            s.offscreen = true;
        }
        if (hasKind(widget(), AccessibleKind::Alert))
            s.modal = true;
        return s;
    }
};

// A static text or picture in the role its template gives it. Tappable ones
// are pressed through the action interface as Enter presses them.
class StaticObject : public QAccessibleWidget {
public:
    explicit StaticObject(QWidget* widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}

    QAccessible::Role role() const override
    {
        switch (roleOf(widget())) {
        case AccessibleRole::Link: return QAccessible::Link;
        case AccessibleRole::RowButton: return QAccessible::Button;
        case AccessibleRole::Graphic: return QAccessible::Graphic;
        default: return QAccessible::StaticText;
        }
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (role() == QAccessible::Link)
            s.linked = true;
        return s;
    }

    QStringList actionNames() const override
    {
        QStringList names = QAccessibleWidget::actionNames();
        if (pressable())
            names.prepend(pressAction());
        return names;
    }

    void doAction(const QString& action) override
    {
        if (!pressable() || action != pressAction()) {
            QAccessibleWidget::doAction(action);
            return;
        }
        // Posted, so the reader's call returns before a chapter's dialog
        // starts its own loop.
        QCoreApplication::postEvent(widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier));
        QCoreApplication::postEvent(widget(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier));
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (pressable() && action == pressAction())
            return {QStringLiteral("Return")};
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    bool pressable() const
    {
        const AccessibleRole r = roleOf(widget());
        return r == AccessibleRole::Link || r == AccessibleRole::RowButton;
    }
};

// One tab of a tab bar: selected when it is the current one, pressed to
// choose it as a tap does.
class TabObject : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    TabObject(QTabBar* bar, int index) : bar_(bar), index_(index) {}

    bool isValid() const override { return bar_ && index_ < bar_->count(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return bar_ ? bar_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(bar_); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::PageTab; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name && isValid() ? bar_->tabText(index_) : QString();
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = bar_->tabRect(index_);
        return QRect(bar_->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        if (!isValid()) {
            s.invalid = true;
            return s;
        }
        s.selectable = true;
        s.focusable = true;
        s.selected = bar_->currentIndex() == index_;
        s.focused = s.selected && bar_->hasFocus();
        s.disabled = !bar_->isTabEnabled(index_);
        s.invisible = !bar_->isVisible();
        return s;
    }

    void* interface_cast(QAccessible::InterfaceType t) override
    {
        return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && isValid())
            bar_->setCurrentIndex(index_);
    }

private:
    QPointer<QTabBar> bar_;
    int index_;
};

// A tab bar as a list of page tabs, without the scroll buttons it never shows.
class TabBarObject : public QAccessibleWidget {
public:
    explicit TabBarObject(QTabBar* bar) : QAccessibleWidget(bar, QAccessible::PageTabList) {}
    ~TabBarObject() override
    {
        for (QAccessible::Id id : tabs_)
            QAccessible::deleteAccessibleInterface(id);
    }

    int childCount() const override { return bar()->count(); }

    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= bar()->count())
            return nullptr;
        while (static_cast<int>(tabs_.size()) <= index)
            tabs_.push_back(QAccessible::registerAccessibleInterface(new TabObject(bar(), static_cast<int>(tabs_.size()))));
        return QAccessible::accessibleInterface(tabs_[static_cast<std::size_t>(index)]);
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        for (std::size_t i = 0; i < tabs_.size(); ++i)
            if (QAccessible::accessibleInterface(tabs_[i]) == child)
                return static_cast<int>(i);
        return -1;
    }

    QAccessibleInterface* childAt(int x, int y) const override
    {
        const int index = bar()->tabAt(bar()->mapFromGlobal(QPoint(x, y)));
        return index >= 0 ? child(index) : nullptr;
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Name && bar()->accessibleName().isEmpty())
            return bar()->tabText(bar()->currentIndex());
        return QAccessibleWidget::text(t);
    }

private:
    QTabBar* bar() const { return static_cast<QTabBar*>(widget()); }
    mutable std::vector<QAccessible::Id> tabs_;
};

bool isDialogControl(const QObject* object)
{
    return object->parent() && hasKind(object->parent(), AccessibleKind::Dialog);
}

// Qt's own objects serve the controls it knows; the dialogs' plain widgets
// (static texts and pictures) and tab bars get ours.
QAccessibleInterface* makeAccessibleObject(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (object->property(kKindProperty).isValid())
        return new ContainerObject(widget);
    if (!isDialogControl(object))
        return nullptr;
    if (className == QLatin1String("QTabBar"))
        return new TabBarObject(static_cast<QTabBar*>(object));
    if (className == QLatin1String("QWidget"))
        return new StaticObject(widget);
    return nullptr;
}

void send(QWidget* widget, QAccessible::Event type)
{
    if (!widget)
        return;
    QAccessibleEvent event(widget, type);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void installAccessibleObjects()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(makeAccessibleObject);
}

void setAccessibleKind(QWidget* widget, AccessibleKind kind)
{
    widget->setProperty(kKindProperty, static_cast<int>(kind));
}

void setAccessibleRole(QWidget* widget, AccessibleRole role)
{
    widget->setProperty(kRoleProperty, static_cast<int>(role));
}

void announceFocus(QWidget* widget)
{
    if (QAccessible::isActive())
        send(widget, QAccessible::Focus);
}

void announceFrontChange(QWidget* left, QWidget* entered)
{
    if (!QAccessible::isActive())
        return;
    // The bridge reports a destroyed object as a child removed from its
    // parent and a created one as a child added: what a reader must hear
    // when a dialog goes behind another or comes forward again.
    if (left && left->isVisible()) {
        send(left, QAccessible::ObjectHide);
        send(left, QAccessible::ObjectDestroyed);
    }
    if (entered && entered->isVisible()) {
        send(entered, QAccessible::ObjectCreated);
        send(entered, QAccessible::ObjectShow);
    }
}

} // namespace ui
