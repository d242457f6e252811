#include "ModalLoopExit.h"

namespace velform {
namespace {

// The exit of the press being delivered on this thread, for the filter.
thread_local ModalLoopExit* current = nullptr;

// Removes the message filter hook when the press has been delivered.
class FilterHook {
public:
    explicit FilterHook(HOOKPROC filter) : hook_(SetWindowsHookExW(WH_MSGFILTER, filter, nullptr, GetCurrentThreadId())) {}
    FilterHook(const FilterHook&) = delete;
    FilterHook& operator=(const FilterHook&) = delete;
    ~FilterHook() {
        if (hook_) UnhookWindowsHookEx(hook_);
    }

private:
    HHOOK hook_;
};

}  // namespace

UINT ModalLoopExit::Marker() {
    static const UINT marker = RegisterWindowMessageW(L"VelForm.LeaveModalLoop");
    return marker;
}

LRESULT CALLBACK ModalLoopExit::Filter(int code, WPARAM wParam, LPARAM lParam) {
    auto* message = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_SCROLLBAR && current && message && !message->hwnd && message->message == Marker()) {
        current->tracking_ = GetCapture();
        current->left_ = true;
        ReleaseCapture();
        return 1;  // the loop skips the message and ends, having lost the capture
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void ModalLoopExit::Send(HWND target, UINT message, WPARAM keys, LPARAM position) {
    ModalLoopExit exit;
    ModalLoopExit* outer = current;
    current = &exit;
    {
        FilterHook hook(&ModalLoopExit::Filter);
        PostThreadMessageW(GetCurrentThreadId(), Marker(), 0, 0);
        SendMessageW(target, message, keys, position);
    }
    current = outer;
    if (!exit.left_) {
        MSG unused;
        PeekMessageW(&unused, reinterpret_cast<HWND>(-1), Marker(), Marker(), PM_REMOVE);
    } else if (exit.tracking_ && IsWindow(exit.tracking_)) {
        SetCapture(exit.tracking_);
    }
}

}  // namespace velform
