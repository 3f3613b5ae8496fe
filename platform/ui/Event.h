// The events a dialog procedure receives, and the numeric codes they carry.
#pragma once

#include "platform/ui/Geometry.h"

#include <cstdint>
#include <functional>

namespace ui {

class Dialog;
class DrawContext;

enum class EventKind : int {
    Initialise,
    Command,
    Notify,
    DrawItem,
    ColourRequest,
    HorizontalScroll,
    Timer,
    StylusMove,
    Size,
    Paint,
    SettingChange,
    Destroy,
};

// Command id of the Done button in the navigation bar, and of OK.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;

// Notification codes of commands (static taps, button clicks, list changes).
inline constexpr int kClicked = 0;
inline constexpr int kSelectionChanged = 1;
inline constexpr int kDoubleClicked = 2;
inline constexpr int kSelectionEnded = 9;   // a drop-down list closed its list
inline constexpr int kEditChanged = 0x300;  // the text of an edit field changed
inline constexpr int kSetFocus = 0x100;
inline constexpr int kKillFocus = 0x200;

// Notification codes of notify events (tree view, tab control).
inline constexpr int kTreeSelectionChanged = -451;
inline constexpr int kTabSelectionChanged = -551;

// Horizontal scroll codes.
inline constexpr int kLineLeft = 0;
inline constexpr int kLineRight = 1;
inline constexpr int kPageLeft = 2;
inline constexpr int kPageRight = 3;
inline constexpr int kThumbPosition = 4;
inline constexpr int kThumbTrack = 5;
inline constexpr int kLeft = 6;
inline constexpr int kRight = 7;
inline constexpr int kEndScroll = 8;

struct Event {
    EventKind kind = EventKind::Command;
    int controlId = 0;          // command, notify, draw item, colour request, scroll
    int code = 0;               // notification code or scroll code
    int position = 0;           // scroll position of a thumb code
    std::intptr_t itemData = 0; // tree item data of a notify event
    DrawContext* dc = nullptr;  // draw item, colour request
    Rect rect;                  // draw item: the item's rectangle
    int x = 0;                  // stylus move, size
    int y = 0;
    int timerId = 0;
    std::intptr_t parameter = 0; // initialise: the creation parameter
    bool pressed = false;       // draw item: the button is held down
    bool hasPosition = false;   // command: x and y hold where the tap was released
};

// A dialog procedure: answers one event. Its result means what the event
// kind says (1 for a handled draw item, a brush for a colour request).
using DialogProc = std::function<std::intptr_t(Dialog&, const Event&)>;

} // namespace ui
