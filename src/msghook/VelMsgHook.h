#pragma once
#include <windows.h>
#include <oaidl.h>

#include "ComObject.h"
#include "Variant.h"
#include "VelWindows.h"
#include "WindowsListener.h"

namespace vel::msghook {

class MsgHookOwner;

// The message hook a control owns for its whole life: the windows it lists (with the
// messages wanted for each) are subclassed while Subclass is on, and every listed
// message reaches the owner as HookMessage, before or after the window's own procedure.
// Constructing the hook registers it with the thread; destroying it gives every
// subclassed window its previous procedure back.
class VelMsgHook : private WindowsListener {
public:
    // The size the hook keeps on its host's surface, whatever it is asked for.
    static constexpr int kSizePixels = 24;

    explicit VelMsgHook(MsgHookOwner& owner);
    ~VelMsgHook();
    VelMsgHook(const VelMsgHook&) = delete;
    VelMsgHook& operator=(const VelMsgHook&) = delete;

    VelWindows& Windows() const { return *windows_.Get(); }
    bool Subclass() const { return windows_->GetSubclass(); }
    // At run time: subclasses (true) or restores (false) every listed window; fails when
    // no window has a handle. At design time only the flag is kept.
    void SetSubclass(bool subclass);

    // The Name of the top-level container reached from `parent` through Parent, then the
    // Name of each of its Controls that has a window handle, as a zero-based variant array.
    static com::Variant GetControlNames(IDispatch* parent);

    static long LoByte(long value) { return value & 0xFF; }
    static long HiByte(long value) { return (value / 256) & 0xFF; }
    static long LoWord(long value) { return value & 0xFFFF; }
    static long HiWord(long value) { return (value / 65536) & 0xFFFF; }

private:
    void WindowAdded(VelWindow& window) override;
    void WindowRemoved(VelWindow* window) override;
    void WindowChanged(VelWindow& window, std::wstring_view property) override;
    void MessageAdded(VelMessage& message) override;
    void MessageRemoved(VelMessage* message) override;
    void MessageChanged(VelMessage& message, std::wstring_view property) override;
    void CallBack(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override;

    MsgHookOwner& owner_;
    com::ComPtr<VelWindows> windows_;
};

}  // namespace vel::msghook
