// The on-screen keyboard, below the handheld's screen.
#include "platform/shell/InputPanel.h"

#include "platform/ui/AccessibleObjects.h"
#include "platform/shell/Shell.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace shell {

namespace {

constexpr int kColumns = 12;
constexpr int kRows = 4;
using LayerTable = const char* const[kRows][kColumns];

// German QWERTZ rows.
LayerTable kLetters = {
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "ß", "Back"},
    {"q", "w", "e", "r", "t", "z", "u", "i", "o", "p", "ü", "+"},
    {"a", "s", "d", "f", "g", "h", "j", "k", "l", "ö", "ä", "#"},
    {"Shift", "y", "x", "c", "v", "b", "n", "m", ",", ".", "-", "'"},
};

// Digits and the punctuation of names, notes and prices.
LayerTable kSymbols = {
    {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "ß", "Back"},
    {"!", "?", ".", ",", ";", ":", "-", "'", "\"", "(", ")", "/"},
    {"&", "@", "€", "%", "+", "*", "=", "#", "_", "°", "<", ">"},
    {"§", "$", "£", "~", "|", "[", "]", "{", "}", "\\", "^", "`"},
};

// The accented letters of wine names; Shift gives the capitals.
LayerTable kAccents = {
    {"é", "è", "ê", "ë", "à", "â", "á", "ô", "ó", "ò", "ß", "Back"},
    {"û", "ù", "ú", "ç", "ñ", "î", "ï", "í", "ì", "œ", "æ", "ÿ"},
    {"å", "ø", "ã", "õ", "ý", "š", "ž", "č", "ř", "ł", "ő", "ű"},
    {"Shift", "ä", "ö", "ü", ",", ".", "-", "'", "!", "?", "(", ")"},
};

const LayerTable* const kLayerTables[] = {&kLetters, &kSymbols, &kAccents};

constexpr int kKeyWidth = 20;
constexpr int kKeyHeight = 16;

// The bottom row: two layer keys, the space bar and Enter.
struct BottomKey {
    int x;
    int width;
};
constexpr BottomKey kFirstLayerKey{0, 2 * kKeyWidth};
constexpr BottomKey kSecondLayerKey{2 * kKeyWidth, 2 * kKeyWidth};
constexpr BottomKey kSpaceKey{4 * kKeyWidth, 5 * kKeyWidth};
constexpr BottomKey kEnterKey{9 * kKeyWidth, 3 * kKeyWidth};

const QString kLettersKey = QStringLiteral("abc");
const QString kSymbolsKey = QStringLiteral("123");
const QString kAccentsKey = QStringLiteral("\u00e0\u00e9");

// The layer keys of each layer: where the two keys lead.
QString firstLayerKey(InputPanel::Layer layer)
{
    return layer == InputPanel::Layer::Letters ? kSymbolsKey : kLettersKey;
}

QString secondLayerKey(InputPanel::Layer layer)
{
    return layer == InputPanel::Layer::Accents ? kSymbolsKey : kAccentsKey;
}

QString shownLabel(const QString& label, bool shift)
{
    if (label == QLatin1String("Back"))
        return QStringLiteral("\u2190");
    if (label == QLatin1String("Shift"))
        return QStringLiteral("\u21e7");
    if (label == QLatin1String("Enter"))
        return QStringLiteral("\u21b5");
    if (label == QLatin1String("Space"))
        return QString();
    if (label.size() > 1)
        return label; // a layer key
    // ß has no capital on this keyboard; it stays as it is.
    return shift && label != QStringLiteral("ß") ? label.toUpper() : label;
}

QString orLabel(std::u16string_view name, const QString& label)
{
    return name.empty() ? label : QString::fromUtf16(name.data(), static_cast<qsizetype>(name.size()));
}

// What a screen reader calls a key: what it types, or what it does.
QString spokenName(const QString& label, bool shift)
{
    const KeyNames& n = keyNames();
    if (label == QLatin1String("Shift"))
        return orLabel(n.shift, label);
    if (label == QLatin1String("Back"))
        return orLabel(n.backspace, label);
    if (label == QLatin1String("Space"))
        return orLabel(n.space, label);
    if (label == QLatin1String("Enter"))
        return orLabel(n.enter, label);
    if (label == kLettersKey)
        return orLabel(n.letters, label);
    if (label == kSymbolsKey)
        return orLabel(n.symbols, label);
    if (label == kAccentsKey)
        return orLabel(n.accents, label);
    return shownLabel(label, shift);
}

// A key: white with a grey rim, black while held. Drawn by hand, which is
// far cheaper to create than a styled push button.
class KeyButton : public QAbstractButton {
public:
    using QAbstractButton::QAbstractButton;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), isDown() ? Qt::black : Qt::white);
        p.setPen(Qt::gray);
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        p.setPen(isDown() ? Qt::white : Qt::black);
        p.setFont(font());
        p.drawText(rect(), Qt::AlignCenter, text());
    }
};

} // namespace

QString spokenKeyboardName()
{
    return orLabel(keyNames().keyboard, QStringLiteral("Tastatur"));
}

InputPanel::InputPanel(QWidget* parent) : QWidget(parent)
{
    ui::setAccessibleKind(this, ui::AccessibleKind::Keyboard);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(214, 211, 206));
    setPalette(p);
    setFocusPolicy(Qt::NoFocus);
    setAccessibleName(spokenKeyboardName());
    resize(kColumns * kKeyWidth, kHeight);
}

void InputPanel::setVisible(bool visible)
{
    QWidget::setVisible(visible);
    if (ui::Screen::exists())
        ui::Screen::instance().fitBelow();
}

void InputPanel::showEvent(QShowEvent* event)
{
    buildKeys();
    QWidget::showEvent(event);
}

QAbstractButton* InputPanel::addKey(const QString& label, int x, int y, int w)
{
    auto* key = new KeyButton(this);
    key->setObjectName(label);
    key->setText(shownLabel(label, false));
    key->setAccessibleName(spokenName(label, false));
    key->setFocusPolicy(Qt::NoFocus);
    key->setFont(font());
    key->setGeometry(x, y, w, kKeyHeight);
    // The layer keys change their label; read it when pressed.
    connect(key, &QAbstractButton::clicked, this, [this, key] { typeKey(key->objectName()); });
    return key;
}

void InputPanel::buildKeys()
{
    if (built_)
        return;
    built_ = true;
    // The keys' arrows are not in the dialog face: let the font borrow them.
    QFont keys = ui::makeFont(u"Tahoma", -11, 400);
    keys.setStyleStrategy(QFont::PreferAntialias);
    setFont(keys);
    for (int layer = 0; layer < kLayers; ++layer) {
        const LayerTable& table = *kLayerTables[layer];
        for (int row = 0; row < kRows; ++row)
            for (int col = 0; col < kColumns; ++col)
                layerKeys_[static_cast<std::size_t>(layer)].push_back(
                    addKey(QString::fromUtf8(table[row][col]), col * kKeyWidth, row * kKeyHeight, kKeyWidth));
    }
    const int bottom = kRows * kKeyHeight;
    bottomKeys_.push_back(addKey(firstLayerKey(layer_), kFirstLayerKey.x, bottom, kFirstLayerKey.width));
    bottomKeys_.push_back(addKey(secondLayerKey(layer_), kSecondLayerKey.x, bottom, kSecondLayerKey.width));
    bottomKeys_.push_back(addKey(QStringLiteral("Space"), kSpaceKey.x, bottom, kSpaceKey.width));
    bottomKeys_.push_back(addKey(QStringLiteral("Enter"), kEnterKey.x, bottom, kEnterKey.width));
    relabel();
}

void InputPanel::setLayer(Layer layer)
{
    buildKeys();
    layer_ = layer;
    shift_ = false;
    bottomKeys_[0]->setObjectName(firstLayerKey(layer));
    bottomKeys_[1]->setObjectName(secondLayerKey(layer));
    relabel();
}

bool InputPanel::pressKey(const QString& label)
{
    buildKeys();
    for (const auto& keys : {layerKeys_[static_cast<std::size_t>(layer_)], bottomKeys_})
        for (auto* key : keys)
            if (key->objectName() == label) {
                key->click();
                return true;
            }
    return false;
}

QStringList InputPanel::keyLabels() const
{
    QStringList labels;
    if (!built_)
        return labels;
    for (const auto& keys : {layerKeys_[static_cast<std::size_t>(layer_)], bottomKeys_})
        for (const auto* key : keys)
            labels.push_back(key->objectName());
    return labels;
}

void InputPanel::relabel()
{
    for (std::size_t layer = 0; layer < layerKeys_.size(); ++layer)
        for (auto* key : layerKeys_[layer]) {
            key->setVisible(static_cast<int>(layer) == static_cast<int>(layer_));
            key->setText(shownLabel(key->objectName(), shift_));
            key->setAccessibleName(spokenName(key->objectName(), shift_));
        }
    // Keys made while the panel is already up are shown here too.
    for (auto* key : bottomKeys_) {
        key->setText(shownLabel(key->objectName(), shift_));
        key->setAccessibleName(spokenName(key->objectName(), shift_));
        key->setVisible(true);
    }
}

void InputPanel::typeKey(const QString& label)
{
    if (label == QLatin1String("Shift")) {
        shift_ = !shift_;
        relabel();
        return;
    }
    if (label == kLettersKey || label == kSymbolsKey || label == kAccentsKey) {
        setLayer(label == kLettersKey ? Layer::Letters : label == kSymbolsKey ? Layer::Symbols : Layer::Accents);
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
        } else if (label == QLatin1String("Enter")) {
            key = Qt::Key_Return;
            text = QStringLiteral("\r");
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
