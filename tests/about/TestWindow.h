#pragma once
#include <windows.h>

// A plain window standing in for a host's form or a control's window; destroyed
// with its owner object.
class TestWindow {
public:
    static TestWindow TopLevel(const RECT& bounds);
    static TestWindow ChildOf(HWND parent, const RECT& bounds);

    TestWindow(TestWindow&& other) noexcept;
    TestWindow& operator=(TestWindow&&) = delete;
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    ~TestWindow();

    HWND Get() const { return window_; }

private:
    explicit TestWindow(HWND window) : window_(window) {}

    HWND window_;
};
