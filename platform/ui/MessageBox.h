// Modal message boxes, centred on the screen, shown through a presenter that
// a test can replace to read the text and give the answer.
#pragma once

#include <QFrame>

#include <functional>
#include <string>
#include <string_view>

class QEventLoop;

namespace ui {

class Dialog;

namespace mb {
inline constexpr unsigned kOk = 0x0;
inline constexpr unsigned kYesNo = 0x4;
inline constexpr unsigned kIconError = 0x10;
inline constexpr unsigned kIconQuestion = 0x20;
inline constexpr unsigned kIconWarning = 0x30;
inline constexpr unsigned kIconInformation = 0x40;
// The second button (No) is the default: Return or Esc never answers Yes.
inline constexpr unsigned kDefaultSecond = 0x100;
inline constexpr unsigned kButtonMask = 0xF;
inline constexpr unsigned kIconMask = 0xF0;
} // namespace mb

struct MessageBoxRequest {
    Dialog* owner = nullptr;
    std::u16string text;
    std::u16string caption;
    unsigned flags = 0;
};

// Answers kIdOk, kIdYes or kIdNo.
using MessageBoxPresenter = std::function<int(const MessageBoxRequest&)>;

int messageBox(Dialog* owner, std::u16string_view text, std::u16string_view caption, unsigned flags);

// Installs a presenter and returns the one it replaces; an empty one
// restores the window-system presenter.
MessageBoxPresenter setMessageBoxPresenter(MessageBoxPresenter presenter);

// The window-system presenter's box: a panel inside the screen window, its
// text wrapped, centred on the screen and never wider than it. Esc answers
// OK (No for a yes/no question); Enter presses the focused button.
class MessageBoxPanel : public QFrame {
public:
    // Margin kept free between the box and the screen's edges.
    static constexpr int kScreenMargin = 8;

    MessageBoxPanel(const MessageBoxRequest& request, QWidget* screenWindow);
    ~MessageBoxPanel() override;

    // Runs until a button is pressed and returns its answer.
    int exec();
    void answer(int id);
    int answered() const { return answer_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* shade_ = nullptr;
    QEventLoop* loop_ = nullptr;
    int escapeAnswer_;
    int answer_ = 0;
};

} // namespace ui
