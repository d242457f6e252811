#include "Screenshot.h"

#include <fstream>
#include <vector>

#include "FormError.h"
#include "GdiObject.h"
#include "OwnedDC.h"
#include "SelectedObject.h"
#include "WindowDC.h"

using vel::drawing::OwnedBitmap;
using vel::drawing::OwnedDC;
using vel::drawing::SelectedObject;
using vel::drawing::WindowDC;

namespace velform {

void Screenshot::Save(HWND window, const std::wstring& path) {
    RECT client;
    GetClientRect(window, &client);
    BITMAPINFOHEADER header{sizeof(header)};
    header.biWidth = client.right;
    header.biHeight = client.bottom;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    WindowDC source(window);
    OwnedDC memory = OwnedDC::CompatibleWith(source.Get());
    OwnedBitmap bitmap(CreateDIBSection(source.Get(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits,
                                        nullptr, 0));
    if (!memory || !bitmap) throw FormError(L"the screenshot cannot be made");
    {
        SelectedObject selected(memory.Get(), bitmap.Get());
        BitBlt(memory.Get(), 0, 0, client.right, client.bottom, source.Get(), 0, 0, SRCCOPY);
    }
    GdiFlush();
    DWORD stride = ((client.right * 3) + 3) & ~3u;
    DWORD size = stride * client.bottom;
    header.biSizeImage = size;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + size;
    std::ofstream out(path.c_str(), std::ios::binary);
    out.write(reinterpret_cast<const char*>(&file), sizeof(file));
    out.write(reinterpret_cast<const char*>(&header), sizeof(header));
    out.write(static_cast<const char*>(bits), size);
    if (!out) throw FormError(L"cannot write " + path);
}

}  // namespace velform
