#pragma once
#include <windows.h>

namespace vel::drawing {

// Owns a window made by CreateWindowEx and destroys it with DestroyWindow, which
// also destroys its child windows.
class OwnedWindow {
public:
    OwnedWindow() = default;
    explicit OwnedWindow(HWND window) : window_(window) {}
    OwnedWindow(OwnedWindow&& other) noexcept : window_(other.Release()) {}
    OwnedWindow& operator=(OwnedWindow&& other) noexcept;
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;
    ~OwnedWindow() { Reset(); }

    HWND Get() const { return window_; }
    explicit operator bool() const { return window_ != nullptr; }
    void Reset(HWND window = nullptr);
    HWND Release();

private:
    HWND window_ = nullptr;
};

}  // namespace vel::drawing
