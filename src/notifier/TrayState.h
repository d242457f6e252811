#pragma once
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <string_view>

#include "ComObject.h"
#include "TaskbarWatch.h"
#include "VelIcons.h"

namespace vel::notifier {

// The notification-area state of one thread, shared by every notifier on it: the
// icon collection the tray shows, the shell's record of the icon, the animation
// settings and position, and the animation timer. The timer's callback reaches the
// animation through this record, since it has no notifier to ask.
//
// The shell protocol: one icon (uID 100) owned by a notifier's window, reporting mouse
// activity as message 1525; added once, then its image or tip changed, a balloon
// shown over it, and deleted. While the icon is shown, a restarted taskbar gets it
// again. The shell's answers are not examined.
class TrayState {
public:
    static constexpr UINT kIconId = 100;
    static constexpr UINT kCallbackMessage = 1525;
    // The wide-character record in its full layout: tips in every language, balloons.
    static constexpr DWORD kRecordSize = sizeof(NOTIFYICONDATAW);
    // The tip's visible field: the text, one NUL and blanks, 64 characters in all.
    static constexpr size_t kTipChars = 64;

    // The shell's entry point; tests put a recorder in its place.
    using ShellCall = BOOL(WINAPI*)(DWORD message, NOTIFYICONDATAW* data);

    static TrayState& ForThread();
    TrayState();
    TrayState(const TrayState&) = delete;
    TrayState& operator=(const TrayState&) = delete;
    ~TrayState();

    // Shell operations.
    void AddTrayIcon(HWND owner, HICON icon);
    void DeleteTrayIcon();
    void ChangeTrayIcon(HICON icon);
    void ChangeTrayTip();
    // Adds the shown icon again, with its last image and the tip, after the taskbar
    // restarted; nothing while no icon is shown.
    void RestoreTrayIcon();
    // A balloon over the shown icon (nothing while none is shown). `iconFlags` is one
    // of the shell's NIIF_ values; NIIF_USER shows the icon's own image. An empty
    // text takes a balloon that is up away.
    void ShowBalloon(std::wstring_view text, std::wstring_view title, DWORD iconFlags, UINT timeout);
    static void SetShell(ShellCall shell);

    // The record as the last shell call left it.
    const NOTIFYICONDATAW& NotifyData() const { return notifyData_; }
    // The hidden window that hears the taskbar's restart, while the icon is shown.
    HWND TaskbarWatchWindow() const { return watch_ ? watch_->Handle() : nullptr; }

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

    NOTIFYICONDATAW notifyData_{};
    std::unique_ptr<TaskbarWatch> watch_;
};

}  // namespace vel::notifier
