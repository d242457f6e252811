#pragma once
#include <windows.h>

namespace vel::drawing {

// The device context of a window's client area from GetDC (the whole screen when the
// window is null), released to the same window at the end of the scope. Not for DCs
// made by CreateCompatibleDC, which are deleted instead (see OwnedDC).
class WindowDC {
public:
    explicit WindowDC(HWND window);
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC();

    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND window_;
    HDC dc_;
};

}  // namespace vel::drawing
