#include "TrayState.h"

#include <algorithm>
#include <map>

namespace vel::notifier {
namespace {

TrayState::ShellCall shell = &Shell_NotifyIconW;

// Copies as much of `text` as fits into `field` with its terminating NUL, never
// parting a surrogate pair; the rest of the field is cleared. Answers the length kept.
// The shell reads a field up to its first NUL, so an embedded NUL ends the text there.
size_t CopyCut(wchar_t* field, size_t size, std::wstring_view text) {
    size_t kept = std::min(text.size(), size - 1);
    if (kept > 0 && kept < text.size() && IS_HIGH_SURROGATE(text[kept - 1])) --kept;
    std::fill(field, field + size, L'\0');
    std::copy_n(text.data(), kept, field);
    return kept;
}

template <size_t N>
size_t CopyCut(wchar_t (&field)[N], std::wstring_view text) {
    return CopyCut(field, N, text);
}

}  // namespace

// One record per thread, kept in a plain table rather than in thread-local storage, so
// that nothing of it runs at thread exit after the library may have been unloaded.
TrayState& TrayState::ForThread() {
    static std::map<DWORD, std::unique_ptr<TrayState>> states;
    auto& state = states[GetCurrentThreadId()];
    if (!state) state = std::make_unique<TrayState>();
    return *state;
}

TrayState::TrayState() {
    notifyData_.cbSize = kRecordSize;
    notifyData_.uID = kIconId;
    notifyData_.uCallbackMessage = kCallbackMessage;
}

TrayState::~TrayState() = default;

void TrayState::SetShell(ShellCall call) { shell = call ? call : &Shell_NotifyIconW; }

// The tip: the text and one NUL, padded with blanks to 64 characters (the text is cut
// to 63 so that the NUL always fits); the record's longer field is empty beyond.
void TrayState::FillTip() {
    size_t kept = CopyCut(notifyData_.szTip, kTipChars, toolTipText);
    std::fill(notifyData_.szTip + kept + 1, notifyData_.szTip + kTipChars, L' ');
    std::fill(std::begin(notifyData_.szTip) + kTipChars, std::end(notifyData_.szTip), L'\0');
}

void TrayState::CallShell(DWORD message) { shell(message, &notifyData_); }

void TrayState::AddTrayIcon(HWND owner, HICON icon) {
    if (iconShown) return;
    FillTip();
    notifyData_.cbSize = kRecordSize;
    notifyData_.hWnd = owner;
    notifyData_.uID = kIconId;
    notifyData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    notifyData_.uCallbackMessage = kCallbackMessage;
    notifyData_.hIcon = icon;
    iconShown = true;
    if (!watch_) watch_ = std::make_unique<TaskbarWatch>([] { TrayState::ForThread().RestoreTrayIcon(); });
    CallShell(NIM_ADD);
}

void TrayState::DeleteTrayIcon() {
    if (!iconShown) return;
    iconShown = false;
    watch_.reset();
    CallShell(NIM_DELETE);
}

void TrayState::ChangeTrayIcon(HICON icon) {
    notifyData_.uFlags = NIF_ICON;
    notifyData_.hIcon = icon;
    CallShell(NIM_MODIFY);
}

void TrayState::ChangeTrayTip() {
    notifyData_.uFlags = NIF_TIP;
    FillTip();
    CallShell(NIM_MODIFY);
}

// The new taskbar knows nothing of the icon: it is added whole, as when first shown.
// Should the old taskbar still have it, the shell refuses the second add harmlessly.
void TrayState::RestoreTrayIcon() {
    if (!iconShown) return;
    FillTip();
    notifyData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    CallShell(NIM_ADD);
}

void TrayState::ShowBalloon(std::wstring_view text, std::wstring_view title, DWORD iconFlags, UINT timeout) {
    if (!iconShown) return;
    notifyData_.uFlags = NIF_INFO;
    CopyCut(notifyData_.szInfo, text);
    CopyCut(notifyData_.szInfoTitle, title);
    notifyData_.dwInfoFlags = iconFlags;
    notifyData_.uTimeout = timeout;
    notifyData_.hBalloonIcon = iconFlags == NIIF_USER ? notifyData_.hIcon : nullptr;
    CallShell(NIM_MODIFY);
}

}  // namespace vel::notifier
