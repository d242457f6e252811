#include "CSplitter.h"

#include <cmath>

namespace vel::roster {
namespace {

// Single to 32-bit integer, halves to even as the automation conversions round.
long Round(float value) { return static_cast<long>(std::nearbyint(static_cast<double>(value))); }

// The desktop's whole-window DC, released at the end of the scope.
class DesktopDC {
public:
    DesktopDC() : window_(GetDesktopWindow()), dc_(GetWindowDC(window_)) {}
    DesktopDC(const DesktopDC&) = delete;
    DesktopDC& operator=(const DesktopDC&) = delete;
    ~DesktopDC() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace

CSplitter::~CSplitter() {
    if (mouseDown_) InvertTracker();
}

void CSplitter::InvertTracker() const {
    DesktopDC desktop;
    if (desktop.Get()) InvertRect(desktop.Get(), &tracker_);
}

void CSplitter::MoveTracker(long left, long top) {
    POINT topLeft{left, top}, bottomRight{left + width_, top + height_};
    ClientToScreen(parent_, &topLeft);
    ClientToScreen(parent_, &bottomRight);
    tracker_ = {topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    InvertTracker();
}

void CSplitter::MouseDown(long lOffsetX, long lOffsetY, float x, float y) {
    value_ = -1;
    mouseDown_ = true;
    if (orientation_ == 0)
        MoveTracker(Round(x + static_cast<float>(lOffsetX)), lOffsetY);
    else
        MoveTracker(lOffsetX, Round(y + static_cast<float>(lOffsetY)));
}

void CSplitter::MouseMove(long lOffsetX, long lOffsetY, float x, float y) {
    if (!mouseDown_) return;
    bool vertical = orientation_ == 0;
    long p = vertical ? Round(x + static_cast<float>(lOffsetX)) : Round(y + static_cast<float>(lOffsetY));
    long bound = vertical ? parentWidth_ : parentHeight_;
    long size = vertical ? width_ : height_;
    if (p < 0)
        p = 0;
    else if (p > bound)
        p = bound - size;
    value_ = p;
    InvertTracker();
    if (vertical)
        MoveTracker(p, lOffsetY);
    else
        MoveTracker(lOffsetX, p);
}

bool CSplitter::MouseUp() {
    if (!mouseDown_) return false;
    InvertTracker();
    mouseDown_ = false;
    return true;
}

}  // namespace vel::roster
