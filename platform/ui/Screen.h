// The one top-level window that plays the handheld's screen: a navigation bar
// with the active dialog's caption and its Done button, the dialog area where
// full-screen dialogs stack, and a menu bar at the bottom.
#pragma once

#include "platform/ui/Geometry.h"

#include <functional>
#include <string_view>
#include <vector>

class QLabel;
class QPushButton;
class QWidget;

namespace ui {

class Dialog;

class Screen {
public:
    static constexpr int kWidth = 240;
    static constexpr int kHeight = 320;
    static constexpr int kBarHeight = 26;
    // The room the on-screen keyboard takes below the screen when shown; the
    // zoom is chosen so the window fits with it.
    static constexpr int kRoomBelow = 80;
    static constexpr int kTallestHeight = kHeight + kRoomBelow;

    static Screen& instance();
    static bool exists();
    // Deletes the window; call before the application object goes.
    static void destroy();

    QWidget* window() const;
    QWidget* dialogArea() const;
    QWidget* menuBar() const;
    // The dialog area in the window's pixels.
    Rect dialogAreaRect() const;

    void push(Dialog& dialog);
    void pop(Dialog& dialog);
    Dialog* top() const;
    const std::vector<Dialog*>& stack() const;
    // Ids of the dialogs on the screen, bottom first.
    std::vector<int> templateStack() const;

    // Brings caption, title and Done button in line with the top dialog.
    void refresh();
    QLabel* captionLabel() const;
    QPushButton* doneButton() const;
    // A tap on the Done button: command 1 to the top dialog.
    void pressDone();

    // A modal panel over the dialogs (a message box): keyboard focus walks
    // inside it, and closing the window dismisses it before the dialogs end.
    void pushModalPanel(QWidget* panel, std::function<void()> dismiss);
    void popModalPanel(QWidget* panel);
    // Where keys and focus belong: the front modal panel, else the top dialog.
    QWidget* frontWidget() const;
    bool isInFront(const QWidget* widget) const;
    // Gives the focus to preferred when it lies in the front widget, else
    // keeps it where it is when that is in front, else gives it to the front
    // widget: a dialog hidden while it initialised, or a message box that
    // closed, never leaves the keys with a covered dialog. A focus that
    // stays put is announced to a reader when asked.
    void focusFront(QWidget* preferred = nullptr, bool announceUnmoved = false);
    // The controls Tab walks in the front widget, in template order.
    std::vector<QWidget*> focusStops() const;
    // Moves the focus to the next (or previous) stop, wrapping round.
    bool moveFocus(bool forward);
    // Enter where the focused widget does not take it: presses the focused
    // button or the template's default button; from a one-line edit field it
    // moves the focus to the next control.
    bool pressDefault();

    // Runs work from the event loop after the window's first paint (at once
    // when it has been painted): for work the first screen does not need.
    void afterFirstPaint(std::function<void()> work);

    // A panel that lies below the 240 x 320 screen (the on-screen keyboard):
    // the window grows by its height while it is shown and shrinks back when
    // it hides, so the screen itself is never covered. The panel tells the
    // screen of every change with fitBelow.
    void placeBelow(QWidget* panel);
    void fitBelow();

    // The zoom keys: one step up (to the largest zoom whose screen fits the
    // desktop), one step down (to 1), and back to the zoom a start chooses.
    // The window is made again at the new zoom, so text is laid out afresh.
    void zoomIn();
    void zoomOut();
    void resetZoom();
    void setZoom(double zoom);
    double largestZoom() const;

    ~Screen();

private:
    Screen();
    void keepGrownWindowOnDesktop();
    void putBackAfterShrinking();
    struct Impl;
    Impl* impl_;
};

// Top-level windows found by their class name, as the shell finds the input
// panel and its button.
void registerWindow(std::u16string_view className, QWidget* window);
void unregisterWindow(QWidget* window);
QWidget* findWindow(std::u16string_view className);

} // namespace ui
