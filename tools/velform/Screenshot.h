#pragma once
#include <windows.h>
#include <string>

namespace velform {

// The client area of a window as it shows on screen, written as a 24-bit BMP file.
class Screenshot {
public:
    static void Save(HWND window, const std::wstring& path);
};

}  // namespace velform
