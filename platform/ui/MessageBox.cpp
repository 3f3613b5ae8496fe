// Message boxes: the presenter and the box drawn inside the screen window.
#include "platform/ui/MessageBox.h"

#include "platform/ui/AccessibleObjects.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Event.h"
#include "platform/ui/Screen.h"

#include "platform/ui/Fonts.h"

#include <QBoxLayout>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace ui {

namespace {

// Colours of the handheld's message boxes: the caption in the navigation
// bar's blue, the body white.
const QColor kCaptionColour(0, 51, 153);
constexpr int kCaptionHeight = 20;
constexpr int kIconSize = 24;
constexpr int kPadding = 6;
constexpr int kButtonWidth = 56;
constexpr int kButtonHeight = 20;

// Takes every stylus tap outside the box, so the dialogs beneath wait.
class ModalShade : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent* event) override { event->accept(); }
};

QStyle::StandardPixmap iconOf(unsigned flags)
{
    switch (flags & mb::kIconMask) {
    case mb::kIconError: return QStyle::SP_MessageBoxCritical;
    case mb::kIconQuestion: return QStyle::SP_MessageBoxQuestion;
    case mb::kIconWarning: return QStyle::SP_MessageBoxWarning;
    case mb::kIconInformation: return QStyle::SP_MessageBoxInformation;
    default: return QStyle::SP_CustomBase;
    }
}

int presentInScreen(const MessageBoxRequest& request)
{
    Screen& screen = Screen::instance();
    if (!screen.window()->isVisible())
        screen.window()->show();
    MessageBoxPanel panel(request, screen.window());
    return panel.exec();
}

} // namespace

MessageBoxPanel::MessageBoxPanel(const MessageBoxRequest& request, QWidget* screenWindow)
    : QFrame(screenWindow),
      escapeAnswer_((request.flags & mb::kButtonMask) == mb::kYesNo ? kIdNo : kIdOk)
{
    setAccessibleKind(this, AccessibleKind::Alert);
    const int screenWidth = screenWindow->width();
    const int screenHeight = screenWindow->height();
    shade_ = new ModalShade(screenWindow);
    setAccessibleRole(shade_, AccessibleRole::Omitted);
    shade_->setGeometry(0, 0, screenWidth, screenHeight);
    shade_->show();
    shade_->raise();

    setFrameShape(QFrame::Box);
    setAutoFillBackground(true);
    QPalette body = palette();
    body.setColor(QPalette::Window, Qt::white);
    body.setColor(QPalette::WindowText, Qt::black);
    setPalette(body);

    auto* caption = new QLabel(toQString(request.caption), this);
    caption->setFont(makeFont(u"Tahoma", -12, 700));
    caption->setAutoFillBackground(true);
    QPalette bar = caption->palette();
    bar.setColor(QPalette::Window, kCaptionColour);
    bar.setColor(QPalette::WindowText, Qt::white);
    caption->setPalette(bar);
    caption->setContentsMargins(kPadding, 0, kPadding, 0);
    caption->setFixedHeight(kCaptionHeight);
    // The alert itself is named by the caption.
    setAccessibleRole(caption, AccessibleRole::Omitted);

    QString text = toQString(request.text);
    text.remove(QLatin1Char('\r'));
    auto* message = new QLabel(text, this);
    message->setFont(makeFont(u"Tahoma", -11, 400));
    message->setWordWrap(true);
    message->setTextFormat(Qt::PlainText);
    message->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(kPadding, kPadding, kPadding, 0);
    row->setSpacing(kPadding);
    const QStyle::StandardPixmap icon = iconOf(request.flags);
    if (icon != QStyle::SP_CustomBase) {
        auto* picture = new QLabel(this);
        picture->setPixmap(style()->standardIcon(icon).pixmap(kIconSize, kIconSize));
        picture->setAlignment(Qt::AlignTop);
        setAccessibleRole(picture, AccessibleRole::Omitted);
        row->addWidget(picture, 0, Qt::AlignTop);
    }
    row->addWidget(message, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(kPadding, kPadding, kPadding, kPadding);
    buttons->addStretch(1);
    auto addButton = [&](const QString& label, int id) {
        auto* button = new QPushButton(label, this);
        button->setFixedSize(kButtonWidth, kButtonHeight);
        button->setFont(makeFont(u"Tahoma", -11, 400));
        QObject::connect(button, &QPushButton::clicked, this, [this, id] { answer(id); });
        buttons->addWidget(button);
        return button;
    };
    QPushButton* first = nullptr;
    if ((request.flags & mb::kButtonMask) == mb::kYesNo) {
        first = addButton(QStringLiteral("Ja"), kIdYes);
        QPushButton* no = addButton(QStringLiteral("Nein"), kIdNo);
        if (request.flags & mb::kDefaultSecond)
            first = no;
    } else {
        first = addButton(QStringLiteral("OK"), kIdOk);
    }
    buttons->addStretch(1);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(1, 1, 1, 1);
    column->setSpacing(0);
    column->addWidget(caption);
    column->addLayout(row, 1);
    column->addLayout(buttons);

    // As wide as the text wants, but never beyond the screen's margins; the
    // text wraps to that width and the height follows it.
    const int maxWidth = screenWidth - 2 * kScreenMargin;
    const int width = std::clamp(sizeHint().width(), std::min(maxWidth, 2 * kButtonWidth + 4 * kPadding), maxWidth);
    column->activate();
    const int height = std::min(column->totalHeightForWidth(width), screenHeight - 2 * kScreenMargin);
    setGeometry((screenWidth - width) / 2, (screenHeight - height) / 2, width, height);
    setAccessibleName(toQString(request.caption));
    setAccessibleDescription(text);
    // Pushed before the box takes the focus, so that the screen keeps where
    // the focus was and gives it back when the box closes.
    Screen::instance().pushModalPanel(this, [this] { answer(escapeAnswer_); });
    show();
    raise();
    first->setFocus();
}

MessageBoxPanel::~MessageBoxPanel()
{
    Screen::instance().popModalPanel(this);
    delete shade_;
}

int MessageBoxPanel::exec()
{
    if (answer_ != 0)
        return answer_;
    QEventLoop loop;
    loop_ = &loop;
    loop.exec();
    loop_ = nullptr;
    return answer_;
}

void MessageBoxPanel::answer(int id)
{
    answer_ = id;
    hide();
    shade_->hide();
    if (loop_)
        loop_->quit();
}

void MessageBoxPanel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        answer(escapeAnswer_);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
            button->click();
        return;
    default:
        QFrame::keyPressEvent(event);
    }
}

namespace {

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
    return presentInScreen(request);
}

MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter p)
{
    MessageBoxPresenter previous = std::move(presenter());
    presenter() = std::move(p);
    return previous;
}

} // namespace ui
