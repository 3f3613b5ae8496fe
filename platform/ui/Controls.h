// Typed wrappers of a dialog's controls, reached by id. Each exposes the
// operations the dialogs need; a wrapper for an id the dialog does not have
// accepts every call and does nothing, as a missing control did on the handheld.
#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/Targets.h"
#include "platform/ui/Template.h"

#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <string>
#include <string_view>

class QComboBox;
class QListWidget;
class QScrollBar;
class QTreeWidget;
class QTabBar;
class QLineEdit;
class QPlainTextEdit;

namespace ui {

class Dialog;
class Font;
class Bitmap;

class Control {
public:
    Control(Dialog* dialog, const ControlTemplate* tmpl, QWidget* widget);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    int id() const { return id_; }
    ControlKind kind() const { return kind_; }
    bool exists() const { return !widget_.isNull(); }
    QWidget* widget() const { return widget_.data(); }
    Dialog* dialog() const { return dialog_; }

    void show(bool visible);
    bool isVisible() const;
    void setEnabled(bool enabled);
    bool isEnabled() const;
    void setFont(const Font* font, bool redraw = true);
    void setFocus();
    void invalidate();
    // Position and size in the dialog's pixels.
    Rect rect() const;
    void move(const Rect& rect);

protected:
    Dialog* dialog_;
    int id_;
    ControlKind kind_;
    QPointer<QWidget> widget_;
};

// Static text and static picture.
class StaticControl : public Control, public TextTarget {
public:
    using Control::Control;
    void setText(std::u16string_view text) override;
    std::u16string text() const override;
    // Shows a bitmap (a picture control keeps its own copy); null shows none.
    void setBitmap(const Bitmap* bitmap);
};

class Button : public Control, public TextTarget {
public:
    using Control::Control;
    void setText(std::u16string_view text) override;
    std::u16string text() const override;
    void click();
};

class CheckBox : public Button {
public:
    using Button::Button;
    bool isChecked() const;
    void setChecked(bool checked);
};

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

private:
    QComboBox* box() const;
};

class ListBox : public Control, public StringListTarget {
public:
    using Control::Control;
    void addString(std::u16string_view text) override;
    void resetContent();
    int count() const;
    int currentIndex() const;
    void setCurrentIndex(int index);
    std::u16string itemText(int index) const;
    int topIndex() const;

private:
    QListWidget* list() const;
};

class ScrollBar : public Control {
public:
    using Control::Control;
    void setRange(int minimum, int maximum);
    int minimum() const;
    int maximum() const;
    void setPosition(int position);
    int position() const;

private:
    QScrollBar* bar() const;
};

// Tree items are opaque handles; null is "no item" and "the root".
using TreeItem = void*;

class TreeView : public Control {
public:
    using Control::Control;
    TreeItem insertItem(TreeItem parent, std::u16string_view text, std::intptr_t data = 0);
    void deleteAllItems();
    // Removes one item with its children, without a selection notification.
    void deleteItem(TreeItem item);
    std::intptr_t itemData(TreeItem item) const;
    std::u16string itemText(TreeItem item) const;
    TreeItem parentItem(TreeItem item) const;
    int childCount(TreeItem item) const; // of the root when item is null
    TreeItem child(TreeItem item, int index) const;
    TreeItem selectedItem() const;
    void selectItem(TreeItem item);
    void expand(TreeItem item, bool expanded = true);
    bool isExpanded(TreeItem item) const;
    void setItemFont(TreeItem item, const Font* font);
    int count() const;

private:
    QTreeWidget* tree() const;
};

class TabControl : public Control {
public:
    using Control::Control;
    int insertItem(int position, std::u16string_view text);
    int count() const;
    int currentIndex() const;
    // Selects a tab without a notification, as the handheld's call did.
    void setCurrentIndex(int index);
    std::u16string itemText(int index) const;

private:
    QTabBar* bar() const;
};

// Builds the widget of one template control inside parent.
Control* createControl(Dialog* dialog, const ControlTemplate& tmpl, QWidget* parent, const Rect& pixels);

std::u16string toU16(const QString& s);
QString toQString(std::u16string_view s);

} // namespace ui
