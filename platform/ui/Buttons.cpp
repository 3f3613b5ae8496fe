// Buttons: a click becomes the click command; an owner-drawn button asks the
// procedure to draw it, a check box asks for its colours.
#include "platform/ui/Buttons.h"

#include "platform/ui/ControlSupport.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/DrawContext.h"

#include <QCheckBox>
#include <QPainter>
#include <QPushButton>

namespace ui {

namespace {

class OwnerDrawWidget : public QAbstractButton {
public:
    OwnerDrawWidget(Dialog* dialog, int id, QWidget* parent) : QAbstractButton(parent), dialog_(dialog), id_(id)
    {
        setFocusPolicy(Qt::NoFocus);
        connect(this, &QAbstractButton::clicked, this, [this] { dialog_->sendCommand(id_, kClicked); });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        DrawContext dc(painter);
        Event e;
        e.kind = EventKind::DrawItem;
        e.controlId = id_;
        e.dc = &dc;
        e.rect = Rect{0, 0, width(), height()};
        e.pressed = isDown();
        dialog_->send(e);
    }

private:
    Dialog* dialog_;
    int id_;
};

class CheckWidget : public QCheckBox {
public:
    CheckWidget(Dialog* dialog, int id, const QString& text, QWidget* parent)
        : QCheckBox(text, parent), dialog_(dialog), id_(id)
    {
        connect(this, &QAbstractButton::clicked, this, [this] { dialog_->sendCommand(id_, kClicked); });
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        {
            QPainter painter(this);
            DrawContext dc(painter);
            const Brush* brush = colourRequest(dialog_, id_, dc);
            if (brush)
                painter.fillRect(rect(), toQColor(brush->colour));
            QPalette p = palette();
            p.setColor(QPalette::WindowText, toQColor(dc.textColour()));
            if (p != palette())
                setPalette(p);
        }
        QCheckBox::paintEvent(event);
    }

private:
    Dialog* dialog_;
    int id_;
};

QAbstractButton* abstractButton(QWidget* widget)
{
    return dynamic_cast<QAbstractButton*>(widget);
}

} // namespace

void Button::setText(std::u16string_view text)
{
    if (auto* b = abstractButton(widget_.data()))
        b->setText(toQString(text));
}

std::u16string Button::text() const
{
    if (auto* b = abstractButton(widget_.data()))
        return toU16(b->text());
    return {};
}

void Button::click()
{
    if (auto* b = abstractButton(widget_.data()))
        b->click();
}

bool CheckBox::isChecked() const
{
    auto* b = abstractButton(widget_.data());
    return b && b->isChecked();
}

void CheckBox::setChecked(bool checked)
{
    if (auto* b = abstractButton(widget_.data()))
        b->setChecked(checked);
}

Control* createPushButton(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    auto* b = new QPushButton(toQString(t.text), parent);
    const int id = t.id;
    QObject::connect(b, &QPushButton::clicked, b, [dialog, id] { dialog->sendCommand(id, kClicked); });
    if (t.has(style::kMultiLine))
        b->setStyleSheet(QStringLiteral("text-align: center;"));
    b->setGeometry(px.x, px.y, px.width, px.height);
    return new Button(dialog, &t, b);
}

Control* createOwnerDrawButton(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    auto* b = new OwnerDrawWidget(dialog, t.id, parent);
    b->setGeometry(px.x, px.y, px.width, px.height);
    return new Button(dialog, &t, b);
}

Control* createCheckBox(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    auto* b = new CheckWidget(dialog, t.id, toQString(t.text), parent);
    b->setGeometry(px.x, px.y, px.width, px.height);
    return new CheckBox(dialog, &t, b);
}

} // namespace ui
