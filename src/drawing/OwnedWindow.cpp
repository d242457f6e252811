#include "OwnedWindow.h"

#include <utility>

namespace vel::drawing {

OwnedWindow& OwnedWindow::operator=(OwnedWindow&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
}

void OwnedWindow::Reset(HWND window) {
    if (window_ && window_ != window) DestroyWindow(window_);
    window_ = window;
}

HWND OwnedWindow::Release() { return std::exchange(window_, nullptr); }

}  // namespace vel::drawing
