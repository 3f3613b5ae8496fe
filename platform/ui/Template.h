// Dialog templates: declarative descriptions of a dialog and its controls,
// read from the module's resources, in dialog units of the template font.
#pragma once

#include "platform/ui/Geometry.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

enum class ControlKind {
    Static,       // static text
    Picture,      // static picture showing a bitmap
    Button,       // push button
    OwnerDraw,    // owner-drawn push button
    CheckBox,     // automatic check box
    Edit,         // single- or multi-line edit field
    ComboBox,     // drop-down list
    ListBox,
    HScrollBar,
    TreeView,
    TabControl,
};

// Style flags of a control or a dialog.
namespace style {
inline constexpr unsigned kHidden = 1u << 0;
inline constexpr unsigned kBorder = 1u << 1;
inline constexpr unsigned kNotify = 1u << 2;
inline constexpr unsigned kCentre = 1u << 3;
inline constexpr unsigned kRight = 1u << 4;
inline constexpr unsigned kSorted = 1u << 5;
inline constexpr unsigned kVScroll = 1u << 6;
inline constexpr unsigned kHScroll = 1u << 7;
inline constexpr unsigned kAutoHScroll = 1u << 8;
inline constexpr unsigned kAutoVScroll = 1u << 9;
inline constexpr unsigned kMultiLine = 1u << 10;
inline constexpr unsigned kNoSelection = 1u << 11;
inline constexpr unsigned kTabStop = 1u << 12;
inline constexpr unsigned kNoIntegralHeight = 1u << 13;
inline constexpr unsigned kHasButtons = 1u << 14;
inline constexpr unsigned kHasLines = 1u << 15;
inline constexpr unsigned kLinesAtRoot = 1u << 16;
inline constexpr unsigned kShowSelectionAlways = 1u << 17;
inline constexpr unsigned kTabsBottom = 1u << 18;
inline constexpr unsigned kRaggedRight = 1u << 19;
inline constexpr unsigned kDisabled = 1u << 20;
inline constexpr unsigned kDefaultButton = 1u << 21; // Return presses it from anywhere in the dialog
// Dialog styles.
inline constexpr unsigned kPopup = 1u << 24;
inline constexpr unsigned kCaption = 1u << 25;
inline constexpr unsigned kSystemMenu = 1u << 26;
inline constexpr unsigned kModalFrame = 1u << 27;
} // namespace style

// The flag name used in template files; unknown names are rejected.
std::optional<unsigned> styleFlag(std::string_view name);
std::optional<ControlKind> controlKind(std::string_view name);
const char* controlKindName(ControlKind kind);

struct ControlTemplate {
    int id = -1;
    ControlKind kind = ControlKind::Static;
    Rect rect;            // dialog units
    std::u16string text;
    std::u16string spokenName; // for a screen reader, where no text names the control
    unsigned styles = 0;
    int picture = 0;      // bitmap id of a picture control, 0 for none
    bool has(unsigned flag) const { return (styles & flag) != 0; }
};

struct DialogTemplate {
    int id = 0;
    std::u16string caption;
    std::u16string fontFace;
    int fontPoints = 8;
    Rect rect;            // dialog units
    unsigned styles = 0;
    std::vector<ControlTemplate> controls; // template order
    const ControlTemplate* control(int id) const;
};

// Parses one template file (JSON). Returns nothing and sets error when the
// data is not a well-formed template.
std::optional<DialogTemplate> parseTemplate(std::string_view json, std::string* error = nullptr);

// The template with the given id from the module's resources
// (":/dialogs/<id>.json"), or nothing when there is none.
std::optional<DialogTemplate> loadTemplate(int templateId);

// The ids of every template the module carries, ascending.
std::vector<int> templateIds();

// Pixels per dialog unit come from the template font's base units: the
// average character width and the character height of that font.
struct BaseUnits {
    int x = 0; // average character width
    int y = 0; // character height
    int toPixelsX(int units) const { return units * x / 4; }
    int toPixelsY(int units) const { return units * y / 8; }
    Rect toPixels(const Rect& r) const;
};

BaseUnits baseUnits(std::u16string_view face, int points);

} // namespace ui
