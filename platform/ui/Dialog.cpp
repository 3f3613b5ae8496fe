// Dialogs, their modal loops and timers.
#include "platform/ui/Dialog.h"

#include "platform/ui/AccessibleObjects.h"
#include "platform/ui/Accessibility.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Screen.h"

#include <QEventLoop>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace ui {

namespace {

DialogHook& dialogHook()
{
    static DialogHook hook;
    return hook;
}

// The surface drawn over the controls; stylus input passes through it.
class SurfaceOverlay : public QWidget {
public:
    SurfaceOverlay(std::shared_ptr<Surface> surface, QWidget* parent) : QWidget(parent), surface_(std::move(surface))
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        surface_->attach(this);
    }
    ~SurfaceOverlay() override { surface_->detach(); }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::UpdateRequest) {
            update();
            return true;
        }
        return QWidget::event(e);
    }
    void paintEvent(QPaintEvent*) override
    {
        if (surface_->isEmpty())
            return;
        QPainter painter(this);
        painter.drawImage(0, 0, surface_->snapshot());
    }

private:
    std::shared_ptr<Surface> surface_;
};

} // namespace

class DialogWidget : public QWidget {
public:
    DialogWidget(Dialog* dialog) : dialog_(dialog)
    {
        setAutoFillBackground(true);
        QPalette p = palette();
        p.setColor(QPalette::Window, Qt::white);
        p.setColor(QPalette::Base, Qt::white);
        setPalette(p);
    }
    SurfaceOverlay* overlay = nullptr;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        DrawContext dc(painter);
        Event e;
        e.kind = EventKind::Paint;
        e.dc = &dc;
        dialog_->send(e);
    }
    void resizeEvent(QResizeEvent*) override
    {
        if (overlay) {
            overlay->setGeometry(rect());
            dialog_->surface().resize(width(), height());
        }
        Event e;
        e.kind = EventKind::Size;
        e.x = width();
        e.y = height();
        dialog_->send(e);
    }
    void mousePressEvent(QMouseEvent* event) override { stylus(event); }
    void mouseMoveEvent(QMouseEvent* event) override { stylus(event); }
    void changeEvent(QEvent* event) override
    {
        QWidget::changeEvent(event);
        if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
            Event e;
            e.kind = EventKind::SettingChange;
            dialog_->send(e);
        }
    }

private:
    void stylus(QMouseEvent* event)
    {
        Event e;
        e.kind = EventKind::StylusMove;
        e.x = event->position().toPoint().x();
        e.y = event->position().toPoint().y();
        dialog_->send(e);
    }
    Dialog* dialog_;
};

struct Dialog::Timer {
    QTimer* timer = nullptr;
    TimerRoutine routine;
};

Dialog::Dialog(DialogTemplate tmpl, Dialog* owner, DialogProc procedure, std::intptr_t parameter)
    : template_(std::move(tmpl)), owner_(owner), procedure_(std::move(procedure)), parameter_(parameter),
      units_(ui::baseUnits(template_.fontFace, template_.fontPoints)), caption_(template_.caption)
{
    const Rect px = units_.toPixels(template_.rect);
    surface_ = std::make_shared<Surface>(std::max(px.width, Screen::kWidth), std::max(px.height, Screen::kHeight));
    widget_ = new DialogWidget(this);
    setAccessibleKind(widget_, AccessibleKind::Dialog);
    widget_->setFont(makeFont(template_.fontFace, -((template_.fontPoints * 96 + 36) / 72), 400));
    widget_->resize(px.width, px.height);
    for (const auto& ct : template_.controls) {
        controls_.emplace_back(createControl(this, ct, widget_, units_.toPixels(ct.rect)));
        // Controls without text of their own are named after their label.
        if (QWidget* w = controls_.back()->widget(); w && ct.text.empty())
            w->setAccessibleName(toQString(accessibleName(template_, ct)));
        if (QWidget* w = controls_.back()->widget())
            setAccessibleRole(w, accessibleRole(template_, ct));
    }
    // Earlier controls lie on top, as in the handheld's stacking order.
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if ((*it)->widget())
            (*it)->widget()->raise();
    widget_->overlay = new SurfaceOverlay(surface_, widget_);
    setAccessibleRole(widget_->overlay, AccessibleRole::Omitted);
    widget_->overlay->setGeometry(widget_->rect());
    widget_->overlay->raise();
}

Dialog::~Dialog()
{
    for (auto& [id, timer] : timers_)
        delete timer->timer;
    timers_.clear();
    controls_.clear();
    delete widget_;
}

QWidget* Dialog::widget() const
{
    return widget_;
}

void Dialog::setCaption(std::u16string_view caption)
{
    caption_ = caption;
    if (Screen::exists())
        Screen::instance().refresh();
}

template <class T> T& Dialog::typed(int id)
{
    for (auto& c : controls_)
        if (c->id() == id)
            if (auto* t = dynamic_cast<T*>(c.get()))
                return *t;
    // A stand-in that ignores every call; one per id and type.
    auto& slot = nullControls_[{id, std::type_index(typeid(T))}];
    if (!slot)
        slot.reset(new T(this, nullptr, nullptr));
    return static_cast<T&>(*slot);
}

Control& Dialog::control(int id) { return typed<Control>(id); }
StaticControl& Dialog::staticControl(int id) { return typed<StaticControl>(id); }
Button& Dialog::button(int id) { return typed<Button>(id); }
CheckBox& Dialog::checkBox(int id) { return typed<CheckBox>(id); }
Edit& Dialog::edit(int id) { return typed<Edit>(id); }
ComboBox& Dialog::comboBox(int id) { return typed<ComboBox>(id); }
ListBox& Dialog::listBox(int id) { return typed<ListBox>(id); }
ScrollBar& Dialog::scrollBar(int id) { return typed<ScrollBar>(id); }
TreeView& Dialog::treeView(int id) { return typed<TreeView>(id); }
TabControl& Dialog::tabControl(int id) { return typed<TabControl>(id); }

bool Dialog::hasControl(int id) const
{
    for (const auto& c : controls_)
        if (c->id() == id)
            return true;
    return false;
}

std::intptr_t Dialog::send(const Event& event)
{
    // Before the initialise event and after the destroy event the procedure
    // hears nothing.
    if (destroyed_ || (!initialised_ && event.kind != EventKind::Initialise))
        return 0;
    if (!procedure_)
        return 0;
    return procedure_(*this, event);
}

std::intptr_t Dialog::sendCommand(int controlId, int code)
{
    Event e;
    e.kind = EventKind::Command;
    e.controlId = controlId;
    e.code = code;
    return send(e);
}

void Dialog::setTimer(int timerId, int milliseconds, TimerRoutine routine)
{
    killTimer(timerId);
    auto timer = std::make_unique<Timer>();
    // Owned by the window, so a timer that is still waiting to be deleted
    // goes with it at the latest.
    timer->timer = new QTimer(widget_);
    timer->timer->setInterval(std::max(0, milliseconds));
    timer->routine = std::move(routine);
    QObject::connect(timer->timer, &QTimer::timeout, timer->timer, [this, timerId] { fireTimer(timerId); });
    timer->timer->start();
    timers_[timerId] = std::move(timer);
}

void Dialog::killTimer(int timerId)
{
    const auto it = timers_.find(timerId);
    if (it == timers_.end())
        return;
    // The timer may be the one whose tick is running: let Qt delete it later.
    it->second->timer->stop();
    it->second->timer->deleteLater();
    timers_.erase(it);
}

bool Dialog::hasTimer(int timerId) const
{
    return timers_.count(timerId) != 0;
}

int Dialog::timerInterval(int timerId) const
{
    const auto it = timers_.find(timerId);
    return it == timers_.end() ? -1 : it->second->timer->interval();
}

void Dialog::fireTimer(int timerId)
{
    const auto it = timers_.find(timerId);
    if (it == timers_.end() || destroyed_)
        return;
    const TimerRoutine routine = it->second->routine;
    if (routine) {
        routine(*this, timerId);
        return;
    }
    Event e;
    e.kind = EventKind::Timer;
    e.timerId = timerId;
    send(e);
}

void Dialog::invalidate()
{
    if (widget_)
        widget_->update();
}

void Dialog::repaintNow()
{
    if (widget_)
        widget_->repaint();
}

void Dialog::repaintNow(const Rect& area)
{
    if (widget_)
        widget_->repaint(area.x, area.y, area.width, area.height);
}

void Dialog::setShown(bool shown)
{
    if (widget_)
        widget_->setVisible(shown);
    if (shown && Screen::exists() && Screen::instance().top() == this)
        Screen::instance().focusFront();
}

int Dialog::width() const
{
    return widget_ ? widget_->width() : 0;
}

int Dialog::height() const
{
    return widget_ ? widget_->height() : 0;
}

void Dialog::setDoneButton(bool shown)
{
    doneButton_ = shown;
    if (Screen::exists())
        Screen::instance().refresh();
}

void Dialog::setFullScreen(bool fullScreen)
{
    fullScreen_ = fullScreen;
    if (!widget_)
        return;
    if (fullScreen) {
        const Rect area = Screen::exists() ? Screen::instance().dialogAreaRect() : Rect{0, 0, Screen::kWidth, Screen::kHeight - 2 * Screen::kBarHeight};
        widget_->setGeometry(0, 0, area.width, area.height);
    } else {
        const Rect px = units_.toPixels(template_.rect);
        widget_->setGeometry(px.x, px.y, px.width, px.height);
    }
}

void Dialog::initialise()
{
    initialised_ = true;
    Event e;
    e.kind = EventKind::Initialise;
    e.parameter = parameter_;
    send(e);
}

void Dialog::runModal()
{
    if (ended_)
        return;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
}

void Dialog::end(std::intptr_t result)
{
    result_ = result;
    ended_ = true;
    if (loop_)
        loop_->quit();
}

void Dialog::destroy()
{
    if (destroyed_)
        return;
    Event e;
    e.kind = EventKind::Destroy;
    send(e);
    destroyed_ = true;
    for (auto& [id, timer] : timers_) {
        timer->timer->stop();
        timer->timer->deleteLater();
    }
    timers_.clear();
}

std::intptr_t dialogBox(int templateId, Dialog* owner, DialogProc procedure, std::intptr_t parameter)
{
    auto tmpl = loadTemplate(templateId);
    if (!tmpl)
        return -1;
    return dialogBox(std::move(*tmpl), owner, std::move(procedure), parameter);
}

std::intptr_t dialogBox(DialogTemplate tmpl, Dialog* owner, DialogProc procedure, std::intptr_t parameter)
{
    Screen& screen = Screen::instance();
    auto dialog = std::make_unique<Dialog>(std::move(tmpl), owner, std::move(procedure), parameter);
    dialog->setFullScreen(false);
    screen.push(*dialog);
    dialog->initialise();
    if (dialogHook() && !dialog->ended()) {
        const DialogHook hook = dialogHook();
        hook(*dialog);
    }
    dialog->runModal();
    dialog->destroy();
    screen.pop(*dialog);
    return dialog->result();
}

void endDialog(Dialog& dialog, std::intptr_t result)
{
    dialog.end(result);
}

void setDialogHook(DialogHook hook)
{
    dialogHook() = std::move(hook);
}

std::intptr_t defaultDialogProc(Dialog& dialog, const Event& event)
{
    if (event.kind == EventKind::Command && event.controlId == kIdOk)
        endDialog(dialog, 1);
    return 0;
}

} // namespace ui
