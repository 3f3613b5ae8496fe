// The base of every typed control wrapper: a control of a dialog reached by
// id. A wrapper for an id the dialog does not have accepts every call and
// does nothing, as a missing control did on the handheld.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/Template.h"

#include <QPointer>
#include <QWidget>

#include <string>
#include <string_view>

namespace ui {

class Dialog;
class Font;

class Control {
public:
    Control(Dialog* dialog, const ControlTemplate* tmpl, QWidget* widget);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int id() const { return id_; }
    ControlKind kind() const { return kind_; }
    bool exists() const { return !widget_.isNull(); }
    QWidget* widget() const { return widget_.data(); }
    Dialog* dialog() const { return dialog_; }

    void show(bool visible);
    bool isVisible() const;
    void setEnabled(bool enabled);
    bool isEnabled() const;
    void setFont(const Font* font, bool redraw = true);
    void setFocus();
    void invalidate();
    // Position and size in the dialog's pixels.
    Rect rect() const;
    void move(const Rect& rect);

protected:
    Dialog* dialog_;
    int id_;
    ControlKind kind_;
    QPointer<QWidget> widget_;
};

std::u16string toU16(const QString& s);
QString toQString(std::u16string_view s);

} // namespace ui
