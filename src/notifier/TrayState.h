#pragma once
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "ComObject.h"
#include "VelIcons.h"

namespace vel::notifier {

// The notification-area state of one thread, shared by every notifier on it: the
// icon collection the tray shows, the shell's record of the icon, the animation
// settings and position, and the animation timer. The timer's callback reaches the
// animation through this record, since it has no notifier to ask.
//
// The shell protocol: one icon (uID 100) owned by a notifier's window, reporting mouse
// activity as message 1525; added once, then its image or tip changed, and deleted.
// The shell's answers are not examined.
class TrayState {
public:
    static constexpr UINT kIconId = 100;
    static constexpr UINT kCallbackMessage = 1525;
    static constexpr DWORD kRecordSize = 88;  // the first layout of the record, 64-byte tip
    static constexpr size_t kTipBytes = 64;

    // The shell's entry point; tests put a recorder in its place.
    using ShellCall = BOOL(WINAPI*)(DWORD message, NOTIFYICONDATAA* data);

    static TrayState& ForThread();
    TrayState();

    // Shell operations.
    void AddTrayIcon(HWND owner, HICON icon);
    void DeleteTrayIcon();
    void ChangeTrayIcon(HICON icon);
    void ChangeTrayTip();
    static void SetShell(ShellCall shell);

    // The record as the last shell call left it.
    const NOTIFYICONDATAA& NotifyData() const { return notifyData_; }

    // Animation settings (the notifier's properties) and state.
    com::ComPtr<VelIcons> icons;
    long animationStyle = 0;
    bool continuous = true;
    short interval = 0;
    bool reverseAnimation = false;
    std::wstring toolTipText;
    short current = 1;
    short step = 1;
    HWND timerWindow = nullptr;
    bool iconShown = false;
    bool timerActive = false;

private:
    void FillTip();
    void CallShell(DWORD message);

    NOTIFYICONDATAA notifyData_{};
};

}  // namespace vel::notifier
