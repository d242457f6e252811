#include "MCallBack.h"

#include "HookRegistry.h"
#include "VelWindows.h"

namespace vel::msghook {
namespace {

constexpr const wchar_t* kPreviousProcedure = L"PREV_WNDPROC";
constexpr const wchar_t* kSubclassCount = L"NUM_ADDEDPROPS";

// The window procedure slot is replaced and called through the wide-character entry
// points: CallWindowProcW translates for a previous procedure that expects ANSI
// messages, so windows of either kind keep receiving what they expect.
WNDPROC ReplaceProcedure(HWND hwnd, WNDPROC procedure) {
    return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

void SetCount(HWND hwnd, long count) {
    SetPropW(hwnd, kSubclassCount, reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(count)));
}

// One message on its way through the registrations of its window. The previous
// procedure runs at most once, however many registrations ask for it; its result is
// the message's result.
class Delivery {
public:
    Delivery(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
        : hwnd_(hwnd), message_(message), wParam_(wParam), lParam_(lParam) {}

    void Offer(VelWindows& hook, VelWindow& window) {
        claimed_ = true;
        const WNDPROC previous = window.GetPrevWndProc();
        const MessageLookup entry = hook.FindMessage(window, static_cast<long>(message_));
        if (!entry.found) return Forward(previous);
        const bool forwards = entry.processDefaultProc;
        if (forwards && entry.processType == velAfterDefaultProc) Forward(previous);
        hook.RaiseCallBack(hwnd_, message_, wParam_, lParam_);
        if (forwards && entry.processType == velBeforeDefaultProc) Forward(previous);
    }

    // A message that no registration claimed still reaches the window's previous procedure.
    LRESULT Finish() {
        if (!claimed_) Forward(MCallBack::PreviousProcedureOf(hwnd_));
        return result_;
    }

private:
    void Forward(WNDPROC previous) {
        if (forwarded_) return;
        forwarded_ = true;
        result_ = previous ? CallWindowProcW(previous, hwnd_, message_, wParam_, lParam_)
                           : DefWindowProcW(hwnd_, message_, wParam_, lParam_);
    }

    HWND hwnd_;
    UINT message_;
    WPARAM wParam_;
    LPARAM lParam_;
    LRESULT result_ = 0;
    bool claimed_ = false;
    bool forwarded_ = false;
};

}  // namespace

// Every registration of the window in every live hook of the thread is visited, in
// registry and position order. Handlers may change the hooks meanwhile (even end
// them, or send further messages): the visit runs over copies holding every object.
LRESULT CALLBACK MCallBack::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::optional<HookRegistry::Hooks> hooks;
    try {
        hooks = HookRegistry::ThreadHooks();
    } catch (...) {
        return CallWindowProcW(PreviousProcedureOf(hwnd), hwnd, message, wParam, lParam);
    }
    if (!hooks) return RestoreAndForward(hwnd, message, wParam, lParam);
    Delivery delivery(hwnd, message, wParam, lParam);
    for (auto& hook : *hooks) {
        if (!hook->GetSubclass()) continue;
        VelWindows::Members windows;
        try {
            windows = hook->All();
        } catch (...) {
            continue;
        }
        for (auto& window : windows) {
            if (window->Claims(hwnd)) delivery.Offer(*hook.Get(), *window.Get());
        }
    }
    return delivery.Finish();
}

void MCallBack::RegisterHook(VelWindows& windows) { HookRegistry::Append(windows); }

void MCallBack::UnregisterHook(VelWindows& windows) {
    ApplySubclassState(windows);
    HookRegistry::Remove(windows);
}

long MCallBack::FindHookPosition(const VelWindows& windows) { return HookRegistry::Position(windows); }

void MCallBack::ApplySubclassState(VelWindows& windows) {
    com::ComPtr<VelWindows> hold(&windows);
    const VelWindows::Members members = windows.All();
    for (auto& window : members) {
        if (windows.GetSubclass()) SubclassWindow(*window.Get());
        else UnsubclassWindow(*window.Get());
    }
}

void MCallBack::SubclassWindow(VelWindow& window) {
    if (window.IsSubclassing()) return;
    const HWND hwnd = window.Handle();
    const long count = SubclassCountOf(hwnd);
    WNDPROC previous;
    if (count != 0) {
        previous = PreviousProcedureOf(hwnd);
    } else {
        // A handle that is no window of this process cannot be subclassed: nothing is recorded.
        SetLastError(ERROR_SUCCESS);
        previous = ReplaceProcedure(hwnd, &MCallBack::WindowProc);
        if (!previous && GetLastError() != ERROR_SUCCESS) return;
        SetPropW(hwnd, kPreviousProcedure, reinterpret_cast<HANDLE>(previous));
    }
    window.SetPrevWndProc(hwnd, previous);
    SetCount(hwnd, count + 1);
}

// The handle given back its procedure is the one this registration subclassed, even
// if the window's SubClassHwnd has been changed since.
void MCallBack::UnsubclassWindow(VelWindow& window) {
    if (!window.IsSubclassing()) return;
    const HWND hwnd = window.SubclassedHandle();
    const WNDPROC previous = window.GetPrevWndProc();
    window.ForgetSubclass();
    const long count = SubclassCountOf(hwnd);
    if (count == 1) {
        ReplaceProcedure(hwnd, previous);
        RemovePropW(hwnd, kPreviousProcedure);
        RemovePropW(hwnd, kSubclassCount);
    } else if (count > 1) {
        SetCount(hwnd, count - 1);
    }
}

LRESULT MCallBack::RestoreAndForward(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const WNDPROC previous = PreviousProcedureOf(hwnd);
    if (previous) ReplaceProcedure(hwnd, previous);
    RemovePropW(hwnd, kPreviousProcedure);
    const LRESULT result = previous ? CallWindowProcW(previous, hwnd, message, wParam, lParam)
                                    : DefWindowProcW(hwnd, message, wParam, lParam);
    RemovePropW(hwnd, kSubclassCount);
    return result;
}

WNDPROC MCallBack::PreviousProcedureOf(HWND hwnd) {
    return reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPreviousProcedure));
}

long MCallBack::SubclassCountOf(HWND hwnd) {
    return static_cast<long>(reinterpret_cast<LONG_PTR>(GetPropW(hwnd, kSubclassCount)));
}

}  // namespace vel::msghook
