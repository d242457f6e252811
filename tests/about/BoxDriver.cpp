#include "BoxDriver.h"

#include "AboutBox.h"

namespace {

constexpr UINT kTickMilliseconds = 20;
constexpr int kTicksBeforeForcedEnd = 150;

BOOL CALLBACK RememberShownDialog(HWND window, LPARAM found) {
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

}  // namespace

BoxDriver* BoxDriver::active_ = nullptr;

BoxDriver::BoxDriver(HWND watchedWindow, CloseBy closeBy) : watchedWindow_(watchedWindow), closeBy_(closeBy) {
    active_ = this;
    timer_ = SetTimer(nullptr, 0, kTickMilliseconds, OnTimer);
}

BoxDriver::~BoxDriver() {
    KillTimer(nullptr, timer_);
    active_ = nullptr;
}

HWND BoxDriver::FindShownBox() {
    HWND found = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), RememberShownDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

void CALLBACK BoxDriver::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (active_) active_->Tick();
}

void BoxDriver::Tick() {
    HWND box = FindShownBox();
    if (!box) return;
    if (!sighting_.seen) {
        TakeSighting(box);
        AskToClose(box);
    } else if (++ticksSinceCloseAsked_ > kTicksBeforeForcedEnd) {
        sighting_.forcedClosed = true;
        EndDialog(box, 0);
    }
}

void BoxDriver::TakeSighting(HWND box) {
    sighting_.seen = true;
    sighting_.box = box;
    sighting_.owner = GetWindow(box, GW_OWNER);
    sighting_.focusOnOk = GetFocus() == GetDlgItem(box, IDOK);
    GetWindowRect(box, &sighting_.bounds);
    sighting_.caption = TextOf(box);
    sighting_.title = TextOf(GetDlgItem(box, vel::about::AboutBox::kTitleId));
    sighting_.version = TextOf(GetDlgItem(box, vel::about::AboutBox::kVersionId));
    if (watchedWindow_) sighting_.watchedWindowEnabled = IsWindowEnabled(watchedWindow_) != FALSE;
}

void BoxDriver::AskToClose(HWND box) const {
    HWND focus = GetFocus();
    HWND keyTarget = focus && IsChild(box, focus) ? focus : box;
    switch (closeBy_) {
    case CloseBy::OkButton:
        PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
        break;
    case CloseBy::EnterKey:
        PostMessageW(keyTarget, WM_KEYDOWN, VK_RETURN, 1);
        break;
    case CloseBy::EscapeKey:
        PostMessageW(keyTarget, WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    case CloseBy::CloseBox:
        PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

std::wstring BoxDriver::TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), length + 1)));
    return text;
}
