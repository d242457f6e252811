#include "ScrollBar.h"

#include <algorithm>
#include <cstdint>

namespace vel::roster {

ScrollBar::ScrollBar(HWND parent, bool vertical)
    : window_(CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | (vertical ? SBS_VERT : SBS_HORZ), 0, 0, 0, 0, parent,
                              nullptr, GetModuleHandleW(nullptr), nullptr)) {
    Apply();
}

long ScrollBar::Clamp(long value) const {
    long low = std::min(min_, max_), high = std::max(min_, max_);
    return std::clamp(value, low, high);
}

void ScrollBar::Raise(Event event) const {
    if (handler_) handler_(event);
}

// The window's range ends LargeChange - 1 beyond Max, so that with a page of
// LargeChange the thumb reaches exactly Max.
void ScrollBar::Apply() {
    if (!window_) return;
    SCROLLINFO info{sizeof(info)};
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    long page = std::max(largeChange_, 1L);
    info.nMin = std::min(min_, max_);
    info.nMax = static_cast<int>(std::min<int64_t>(INT32_MAX, int64_t{std::max(min_, max_)} + page - 1));
    info.nPage = static_cast<UINT>(page);
    info.nPos = value_;
    SetScrollInfo(window_.Get(), SB_CTL, &info, FALSE);
    stale_ = true;
}

void ScrollBar::Refresh() {
    if (!stale_) return;
    stale_ = false;
    if (window_ && visible_) InvalidateRect(window_.Get(), nullptr, TRUE);
}

void ScrollBar::SetValue(long value) {
    value = Clamp(value);
    if (value == value_) return;
    value_ = value;
    Apply();
    Raise(Event::Change);
}

void ScrollBar::SetMax(long value) {
    if (value == max_) return;
    max_ = value;
    Apply();
    SetValue(value_);
}

void ScrollBar::SetSmallChange(long value) { smallChange_ = value; }

void ScrollBar::SetLargeChange(long value) {
    if (value == largeChange_) return;
    largeChange_ = value;
    Apply();
}

void ScrollBar::SetVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    if (window_) ShowWindow(window_.Get(), visible ? SW_SHOWNA : SW_HIDE);
}

void ScrollBar::Move(long left, long top, long width, long height) {
    RECT rect{left, top, left + width, top + height};
    if (EqualRect(&rect, &rect_)) return;
    rect_ = rect;
    if (window_) MoveWindow(window_.Get(), left, top, std::max(width, 0L), std::max(height, 0L), TRUE);
}

void ScrollBar::HandleScroll(int code) {
    switch (code) {
    case SB_LINEUP: SetValue(value_ - smallChange_); break;
    case SB_LINEDOWN: SetValue(value_ + smallChange_); break;
    case SB_PAGEUP: SetValue(value_ - largeChange_); break;
    case SB_PAGEDOWN: SetValue(value_ + largeChange_); break;
    case SB_TOP: SetValue(min_); break;
    case SB_BOTTOM: SetValue(max_); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The 32-bit track position; the message's own position is only 16 bits.
        SCROLLINFO info{sizeof(info)};
        info.fMask = SIF_TRACKPOS;
        GetScrollInfo(window_.Get(), SB_CTL, &info);
        long track = Clamp(info.nTrackPos);
        if (code == SB_THUMBPOSITION) {
            SetValue(track);
        } else if (track != value_) {
            value_ = track;
            Apply();
            Raise(Event::Scroll);
        }
        break;
    }
    default: break;
    }
}

}  // namespace vel::roster
