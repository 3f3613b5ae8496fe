// Message boxes and their presenter.
#include "platform/ui/MessageBox.h"

#include "platform/ui/Controls.h"
#include "platform/ui/Event.h"
#include "platform/ui/Screen.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace ui {

namespace {

int presentWithQt(const MessageBoxRequest& request)
{
    QWidget* parent = Screen::exists() ? Screen::instance().window() : nullptr;
    QMessageBox box(parent);
    box.setWindowTitle(toQString(request.caption));
    QString text = toQString(request.text);
    text.remove(QLatin1Char('\r'));
    box.setText(text);
    switch (request.flags & mb::kIconMask) {
    case mb::kIconError: box.setIcon(QMessageBox::Critical); break;
    case mb::kIconQuestion: box.setIcon(QMessageBox::Question); break;
    case mb::kIconWarning: box.setIcon(QMessageBox::Warning); break;
    case mb::kIconInformation: box.setIcon(QMessageBox::Information); break;
    default: break;
    }
    if ((request.flags & mb::kButtonMask) == mb::kYesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.button(QMessageBox::Yes)->setText(QStringLiteral("Ja"));
        box.button(QMessageBox::No)->setText(QStringLiteral("Nein"));
        return box.exec() == QMessageBox::Yes ? kIdYes : kIdNo;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return kIdOk;
}

MessageBoxPresenter& presenter()
{
    static MessageBoxPresenter p;
    return p;
}

} // namespace

int messageBox(Dialog* owner, std::u16string_view text, std::u16string_view caption, unsigned flags)
{
    MessageBoxRequest request{owner, std::u16string(text), std::u16string(caption), flags};
    if (presenter()) {
        const MessageBoxPresenter p = presenter();
        return p(request);
    }
    return presentWithQt(request);
}

MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter p)
{
    MessageBoxPresenter previous = std::move(presenter());
    presenter() = std::move(p);
    return previous;
}

} // namespace ui
