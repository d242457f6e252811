#include "TrayState.h"

#include <cstring>
#include <map>
#include <memory>
#include <vector>

namespace vel::notifier {
namespace {

TrayState::ShellCall shell = &Shell_NotifyIconA;

// The tip in the ANSI code page, cut to fit the 64-byte field with its terminating NUL
// (a double-byte character is never split).
std::vector<char> AnsiTip(const std::wstring& text, size_t limit) {
    // Characters beyond the limit can never reach the shell; converting them is wasted.
    std::wstring head = text.substr(0, limit);
    int size = WideCharToMultiByte(CP_ACP, 0, head.c_str(), static_cast<int>(head.size()), nullptr, 0, nullptr, nullptr);
    std::vector<char> bytes(static_cast<size_t>(size > 0 ? size : 0));
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, head.c_str(), static_cast<int>(head.size()), bytes.data(), size, nullptr, nullptr);
    size_t kept = 0;
    while (kept < bytes.size()) {
        size_t width = IsDBCSLeadByte(static_cast<BYTE>(bytes[kept])) ? 2 : 1;
        if (kept + width > limit) break;
        kept += width;
    }
    bytes.resize(kept);
    return bytes;
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

void TrayState::SetShell(ShellCall call) { shell = call ? call : &Shell_NotifyIconA; }

// The tip: the text and one NUL, padded with blanks to the field's size. The text is
// cut to 63 bytes so that the NUL always fits.
void TrayState::FillTip() {
    std::vector<char> tip = AnsiTip(toolTipText, kTipBytes - 1);
    std::memset(notifyData_.szTip, ' ', kTipBytes);
    std::memcpy(notifyData_.szTip, tip.data(), tip.size());
    notifyData_.szTip[tip.size()] = '\0';
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
    CallShell(NIM_ADD);
    iconShown = true;
}

void TrayState::DeleteTrayIcon() {
    if (!iconShown) return;
    CallShell(NIM_DELETE);
    iconShown = false;
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

}  // namespace vel::notifier
