// A window's drawing surface: what a timer routine or a second thread draws
// "straight onto the screen" lands here, and the window shows it on its next
// paint. Drawing takes a lock; the drawing thread never touches a widget.
#pragma once

#include "platform/ui/DrawContext.h"

#include <QImage>

#include <functional>
#include <mutex>

class QObject;

namespace ui {

class Surface {
public:
    Surface(int width, int height);

    // Draws into the surface under its lock, from any thread, then asks the
    // window (if it still exists) to repaint.
    void draw(const std::function<void(DrawContext&)>& painter);
    // Forgets everything drawn, so the controls underneath show again.
    void clear();
    void resize(int width, int height);
    // A copy of the current contents.
    QImage snapshot() const;
    bool isEmpty() const;

    // The window side: the object that receives repaint requests, or null
    // when the window is gone.
    void attach(QObject* receiver);
    void detach();

private:
    // The image is made on the first drawing: most windows never draw
    // straight onto the screen, and their surface costs no memory.
    void ensureImage();

    mutable std::mutex mutex_;
    int width_;
    int height_;
    QImage image_;
    bool empty_ = true;
    QObject* receiver_ = nullptr;
};

} // namespace ui
