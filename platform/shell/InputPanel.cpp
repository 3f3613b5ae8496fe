// The on-screen keyboard.
#include "platform/shell/InputPanel.h"

#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace shell {

namespace {

// German QWERTZ rows; the last row's keys are wider.
const char* const kRows[4][12] = {
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "ß", "Back"},
    {"q", "w", "e", "r", "t", "z", "u", "i", "o", "p", "ü", "+"},
    {"a", "s", "d", "f", "g", "h", "j", "k", "l", "ö", "ä", "#"},
    {"Shift", "y", "x", "c", "v", "b", "n", "m", ",", ".", "-", "'"},
};

constexpr int kKeyWidth = 20;
constexpr int kKeyHeight = 16;

QString shownLabel(const QString& label, bool shift)
{
    if (label == QLatin1String("Back"))
        return QStringLiteral("\u2190");
    if (label == QLatin1String("Shift"))
        return QStringLiteral("\u21e7");
    if (label == QLatin1String("Space"))
        return QString();
    // ß has no capital on this keyboard; it stays as it is.
    return shift && label != QStringLiteral("ß") ? label.toUpper() : label;
}

} // namespace

InputPanel::InputPanel(QWidget* parent) : QWidget(parent)
{
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(214, 211, 206));
    setPalette(p);
    setFocusPolicy(Qt::NoFocus);
    const QFont font = ui::makeFont(u"Tahoma", -11, 400);
    auto addKey = [&](const QString& label, int x, int y, int w) {
        auto* key = new QPushButton(shownLabel(label, false), this);
        key->setObjectName(label);
        key->setFocusPolicy(Qt::NoFocus);
        key->setFont(font);
        key->setGeometry(x, y, w, kKeyHeight);
        key->setStyleSheet(QStringLiteral("QPushButton { background: white; border: 1px solid gray; padding: 0; }"
                                          "QPushButton:pressed { background: black; color: white; }"));
        connect(key, &QPushButton::clicked, this, [this, label] { typeKey(label); });
        keys_.push_back(key);
    };
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 12; ++col)
            addKey(QString::fromUtf8(kRows[row][col]), col * kKeyWidth, row * kKeyHeight, kKeyWidth);
    addKey(QStringLiteral("Space"), 3 * kKeyWidth, 4 * kKeyHeight, 6 * kKeyWidth);
    resize(12 * kKeyWidth, kHeight);
}

bool InputPanel::pressKey(const QString& label)
{
    for (auto* key : keys_)
        if (key->objectName() == label) {
            key->click();
            return true;
        }
    return false;
}

void InputPanel::relabel()
{
    for (auto* key : keys_)
        key->setText(shownLabel(key->objectName(), shift_));
}

void InputPanel::typeKey(const QString& label)
{
    if (label == QLatin1String("Shift")) {
        shift_ = !shift_;
        relabel();
        return;
    }
    // The edit field with the focus in the screen window, even when the
    // window itself is not the active one.
    QWidget* target = window() ? window()->focusWidget() : nullptr;
    if (!target)
        target = QApplication::focusWidget();
    if (target) {
        int key = 0;
        QString text;
        if (label == QLatin1String("Back")) {
            key = Qt::Key_Backspace;
        } else if (label == QLatin1String("Space")) {
            key = Qt::Key_Space;
            text = QStringLiteral(" ");
        } else {
            text = shownLabel(label, shift_);
            key = text.size() == 1 && text[0].unicode() < 128 ? static_cast<int>(text[0].toUpper().unicode()) : static_cast<int>(Qt::Key_unknown);
        }
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &release);
    }
    // Shift holds for one character.
    if (shift_) {
        shift_ = false;
        relabel();
    }
}

} // namespace shell
