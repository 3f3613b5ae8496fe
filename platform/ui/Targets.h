// What the database layer and the decoders need of a control, without knowing
// any widget: a list that takes strings (combo boxes, list boxes) and a
// control that shows a text (edit fields, static texts).
#pragma once

#include <string>
#include <string_view>

namespace ui {

class StringListTarget {
public:
    virtual ~StringListTarget() = default;
    // Adds one entry; a sorted list puts it in order, an unsorted one at the end.
    virtual void addString(std::u16string_view text) = 0;
};

class TextTarget {
public:
    virtual ~TextTarget() = default;
    virtual void setText(std::u16string_view text) = 0;
    virtual std::u16string text() const = 0;
};

} // namespace ui
