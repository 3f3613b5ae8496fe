// Accessible names from the template's geometry: the handheld had none, so
// labels are found where a reader's eye finds them.
#include "platform/ui/Accessibility.h"

#include <limits>

namespace ui {

namespace {

// A check box's label sits just to its right, a few units away at most.
constexpr int kRightLabelGap = 8;

bool isLabel(const ControlTemplate& c)
{
    return c.kind == ControlKind::Static && !c.text.empty() && !c.has(style::kHidden);
}

bool rowsOverlap(const Rect& a, const Rect& b)
{
    return a.y < b.y + b.height && b.y < a.y + a.height;
}

bool columnsOverlap(const Rect& a, const Rect& b)
{
    return a.x < b.x + b.width && b.x < a.x + a.width;
}

bool contains(const Rect& outer, const Rect& inner)
{
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

// Distance of a label that lies beside or above the control, or max() when
// it lies elsewhere.
int leftOrAboveDistance(const Rect& control, const Rect& label)
{
    const int top = control.y > label.y ? control.y - label.y : label.y - control.y;
    if (rowsOverlap(control, label) && label.x + label.width <= control.x)
        return control.x - (label.x + label.width) + top;
    if (columnsOverlap(control, label) && label.y + label.height <= control.y)
        return control.y - (label.y + label.height) + (control.x > label.x ? control.x - label.x : label.x - control.x);
    return std::numeric_limits<int>::max();
}

template <class Score> std::u16string bestLabel(const DialogTemplate& tmpl, Score score)
{
    const ControlTemplate* best = nullptr;
    int bestScore = std::numeric_limits<int>::max();
    for (const auto& c : tmpl.controls) {
        if (!isLabel(c))
            continue;
        const int s = score(c.rect);
        if (s < bestScore) {
            bestScore = s;
            best = &c;
        }
    }
    return best ? spokenText(best->text) : std::u16string();
}

} // namespace

std::u16string spokenText(std::u16string_view text)
{
    std::u16string out;
    for (char16_t ch : text) {
        if (ch == u'\r')
            continue;
        if (ch == u'\n') {
            if (!out.empty() && out.back() != u' ')
                out.push_back(u' ');
            continue;
        }
        out.push_back(ch);
    }
    return out;
}

std::u16string accessibleName(const DialogTemplate& tmpl, const ControlTemplate& control)
{
    if (!control.spokenName.empty())
        return control.spokenName;
    if (!control.text.empty())
        return spokenText(control.text);
    constexpr int kNone = std::numeric_limits<int>::max();
    const Rect& r = control.rect;
    switch (control.kind) {
    case ControlKind::Picture:
        // The row's text: a label in the picture's row, nearest first.
        return bestLabel(tmpl, [&](const Rect& label) {
            if (!rowsOverlap(r, label))
                return kNone;
            return label.x >= r.x + r.width ? label.x - (r.x + r.width) : r.x - (label.x + label.width) + r.width;
        });
    case ControlKind::OwnerDraw:
        return bestLabel(tmpl, [&](const Rect& label) { return contains(r, label) ? label.y - r.y : kNone; });
    case ControlKind::CheckBox:
        if (auto right = bestLabel(tmpl, [&](const Rect& label) {
                const int gap = label.x - (r.x + r.width);
                return rowsOverlap(r, label) && gap >= 0 && gap <= kRightLabelGap ? gap : kNone;
            });
            !right.empty())
            return right;
        [[fallthrough]];
    default:
        return bestLabel(tmpl, [&](const Rect& label) { return leftOrAboveDistance(r, label); });
    }
}

} // namespace ui
