#pragma once
#include <windows.h>
#include <string_view>

namespace vel::msghook {

// What a VelMsgHook needs of the control that owns it: the host's mode, and a place
// to deliver the hook's Message event and its property-change notices.
class MsgHookOwner {
public:
    // Whether the host runs the control in user mode (run time); only then does
    // setting Subclass touch any window.
    virtual bool HookUserMode() const = 0;
    // The hook's Message event: a listed message reached a watched window. Runs inside
    // the window's procedure; whatever it throws is dropped there.
    virtual void HookMessage(HWND hwnd, UINT messageId, WPARAM wParam, LPARAM lParam) = 0;
    // "Windows" or "Messages": the hook's collection changed, for the owner to tell its host.
    virtual void HookPropertyChanged(std::wstring_view property) = 0;

protected:
    ~MsgHookOwner() = default;
};

}  // namespace vel::msghook
