// The screen window: navigation bar, dialog area, menu bar.
#include "platform/ui/Screen.h"

#include "platform/ui/AccessibleObjects.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Zoom.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace ui {

namespace {

Screen*& screenInstance()
{
    static Screen* screen = nullptr;
    return screen;
}

std::map<std::u16string, QWidget*>& windowClasses()
{
    static std::map<std::u16string, QWidget*> classes;
    return classes;
}

// The navigation bar is always on screen and opaque, so its first paint is
// the window's first paint.
class NavigationBar : public QWidget {
public:
    using QWidget::QWidget;
    bool painted = false;
    std::vector<std::function<void()>> afterFirstPaint;

    // Runs work from the event loop once the window has been painted.
    void queueAfterFirstPaint(std::function<void()> work)
    {
        if (painted)
            QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
        else
            afterFirstPaint.push_back(std::move(work));
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        if (painted)
            return;
        painted = true;
        // Not from inside the paint: the work may open a message box.
        for (auto& work : afterFirstPaint)
            QMetaObject::invokeMethod(this, std::move(work), Qt::QueuedConnection);
        afterFirstPaint.clear();
    }
};

const QColor kNavigationBlue(0, 51, 153);

// The navigation bar: the caption from the left, the Done button at the right.
constexpr int kBarMargin = 2;
constexpr int kCaptionLeft = 6;
constexpr int kDoneWidth = 26;
constexpr int kDoneHeight = 20;
constexpr int kDoneRightMargin = 3;
constexpr int kDoneLeft = Screen::kWidth - kDoneRightMargin - kDoneWidth;
constexpr int kDoneGap = 6;

// The Done button: a white-rimmed pill on the navigation bar, drawn by hand
// because a style sheet costs more at start than the whole bar.
class DoneButton : public QPushButton {
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::white, 2));
        p.setBrush(isDown() ? QColor(80, 120, 200) : kNavigationBlue);
        const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
        p.drawRoundedRect(r, r.height() / 2, r.height() / 2);
        p.setPen(Qt::white);
        p.setFont(font());
        p.drawText(rect(), Qt::AlignCenter, text());
    }
};

class ScreenWindow : public QWidget {
public:
    std::function<void()> closing;
    Screen* screen = nullptr;

    // Qt takes a new scale factor only for windows made after it: the
    // window is made again, where it was, with the focus where it was.
    void remake(double zoom)
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        const QPointer<QWidget> focus = focusWidget();
        const QPoint nativeTopLeft = pos() * currentZoom();
        const bool shown = isVisible();
        hide();
        destroy(true, true);
        setApplicationZoom(zoom);
        create();
        move(nativeTopLeft / zoom);
        if (shown) {
            show();
            activateWindow();
        }
        if (focus)
            focus->setFocus(Qt::OtherFocusReason);
    }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
    void closeEvent(QCloseEvent* event) override
    {
        // Closing the window is Done on every open dialog, top first.
        event->ignore();
        if (closing)
            closing();
    }
    // Tab and Shift+Tab walk only the dialog in front, never the covered ones.
    bool focusNextPrevChild(bool next) override { return screen->moveFocus(next); }
    // Keys that no control took.
    void keyPressEvent(QKeyEvent* event) override
    {
        const bool alt = event->modifiers() & Qt::AltModifier;
        switch (event->key()) {
        case Qt::Key_F4:
            if (!alt)
                break;
            close();
            return;
        case Qt::Key_Escape:
            screen->pressDone();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            screen->pressDefault();
            return;
        case Qt::Key_Up:
        case Qt::Key_Left:
            screen->moveFocus(false);
            return;
        case Qt::Key_Down:
        case Qt::Key_Right:
            screen->moveFocus(true);
            return;
        default:
            break;
        }
        QWidget::keyPressEvent(event);
    }
};

// Ctrl with plus, minus or 0, wherever the focus is in the program (an edit
// field or an open list would take the key otherwise); the keypad's keys too.
class ZoomKeys : public QObject {
public:
    explicit ZoomKeys(Screen* screen) : screen_(screen) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (mods != Qt::ControlModifier)
            return false;
        switch (key->key()) {
        case Qt::Key_Plus:
        case Qt::Key_Equal:
            screen_->zoomIn();
            return true;
        case Qt::Key_Minus:
            screen_->zoomOut();
            return true;
        case Qt::Key_0:
            screen_->resetZoom();
            return true;
        default:
            return false;
        }
    }

private:
    Screen* screen_;
};

} // namespace

struct Screen::Impl {
    ScreenWindow* window = nullptr;
    QWidget* navBar = nullptr;
    QLabel* caption = nullptr;
    QPushButton* done = nullptr;
    QWidget* area = nullptr;
    QWidget* menuBar = nullptr;
    std::vector<Dialog*> stack;
    // Where the focus was when each dialog came up, to give it back after.
    std::vector<QPointer<QWidget>> focusBefore;
    struct ModalPanel {
        QWidget* panel;
        std::function<void()> dismiss;
        QPointer<QWidget> focusBefore;
    };
    std::vector<ModalPanel> panels;
    QPointer<QWidget> below;
    // Where the window stood before it grew for the panel below, while grown.
    std::optional<QPoint> beforeGrowing;
    ZoomKeys* zoomKeys = nullptr;
};

Screen::Screen() : impl_(new Impl)
{
    loadFonts();
    installAccessibleObjects();
    auto* w = new ScreenWindow;
    setAccessibleKind(w, AccessibleKind::Window);
    w->screen = this;
    impl_->window = w;
    w->setFixedSize(kWidth, kHeight);
    // A window of fixed size has nothing to maximise.
    w->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                      Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    w->setFont(makeFont(u"Tahoma", -11, 400));

    impl_->navBar = new NavigationBar(w);
    setAccessibleKind(impl_->navBar, AccessibleKind::Bar);
    impl_->navBar->setGeometry(0, 0, kWidth, kBarHeight);
    impl_->navBar->setAutoFillBackground(true);
    QPalette navPalette = impl_->navBar->palette();
    navPalette.setColor(QPalette::Window, kNavigationBlue);
    navPalette.setColor(QPalette::WindowText, Qt::white);
    impl_->navBar->setPalette(navPalette);
    // Placed by hand: the bar never changes size, and a layout would measure
    // the caption's text before the window is first shown.
    impl_->caption = new QLabel(impl_->navBar);
    // The front dialog carries the caption as its name.
    setAccessibleRole(impl_->caption, AccessibleRole::Omitted);
    impl_->caption->setFont(makeFont(u"Tahoma", -12, 700));
    impl_->caption->setPalette(navPalette);
    impl_->caption->setGeometry(kCaptionLeft, kBarMargin, kDoneLeft - kDoneGap - kCaptionLeft, kBarHeight - 2 * kBarMargin);
    impl_->done = new DoneButton(QStringLiteral("ok"), impl_->navBar);
    impl_->done->setGeometry(kDoneLeft, (kBarHeight - kDoneHeight) / 2, kDoneWidth, kDoneHeight);
    impl_->done->setFocusPolicy(Qt::NoFocus);
    impl_->done->setFont(makeFont(u"Tahoma", -12, 700));
    QObject::connect(impl_->done, &QPushButton::clicked, impl_->done, [this] { pressDone(); });

    impl_->area = new QWidget(w);
    setAccessibleKind(impl_->area, AccessibleKind::DialogArea);
    impl_->area->setGeometry(0, kBarHeight, kWidth, kHeight - 2 * kBarHeight);

    impl_->menuBar = new QWidget(w);
    setAccessibleKind(impl_->menuBar, AccessibleKind::Bar);
    impl_->menuBar->setGeometry(0, kHeight - kBarHeight, kWidth, kBarHeight);
    impl_->menuBar->setAutoFillBackground(true);
    QPalette menuPalette = impl_->menuBar->palette();
    menuPalette.setColor(QPalette::Window, QColor(214, 211, 206));
    impl_->menuBar->setPalette(menuPalette);

    w->closing = [this] {
        // A message box in front is answered first, so its loop lets go.
        const auto panels = impl_->panels;
        for (auto it = panels.rbegin(); it != panels.rend(); ++it)
            it->dismiss();
        const auto dialogs = impl_->stack;
        for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
            (*it)->sendCommand(kIdOk);
    };
    impl_->zoomKeys = new ZoomKeys(this);
    qApp->installEventFilter(impl_->zoomKeys);
    refresh();
}

Screen::~Screen()
{
    if (qApp)
        qApp->removeEventFilter(impl_->zoomKeys);
    delete impl_->zoomKeys;
    delete impl_->window;
    delete impl_;
}

Screen& Screen::instance()
{
    if (!screenInstance())
        screenInstance() = new Screen;
    return *screenInstance();
}

bool Screen::exists()
{
    return screenInstance() != nullptr;
}

void Screen::destroy()
{
    delete screenInstance();
    screenInstance() = nullptr;
    windowClasses().clear();
}

QWidget* Screen::window() const { return impl_->window; }
QWidget* Screen::dialogArea() const { return impl_->area; }
QWidget* Screen::menuBar() const { return impl_->menuBar; }
QLabel* Screen::captionLabel() const { return impl_->caption; }
QPushButton* Screen::doneButton() const { return impl_->done; }

Rect Screen::dialogAreaRect() const
{
    const QRect g = impl_->area->geometry();
    return Rect{g.x(), g.y(), g.width(), g.height()};
}

void Screen::push(Dialog& dialog)
{
    QWidget* covered = frontWidget();
    impl_->stack.push_back(&dialog);
    impl_->focusBefore.emplace_back(impl_->window->focusWidget());
    QWidget* w = dialog.widget();
    const QRect g = w->geometry();
    w->setParent(impl_->area);
    w->setGeometry(g);
    w->show();
    w->raise();
    refresh();
    if (!impl_->window->isVisible())
        impl_->window->show();
    announceFrontChange(covered, w);
    // Keys go to the new dialog, not to a control of the one it covers.
    w->setFocus(Qt::OtherFocusReason);
}

void Screen::pop(Dialog& dialog)
{
    auto& s = impl_->stack;
    const auto it = std::find(s.begin(), s.end(), &dialog);
    QPointer<QWidget> focus;
    if (it != s.end()) {
        const auto at = impl_->focusBefore.begin() + (it - s.begin());
        focus = *at;
        impl_->focusBefore.erase(at);
        s.erase(it);
    }
    refresh();
    announceFrontChange(dialog.widget(), frontWidget());
    // The keys go back before the dialog hides, so that the focus does not
    // pass through another control on its way.
    if (focus && focus->isVisible() && isInFront(focus))
        focus->setFocus(Qt::OtherFocusReason);
    else if (Dialog* d = top(); d && d->widget())
        d->widget()->setFocus(Qt::OtherFocusReason);
    if (dialog.widget())
        dialog.widget()->hide();
}

Dialog* Screen::top() const
{
    return impl_->stack.empty() ? nullptr : impl_->stack.back();
}

const std::vector<Dialog*>& Screen::stack() const
{
    return impl_->stack;
}

std::vector<int> Screen::templateStack() const
{
    std::vector<int> ids;
    for (const Dialog* d : impl_->stack)
        ids.push_back(d->templateId());
    return ids;
}

void Screen::refresh()
{
    Dialog* d = top();
    const QString caption = d ? toQString(d->caption()) : QString();
    impl_->caption->setText(caption);
    impl_->window->setWindowTitle(caption.isEmpty() ? QStringLiteral("Vinaria") : caption);
    impl_->done->setVisible(d && d->hasDoneButton());
}

void Screen::pressDone()
{
    if (Dialog* d = top(); d && d->hasDoneButton())
        d->sendCommand(kIdOk, kClicked);
}

void Screen::pushModalPanel(QWidget* panel, std::function<void()> dismiss)
{
    QWidget* covered = frontWidget();
    impl_->panels.push_back({panel, std::move(dismiss), impl_->window->focusWidget()});
    announceFrontChange(covered, panel);
}

void Screen::popModalPanel(QWidget* panel)
{
    auto& panels = impl_->panels;
    for (auto it = panels.begin(); it != panels.end(); ++it) {
        if (it->panel != panel)
            continue;
        const QPointer<QWidget> focus = it->focusBefore;
        panels.erase(it);
        announceFrontChange(panel, frontWidget());
        // Back where it was, unless that is a covered dialog's control; a
        // reader hears where, even when the keys never left it.
        const bool before = focus && focus != panel && !panel->isAncestorOf(focus);
        focusFront(before ? focus.data() : nullptr, true);
        return;
    }
}

bool Screen::isInFront(const QWidget* widget) const
{
    const QWidget* front = frontWidget();
    return widget && front && (widget == front || front->isAncestorOf(widget));
}

void Screen::focusFront(QWidget* preferred, bool announceUnmoved)
{
    QWidget* front = frontWidget();
    if (!front || !front->isVisible())
        return;
    QWidget* focus = impl_->window->focusWidget();
    auto usable = [&](QWidget* w) { return w && w->isVisible() && isInFront(w); };
    QWidget* target = usable(preferred) ? preferred : usable(focus) ? focus : front;
    if (target != focus)
        target->setFocus(Qt::OtherFocusReason);
    else if (announceUnmoved)
        announceFocus(target);
}

QWidget* Screen::frontWidget() const
{
    if (!impl_->panels.empty())
        return impl_->panels.back().panel;
    const Dialog* d = top();
    return d ? d->widget() : nullptr;
}

std::vector<QWidget*> Screen::focusStops() const
{
    std::vector<QWidget*> stops;
    QWidget* front = frontWidget();
    if (!front)
        return stops;
    auto take = [&](QWidget* w) {
        if (w && w->isVisibleTo(front) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus))
            stops.push_back(w);
    };
    if (impl_->panels.empty()) {
        for (const auto& control : top()->controls())
            take(control->widget());
    } else {
        for (QWidget* child : front->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            take(child);
    }
    return stops;
}

bool Screen::moveFocus(bool forward)
{
    const std::vector<QWidget*> stops = focusStops();
    if (stops.empty())
        return true;
    QWidget* current = impl_->window->focusWidget();
    const auto n = static_cast<std::ptrdiff_t>(stops.size());
    std::ptrdiff_t next = forward ? 0 : n - 1;
    for (std::ptrdiff_t i = 0; i < n; ++i) {
        if (current && (stops[i] == current || stops[i]->isAncestorOf(current))) {
            next = (i + (forward ? 1 : n - 1)) % n;
            break;
        }
    }
    stops[static_cast<std::size_t>(next)]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

bool Screen::pressDefault()
{
    QWidget* focus = impl_->window->focusWidget();
    // A check box or radio button changes with Space or a click only, as on
    // every desktop: Return moves on from it as from a field, so Return
    // pressed twice after typing a note never unticks the bookmark.
    const bool choice = qobject_cast<QCheckBox*>(focus) || qobject_cast<QRadioButton*>(focus);
    if (auto* button = qobject_cast<QAbstractButton*>(focus); button && !choice) {
        button->click();
        return true;
    }
    Dialog* d = top();
    if (!d || !impl_->panels.empty())
        return false;
    // A button the template names the default one is pressed from anywhere.
    for (const auto& control : d->controls()) {
        const ControlTemplate* t = d->dialogTemplate().control(control->id());
        if (t && t->has(style::kDefaultButton) && control->isVisible() && control->isEnabled()) {
            static_cast<Button&>(*control).click();
            return true;
        }
    }
    // From a one-line edit field Return moves on, and never saves or deletes.
    if (qobject_cast<QLineEdit*>(focus) || choice)
        return moveFocus(true);
    return false;
}

void Screen::afterFirstPaint(std::function<void()> work)
{
    static_cast<NavigationBar*>(impl_->navBar)->queueAfterFirstPaint(std::move(work));
}

void Screen::placeBelow(QWidget* panel)
{
    impl_->below = panel;
    panel->setParent(impl_->window);
    panel->move(0, kHeight);
    fitBelow();
}

void Screen::fitBelow()
{
    QWidget* w = impl_->window;
    const int extra = impl_->below && !impl_->below->isHidden() ? impl_->below->height() : 0;
    if (w->height() == kHeight + extra)
        return;
    const bool growing = extra > 0;
    if (growing && w->isVisible() && !impl_->beforeGrowing)
        impl_->beforeGrowing = w->pos();
    w->setFixedSize(kWidth, kHeight + extra);
    if (!growing)
        putBackAfterShrinking();
    else if (w->isVisible())
        keepGrownWindowOnDesktop();
}

// A window grown past the bottom of the desktop moves up to show it all.
void Screen::keepGrownWindowOnDesktop()
{
    QWidget* w = impl_->window;
    const QScreen* desktop = w->screen();
    if (!desktop)
        return;
    const int over = w->frameGeometry().bottom() - desktop->availableGeometry().bottom();
    if (over > 0)
        w->move(w->x(), std::max(desktop->availableGeometry().top(), w->y() - over));
}

// Shrunk back, the window returns to where it stood before it grew, when it
// was only moved up to fit (by this program or the window manager); a
// window the user moved elsewhere stays there.
void Screen::putBackAfterShrinking()
{
    QWidget* w = impl_->window;
    const std::optional<QPoint> before = std::exchange(impl_->beforeGrowing, std::nullopt);
    if (!before || !w->isVisible())
        return;
    const int raised = before->y() - w->y();
    const int grownBy = impl_->below ? impl_->below->height() : 0;
    if (w->x() == before->x() && raised > 0 && raised <= grownBy)
        w->move(*before);
}

double Screen::largestZoom() const
{
    const QScreen* desktop = impl_->window->QWidget::screen();
    if (!desktop)
        return currentZoom();
    // The desktop's height in its own pixels, whatever the zoom now.
    const int available = static_cast<int>(desktop->availableGeometry().height() * currentZoom());
    return automaticZoom(available, kTallestHeight);
}

void Screen::setZoom(double zoom)
{
    if (zoom == currentZoom() || zoom < 1.0)
        return;
    impl_->window->remake(zoom);
}

void Screen::zoomIn()
{
    setZoom(zoomedIn(currentZoom(), largestZoom()));
}

void Screen::zoomOut()
{
    setZoom(zoomedOut(currentZoom()));
}

void Screen::resetZoom()
{
    setZoom(largestZoom());
}

void registerWindow(std::u16string_view className, QWidget* window)
{
    windowClasses()[std::u16string(className)] = window;
}

void unregisterWindow(QWidget* window)
{
    auto& classes = windowClasses();
    for (auto it = classes.begin(); it != classes.end();)
        it = it->second == window ? classes.erase(it) : std::next(it);
}

QWidget* findWindow(std::u16string_view className)
{
    const auto& classes = windowClasses();
    const auto it = classes.find(std::u16string(className));
    return it == classes.end() ? nullptr : it->second;
}

} // namespace ui
