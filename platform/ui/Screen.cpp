// The screen window: navigation bar, dialog area, menu bar.
#include "platform/ui/Screen.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Fonts.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <algorithm>
#include <map>

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
    std::function<void()> firstPaint;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QWidget::paintEvent(event);
        if (firstPaint) {
            auto observer = std::move(firstPaint);
            firstPaint = nullptr;
            observer();
        }
    }
};

class ScreenWindow : public QWidget {
public:
    std::function<void()> closing;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), Qt::white); }
    void closeEvent(QCloseEvent* event) override
    {
        // Closing the window is Done on every open dialog, top first.
        event->ignore();
        if (closing)
            closing();
    }
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
};

Screen::Screen() : impl_(new Impl)
{
    loadFonts();
    auto* w = new ScreenWindow;
    impl_->window = w;
    w->setFixedSize(kWidth, kHeight);
    w->setFont(makeFont(u"Tahoma", -11, 400));

    impl_->navBar = new NavigationBar(w);
    impl_->navBar->setGeometry(0, 0, kWidth, kBarHeight);
    impl_->navBar->setAutoFillBackground(true);
    QPalette navPalette = impl_->navBar->palette();
    navPalette.setColor(QPalette::Window, QColor(0, 51, 153));
    navPalette.setColor(QPalette::WindowText, Qt::white);
    impl_->navBar->setPalette(navPalette);
    auto* navLayout = new QHBoxLayout(impl_->navBar);
    navLayout->setContentsMargins(6, 2, 3, 2);
    impl_->caption = new QLabel(impl_->navBar);
    impl_->caption->setFont(makeFont(u"Tahoma", -12, 700));
    impl_->caption->setPalette(navPalette);
    navLayout->addWidget(impl_->caption, 1);
    impl_->done = new QPushButton(QStringLiteral("ok"), impl_->navBar);
    impl_->done->setFixedSize(26, 20);
    impl_->done->setFocusPolicy(Qt::NoFocus);
    impl_->done->setFont(makeFont(u"Tahoma", -12, 700));
    impl_->done->setStyleSheet(QStringLiteral(
        "QPushButton { color: white; background: rgb(0,51,153); border: 2px solid white; border-radius: 10px; padding: 0; }"
        "QPushButton:pressed { background: rgb(80,120,200); }"));
    navLayout->addWidget(impl_->done);
    QObject::connect(impl_->done, &QPushButton::clicked, impl_->done, [this] { pressDone(); });

    impl_->area = new QWidget(w);
    impl_->area->setGeometry(0, kBarHeight, kWidth, kHeight - 2 * kBarHeight);

    impl_->menuBar = new QWidget(w);
    impl_->menuBar->setGeometry(0, kHeight - kBarHeight, kWidth, kBarHeight);
    impl_->menuBar->setAutoFillBackground(true);
    QPalette menuPalette = impl_->menuBar->palette();
    menuPalette.setColor(QPalette::Window, QColor(214, 211, 206));
    impl_->menuBar->setPalette(menuPalette);

    w->closing = [this] {
        const auto dialogs = impl_->stack;
        for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it)
            (*it)->sendCommand(kIdOk);
    };
    refresh();
}

Screen::~Screen()
{
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
    impl_->stack.push_back(&dialog);
    QWidget* w = dialog.widget();
    const QRect g = w->geometry();
    w->setParent(impl_->area);
    w->setGeometry(g);
    w->show();
    w->raise();
    refresh();
    if (!impl_->window->isVisible())
        impl_->window->show();
}

void Screen::pop(Dialog& dialog)
{
    auto& s = impl_->stack;
    s.erase(std::remove(s.begin(), s.end(), &dialog), s.end());
    if (dialog.widget())
        dialog.widget()->hide();
    refresh();
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

void Screen::setFirstPaintObserver(std::function<void()> observer)
{
    static_cast<NavigationBar*>(impl_->navBar)->firstPaint = std::move(observer);
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
