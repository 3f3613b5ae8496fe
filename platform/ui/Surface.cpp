// Drawing surface with its lock and repaint request.
#include "platform/ui/Surface.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>

namespace ui {

Surface::Surface(int width, int height) : width_(std::max(1, width)), height_(std::max(1, height)) {}

void Surface::ensureImage()
{
    if (!image_.isNull())
        return;
    image_ = QImage(width_, height_, QImage::Format_ARGB32_Premultiplied);
    image_.fill(Qt::transparent);
}

void Surface::draw(const std::function<void(DrawContext&)>& paint)
{
    std::lock_guard lock(mutex_);
    ensureImage();
    {
        QPainter painter(&image_);
        DrawContext dc(painter);
        paint(dc);
    }
    empty_ = false;
    // Posting an event is safe from any thread; the receiver is detached
    // under the same lock before it is deleted.
    if (receiver_)
        QCoreApplication::postEvent(receiver_, new QEvent(QEvent::UpdateRequest));
}

void Surface::clear()
{
    std::lock_guard lock(mutex_);
    if (!image_.isNull())
        image_.fill(Qt::transparent);
    empty_ = true;
    if (receiver_)
        QCoreApplication::postEvent(receiver_, new QEvent(QEvent::UpdateRequest));
}

void Surface::resize(int width, int height)
{
    std::lock_guard lock(mutex_);
    width = std::max(1, width);
    height = std::max(1, height);
    if (width_ == width && height_ == height)
        return;
    width_ = width;
    height_ = height;
    if (image_.isNull())
        return;
    QImage bigger(std::max(1, width), std::max(1, height), QImage::Format_ARGB32_Premultiplied);
    bigger.fill(Qt::transparent);
    QPainter(&bigger).drawImage(0, 0, image_);
    image_ = bigger;
}

QImage Surface::snapshot() const
{
    std::lock_guard lock(mutex_);
    if (image_.isNull()) {
        QImage blank(width_, height_, QImage::Format_ARGB32_Premultiplied);
        blank.fill(Qt::transparent);
        return blank;
    }
    return image_.copy();
}

bool Surface::isEmpty() const
{
    std::lock_guard lock(mutex_);
    return empty_;
}

void Surface::attach(QObject* receiver)
{
    std::lock_guard lock(mutex_);
    receiver_ = receiver;
}

void Surface::detach()
{
    std::lock_guard lock(mutex_);
    receiver_ = nullptr;
}

} // namespace ui
