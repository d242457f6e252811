#include "IconPictures.h"

#include <cstdint>
#include <fstream>
#include <vector>

#include "StandardObjects.h"

namespace vel::test {
namespace {

constexpr int kSize = 32;

struct Bitmaps {
    HBITMAP color;
    HBITMAP mask;
};

Bitmaps Draw(COLORREF color, COLORREF mark) {
    HDC screen = GetDC(nullptr);
    Bitmaps made{CreateCompatibleBitmap(screen, kSize, kSize), CreateBitmap(kSize, kSize, 1, 1, nullptr)};
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, made.color);
    HBRUSH fill = CreateSolidBrush(color), spot = CreateSolidBrush(mark);
    RECT all{0, 0, kSize, kSize}, square{8, 8, 12, 12};
    FillRect(dc, &all, fill);
    FillRect(dc, &square, spot);
    SelectObject(dc, made.mask);
    PatBlt(dc, 0, 0, kSize, kSize, BLACKNESS);  // opaque everywhere
    SelectObject(dc, old);
    DeleteObject(fill);
    DeleteObject(spot);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return made;
}

}  // namespace

HICON MakeIcon(COLORREF color, COLORREF mark) {
    Bitmaps bitmaps = Draw(color, mark);
    ICONINFO info{TRUE, 0, 0, bitmaps.mask, bitmaps.color};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(bitmaps.color);
    DeleteObject(bitmaps.mask);
    return icon;
}

ComPtr<IPictureDisp> MakeIconPicture(COLORREF color, COLORREF mark) {
    return hosting::StandardObjects::PictureFromIcon(MakeIcon(color, mark));
}

ComPtr<IPictureDisp> MakeBitmapPicture(COLORREF color) {
    Bitmaps bitmaps = Draw(color, color);
    DeleteObject(bitmaps.mask);
    return hosting::StandardObjects::PictureFromBitmap(bitmaps.color);
}

COLORREF IconPixel(HICON icon, int x, int y) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, kSize, kSize);
    HGDIOBJ old = SelectObject(dc, canvas);
    PatBlt(dc, 0, 0, kSize, kSize, WHITENESS);
    DrawIconEx(dc, 0, 0, icon, kSize, kSize, 0, nullptr, DI_NORMAL);
    COLORREF pixel = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteObject(canvas);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return pixel;
}

COLORREF PicturePixel(IPictureDisp* picture, int x, int y) {
    auto handle = hosting::StandardObjects::HandleOf(picture);
    return IconPixel(reinterpret_cast<HICON>(static_cast<UINT_PTR>(handle)), x, y);
}

void WriteIconFile(const std::wstring& path, COLORREF color) {
    const uint32_t pixels = kSize * kSize;
    const uint32_t maskBytes = kSize * 4;  // 1 bit per pixel, rows of 4 bytes
    const uint32_t imageBytes = 40 + pixels * 4 + maskBytes;
    std::vector<uint8_t> data;
    auto put16 = [&](uint16_t v) { data.push_back(v & 0xFF); data.push_back(v >> 8); };
    auto put32 = [&](uint32_t v) { put16(v & 0xFFFF); put16(v >> 16); };
    put16(0); put16(1); put16(1);                       // icon directory, one image
    data.push_back(kSize); data.push_back(kSize); data.push_back(0); data.push_back(0);
    put16(1); put16(32); put32(imageBytes); put32(6 + 16);
    put32(40); put32(kSize); put32(kSize * 2); put16(1); put16(32);  // BITMAPINFOHEADER
    put32(0); put32(pixels * 4); put32(0); put32(0); put32(0); put32(0);
    for (uint32_t i = 0; i < pixels; ++i) {
        data.push_back(GetBValue(color)); data.push_back(GetGValue(color)); data.push_back(GetRValue(color));
        data.push_back(0xFF);
    }
    data.insert(data.end(), maskBytes, 0);
    char narrow[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
    std::ofstream(narrow, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), data.size());
}

}  // namespace vel::test
