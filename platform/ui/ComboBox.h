// Drop-down lists. The template's rectangle holds the closed box and the
// dropped list below it; the list opens inside the handheld's screen and
// shows whole rows only.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Targets.h"

class QComboBox;

namespace ui {

class ComboBox : public Control, public StringListTarget {
public:
    using Control::Control;
    void addString(std::u16string_view text) override;
    void resetContent();
    int count() const;
    int currentIndex() const;       // -1 when nothing is chosen
    void setCurrentIndex(int index);
    std::u16string itemText(int index) const;
    std::u16string currentText() const;
    // Index of the first entry equal to text (ignoring case), or -1.
    int findExact(std::u16string_view text) const;
    // Opens and closes the dropped list, as a tap on the box does.
    void showDropDown();
    void hideDropDown();
    // The open list's window, or null while it is closed.
    QWidget* droppedList() const;

private:
    QComboBox* box() const;
};

// Where a list of listHeight pixels drops from a box at field: below it, or
// above it where there is no room below, and never outside screen; as tall
// as the room allows when neither side has enough. Global pixels.
Rect dropDownRect(const Rect& field, int listHeight, const Rect& screen);

Control* createComboBox(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

} // namespace ui
