// Edit fields: one line, or several with the multiline style.
#pragma once

#include "platform/ui/Control.h"
#include "platform/ui/Targets.h"

class QLineEdit;
class QPlainTextEdit;

namespace ui {

class Edit : public Control, public TextTarget {
public:
    using Control::Control;
    void setText(std::u16string_view text) override;
    std::u16string text() const override;
    void setReadOnly(bool readOnly);
    void setLimit(int maxChars);
    void selectAll();
    // The first visible line back to the top.
    void scrollToTop();

private:
    QLineEdit* line() const;
    QPlainTextEdit* multi() const;
};

Control* createEdit(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

} // namespace ui
