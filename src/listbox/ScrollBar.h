#pragma once
#include <windows.h>

#include "OwnedWindow.h"

#include <functional>

namespace vel::roster {

// A standard scroll bar child window with the value model a form's scroll bar has:
// Min, Max, Value, SmallChange and LargeChange, all 32-bit, so that long lists can be
// scrolled to every pixel. The owner forwards WM_HSCROLL / WM_VSCROLL to HandleScroll.
class ScrollBar {
public:
    // Change: Value changed (by code, a click or the end of a thumb drag);
    // Scroll: the thumb is being dragged and Value follows it.
    enum class Event { Change, Scroll };
    using Handler = std::function<void(Event)>;

    ScrollBar(HWND parent, bool vertical);
    ScrollBar(const ScrollBar&) = delete;
    ScrollBar& operator=(const ScrollBar&) = delete;

    HWND Handle() const { return window_.Get(); }
    void SetHandler(Handler handler) { handler_ = std::move(handler); }

    long Value() const { return value_; }
    // Clamps into Min..Max; raises Change when the value differs.
    void SetValue(long value);
    long Min() const { return min_; }
    long Max() const { return max_; }
    void SetMax(long value);
    long SmallChange() const { return smallChange_; }
    void SetSmallChange(long value);
    long LargeChange() const { return largeChange_; }
    void SetLargeChange(long value);

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    long Left() const { return rect_.left; }
    long Top() const { return rect_.top; }
    long Width() const { return rect_.right - rect_.left; }
    long Height() const { return rect_.bottom - rect_.top; }
    void Move(long left, long top, long width, long height);

    // A WM_HSCROLL / WM_VSCROLL request code from this bar.
    void HandleScroll(int code);

    // New values reach the window at once but are drawn only by Refresh, so that a burst
    // of changes draws the bar once. Setting a value it already has changes nothing.
    bool Stale() const { return stale_; }
    void Refresh();

private:
    long Clamp(long value) const;
    void Apply();
    void Raise(Event event) const;

    drawing::OwnedWindow window_;
    Handler handler_;
    RECT rect_{};
    long value_ = 0;
    long min_ = 0;
    long max_ = 32767;
    long smallChange_ = 1;
    long largeChange_ = 1;
    bool visible_ = false;
    bool stale_ = false;  // the window holds values it has not drawn yet
};

}  // namespace vel::roster
