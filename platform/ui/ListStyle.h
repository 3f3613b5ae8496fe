// The style of the list controls (list boxes and drop-down lists): the
// application's style with the handheld's manner of lists.
#pragma once

class QStyle;

namespace ui {

// One shared style: a drop-down list drops below its box instead of a menu
// centred on the chosen entry; scroll bars are the handheld's 13 pixels wide
// and rows keep a 2-pixel text margin, so rows written for its lists fit.
QStyle* listStyle();

} // namespace ui
