// The soft input panel: a German QWERTZ keyboard that types into the edit
// field that has the focus in the screen window, and the button that
// toggles it.
#pragma once

#include <QString>
#include <QWidget>

class QPushButton;

namespace shell {

class InputPanel : public QWidget {
public:
    static constexpr int kHeight = 80;

    explicit InputPanel(QWidget* parent);
    // Presses the key with this label ("a", "ß", "Shift", "Back", "Space").
    bool pressKey(const QString& label);
    bool shifted() const { return shift_; }

private:
    void typeKey(const QString& label);
    void relabel();
    bool shift_ = false;
    QList<QPushButton*> keys_;
};

} // namespace shell
