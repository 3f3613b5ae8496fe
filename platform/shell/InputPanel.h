// The soft input panel: a German QWERTZ keyboard that types into the edit
// field that has the focus in the screen window, with a layer of digits and
// punctuation and one of accented letters, and the button that toggles it.
#pragma once

#include "platform/ui/Screen.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>

class QAbstractButton;

namespace shell {

// The keyboard's spoken name ("Tastatur" unless the shell was told another).
QString spokenKeyboardName();

class InputPanel : public QWidget {
public:
    static constexpr int kHeight = ui::Screen::kRoomBelow;

    enum class Layer { Letters, Symbols, Accents };

    explicit InputPanel(QWidget* parent);
    // Presses the key of the shown layer with this label ("a", "ß", "!",
    // "é") or a key of the bottom row ("Shift", "Back", "Space", "Enter",
    // and the layer keys "abc", "123", "àé").
    bool pressKey(const QString& label);
    bool shifted() const { return shift_; }
    Layer layer() const { return layer_; }
    void setLayer(Layer layer);
    // The labels of the keys now on the panel, top row first.
    QStringList keyLabels() const;

    // The window grows below the screen while the panel is shown.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    static constexpr int kLayers = 3;
    // The keys are made the first time the panel is needed, not at start.
    void buildKeys();
    QAbstractButton* addKey(const QString& label, int x, int y, int w);
    void typeKey(const QString& label);
    void relabel();
    bool shift_ = false;
    bool built_ = false;
    Layer layer_ = Layer::Letters;
    std::array<QList<QAbstractButton*>, kLayers> layerKeys_;
    QList<QAbstractButton*> bottomKeys_;
};

} // namespace shell
