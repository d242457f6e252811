#pragma once
#include <windows.h>

#include <string>

namespace vel::notifier {

// Class identifiers of the notifier's property pages.
constexpr CLSID kGeneralPageClsid = {0xA26A2E44, 0x6B79, 0x11D1, {0xBF, 0x3C, 0, 0, 0, 0, 0, 0}};
constexpr CLSID kIconsPageClsid = {0xA26A2E53, 0x6B79, 0x11D1, {0xBF, 0x3C, 0, 0, 0, 0, 0, 0}};

// Child windows of the pages.
HWND CreateChild(HWND page, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id, RECT at,
                 DWORD extendedStyle = 0);
// The title message boxes carry where no host shows them: the program's name.
std::wstring ProgramTitle();
// The text of a child window.
std::wstring WindowText(HWND window);

}  // namespace vel::notifier
