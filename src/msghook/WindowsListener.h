#pragma once
#include <windows.h>
#include <string_view>

namespace vel::msghook {

class VelMessage;
class VelWindow;

// What the hook owning a VelWindows hears, before the collection's COM sinks do.
class WindowsListener {
public:
    virtual void WindowAdded(VelWindow& window) = 0;
    // `window` is nullptr after Clear.
    virtual void WindowRemoved(VelWindow* window) = 0;
    virtual void WindowChanged(VelWindow& window, std::wstring_view property) = 0;
    virtual void MessageAdded(VelMessage& message) = 0;
    // `message` is nullptr after a window's messages were cleared.
    virtual void MessageRemoved(VelMessage* message) = 0;
    virtual void MessageChanged(VelMessage& message, std::wstring_view property) = 0;
    // A listed message reached a subclassed window; runs inside its window procedure.
    virtual void CallBack(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) = 0;

protected:
    ~WindowsListener() = default;
};

}  // namespace vel::msghook
