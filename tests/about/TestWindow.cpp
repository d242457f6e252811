#include "TestWindow.h"

#include <utility>

TestWindow TestWindow::TopLevel(const RECT& bounds) {
    HWND window = CreateWindowExW(0, L"STATIC", L"Form", WS_OVERLAPPEDWINDOW | WS_VISIBLE, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    return TestWindow(window);
}

TestWindow TestWindow::ChildOf(HWND parent, const RECT& bounds) {
    HWND window = CreateWindowExW(0, L"STATIC", L"Control", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                                  bounds.right - bounds.left, bounds.bottom - bounds.top, parent, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    return TestWindow(window);
}

TestWindow::TestWindow(TestWindow&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}

TestWindow::~TestWindow() {
    if (window_) DestroyWindow(window_);
}
