#include "NotifierPages.h"

#include "Module.h"

namespace vel::notifier {

HWND CreateChild(HWND page, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, RECT at,
                 DWORD extendedStyle) {
    HWND child = CreateWindowExW(extendedStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top,
                                 at.right, at.bottom, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 com::Module::Handle(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

std::wstring ProgramTitle() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring title(path);
    title = title.substr(title.find_last_of(L"\\/") + 1);
    return title.substr(0, title.find_last_of(L'.'));
}

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace vel::notifier
