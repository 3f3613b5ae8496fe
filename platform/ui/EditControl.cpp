// Edit fields: typing becomes the change command, focus the set- and
// kill-focus commands. Their font may borrow characters from other faces.
#include "platform/ui/EditControl.h"

#include "platform/ui/ControlSupport.h"
#include "platform/ui/Dialog.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

namespace ui {

namespace {

// Only the strategy: face and size still follow the dialog's font.
QFont fallbackFacesOnly()
{
    QFont font;
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

// An edit widget that tells its dialog when it takes and loses the focus.
template <class Base>
class FocusNotifying : public Base {
public:
    FocusNotifying(Dialog* dialog, int id, QWidget* parent) : Base(parent), dialog_(dialog), id_(id)
    {
        Base::setFont(fallbackFacesOnly());
    }

protected:
    void focusInEvent(QFocusEvent* e) override
    {
        Base::focusInEvent(e);
        dialog_->sendCommand(id_, kSetFocus);
    }
    void focusOutEvent(QFocusEvent* e) override
    {
        Base::focusOutEvent(e);
        dialog_->sendCommand(id_, kKillFocus);
    }

    Dialog* dialog_;
    int id_;
};

class LineEditWidget : public FocusNotifying<QLineEdit> {
public:
    LineEditWidget(Dialog* dialog, int id, QWidget* parent) : FocusNotifying(dialog, id, parent)
    {
        connect(this, &QLineEdit::textEdited, this, [this] { dialog_->sendCommand(id_, kEditChanged); });
    }
};

class TextEditWidget : public FocusNotifying<QPlainTextEdit> {
public:
    TextEditWidget(Dialog* dialog, int id, QWidget* parent) : FocusNotifying(dialog, id, parent)
    {
        connect(this, &QPlainTextEdit::textChanged, this, [this] {
            if (!settingText)
                dialog_->sendCommand(id_, kEditChanged);
        });
    }
    bool settingText = false;
};

} // namespace

QLineEdit* Edit::line() const
{
    return dynamic_cast<QLineEdit*>(widget_.data());
}

QPlainTextEdit* Edit::multi() const
{
    return dynamic_cast<QPlainTextEdit*>(widget_.data());
}

void Edit::setText(std::u16string_view text)
{
    if (auto* l = line()) {
        l->setText(toQString(text));
        l->setCursorPosition(0);
    } else if (auto* m = dynamic_cast<TextEditWidget*>(widget_.data())) {
        m->settingText = true;
        m->setPlainText(displayText(toQString(text)));
        m->settingText = false;
    }
}

std::u16string Edit::text() const
{
    if (auto* l = line())
        return toU16(l->text());
    if (auto* m = multi())
        return toU16(m->toPlainText());
    return {};
}

void Edit::setReadOnly(bool readOnly)
{
    if (auto* l = line())
        l->setReadOnly(readOnly);
    else if (auto* m = multi())
        m->setReadOnly(readOnly);
}

void Edit::setLimit(int maxChars)
{
    if (auto* l = line())
        l->setMaxLength(maxChars);
}

void Edit::selectAll()
{
    if (auto* l = line())
        l->selectAll();
    else if (auto* m = multi())
        m->selectAll();
}

void Edit::scrollToTop()
{
    if (auto* m = multi())
        m->verticalScrollBar()->setValue(0);
    else if (auto* l = line())
        l->setCursorPosition(0);
}

Control* createEdit(Dialog* dialog, const ControlTemplate& t, QWidget* parent, const Rect& px)
{
    QWidget* widget = nullptr;
    if (t.has(style::kMultiLine)) {
        auto* e = new TextEditWidget(dialog, t.id, parent);
        e->setVerticalScrollBarPolicy(t.has(style::kVScroll) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
        e->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        e->setFrameShape(t.has(style::kBorder) ? QFrame::Box : QFrame::NoFrame);
        e->setTabChangesFocus(true);
        widget = e;
    } else {
        auto* e = new LineEditWidget(dialog, t.id, parent);
        e->setFrame(t.has(style::kBorder));
        e->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        widget = e;
    }
    widget->setGeometry(px.x, px.y, px.width, px.height);
    return new Edit(dialog, &t, widget);
}

} // namespace ui
