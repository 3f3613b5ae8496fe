// The base wrapper's operations, common to every control kind.
#include "platform/ui/Control.h"

#include "platform/ui/ControlSupport.h"
#include "platform/ui/Fonts.h"

namespace ui {

std::u16string toU16(const QString& s)
{
    return std::u16string(reinterpret_cast<const char16_t*>(s.utf16()), static_cast<std::size_t>(s.size()));
}

QString toQString(std::u16string_view s)
{
    return QString::fromUtf16(s.data(), static_cast<qsizetype>(s.size()));
}

Control::Control(Dialog* dialog, const ControlTemplate* tmpl, QWidget* widget)
    : dialog_(dialog), id_(tmpl ? tmpl->id : 0), kind_(tmpl ? tmpl->kind : ControlKind::Static), widget_(widget)
{
}

void Control::show(bool visible)
{
    if (widget_)
        widget_->setVisible(visible);
}

bool Control::isVisible() const
{
    return widget_ && !widget_->isHidden();
}

void Control::setEnabled(bool enabled)
{
    if (widget_)
        widget_->setEnabled(enabled);
}

bool Control::isEnabled() const
{
    return widget_ && widget_->isEnabled();
}

void Control::setFont(const Font* font, bool redraw)
{
    if (!widget_ || !font)
        return;
    widget_->setFont(isEditField(widget_) ? withFallbackFaces(font->qfont()) : font->qfont());
    if (redraw)
        widget_->update();
}

void Control::setFocus()
{
    if (widget_)
        widget_->setFocus(Qt::OtherFocusReason);
}

void Control::invalidate()
{
    if (widget_)
        widget_->update();
}

Rect Control::rect() const
{
    if (!widget_)
        return {};
    const QRect g = widget_->geometry();
    return Rect{g.x(), g.y(), g.width(), g.height()};
}

void Control::move(const Rect& r)
{
    if (widget_)
        widget_->setGeometry(r.x, r.y, r.width, r.height);
}

} // namespace ui
