#include "KeyNavigator.h"

#include <algorithm>
#include <cstdint>

#include "RowSelection.h"
#include "ScrollBar.h"
#include "VelListItems.h"

namespace vel::roster {

namespace {
constexpr short kShift = 1;
}  // namespace

// Shift extends the selection only where several rows may be selected; a
// single-selection list keeps exactly one selected row.
bool KeyNavigator::Extends(short shift) const { return shift == kShift && owner_.MultiSelect(); }

bool KeyNavigator::KeyDown(short keyCode, short shift) {
    if (keyCode == VK_LEFT || keyCode == VK_RIGHT) {
        MoveFocus(keyCode == VK_LEFT);
        return false;
    }
    if (!selection_.Current() || selection_.Current()->Parent() != &items_) return WithoutCurrentRow(keyCode);
    switch (keyCode) {
    case VK_DOWN: return Step(1, shift);
    case VK_UP: return Step(-1, shift);
    case VK_NEXT: return Page(1);
    case VK_PRIOR: return Page(-1);
    case VK_HOME:
    case VK_END: ToEnd(keyCode == VK_END, shift); return false;
    default: return false;
    }
}

// Down with nothing current selects the second row: the focus rectangle already
// marks the first.
bool KeyNavigator::WithoutCurrentRow(short keyCode) {
    long count = items_.Count();
    if (keyCode != VK_DOWN || count == 0) return false;
    selection_.MoveTo(*items_.At(count == 1 ? 1 : 2), false);
    owner_.RepaintRows();
    return false;
}

// One row down or up. The rows scroll one line when the new current row is the one
// cut off at the bottom (down), or when the old one was the first in view (up).
bool KeyNavigator::Step(long delta, short shift) {
    long n = selection_.Current()->IndexValue(), count = items_.Count();
    long target = n + delta;
    if (target < 1 || target > count) return false;
    {
        PaintingHeld held(owner_);
        if (delta < 0 && vertical_.Visible() && n == owner_.FirstVisibleIndex())
            vertical_.SetValue(std::max(vertical_.Value() - vertical_.SmallChange(), vertical_.Min()));
        selection_.MoveTo(*items_.At(target), Extends(shift));
        if (delta > 0 && vertical_.Visible() && target == owner_.LastVisibleIndex())
            vertical_.SetValue(std::min(vertical_.Value() + vertical_.SmallChange(), vertical_.Max()));
    }
    owner_.RepaintRows();
    return true;
}

// A page is the number of rows from the first in view to the one cut off at the
// bottom. The target row is clamped to the list, and the scroll value to its range.
bool KeyNavigator::Page(long direction) {
    long n = selection_.Current()->IndexValue(), count = items_.Count();
    {
        PaintingHeld held(owner_);
        long page = owner_.LastVisibleIndex() - owner_.FirstVisibleIndex();
        long target = direction > 0 ? count : 1, value = 0;
        if (vertical_.Visible()) {
            int64_t v = int64_t{vertical_.Value()} + int64_t{direction} * page * owner_.RowHeight();
            bool inside = direction > 0 ? v < vertical_.Max() : v > vertical_.Min();
            if (inside) {
                target = static_cast<long>(std::clamp<int64_t>(int64_t{n} + direction * page, 1, count));
                value = static_cast<long>(v);
            } else {
                value = direction > 0 ? vertical_.Max() : vertical_.Min();
            }
        }
        selection_.MoveTo(*items_.At(target), false);
        vertical_.SetValue(value);
    }
    owner_.RepaintRows();
    return true;
}

void KeyNavigator::ToEnd(bool last, short shift) {
    {
        PaintingHeld held(owner_);
        long value = !vertical_.Visible() ? 0 : last ? vertical_.Max() : vertical_.Min();
        selection_.MoveTo(*items_.At(last ? items_.Count() : 1), Extends(shift));
        vertical_.SetValue(value);
        if (Extends(shift)) selection_.SelectRangeToAnchor();
    }
    owner_.RepaintRows();
}

// The next or previous control in the tab order of the window that lays the
// controls out, as Tab and Shift+Tab would move.
void KeyNavigator::MoveFocus(bool next) const {
    HWND window = owner_.Window(), container = GetParent(window);
    while (container && (GetWindowLongW(container, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) &&
           (GetWindowLongW(container, GWL_STYLE) & WS_CHILD) && GetParent(container))
        container = GetParent(container);
    if (!container) return;
    HWND target = GetNextDlgTabItem(container, window, next ? FALSE : TRUE);
    if (target && target != window) SetFocus(target);
}

}  // namespace vel::roster
