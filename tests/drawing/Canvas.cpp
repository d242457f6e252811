#include "Canvas.h"

#include <algorithm>

namespace {

HBITMAP CreateDib(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
}

}  // namespace

Canvas::Canvas(int width, int height, COLORREF paper)
    : width_(width),
      height_(height),
      dc_(vel::drawing::OwnedDC::CompatibleWith(nullptr)),
      bitmap_(CreateDib(width, height)),
      selection_(dc_.Get(), bitmap_.Get()) {
    SetBkColor(DC(), paper);
    Fill(paper);
}

void Canvas::Fill(COLORREF colour) {
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) SetPixel(DC(), x, y, colour);
}

RECT Canvas::InkBounds(COLORREF background) const {
    RECT bounds{width_, height_, 0, 0};
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) {
            if (Pixel(x, y) == background) continue;
            bounds.left = std::min<LONG>(bounds.left, x);
            bounds.top = std::min<LONG>(bounds.top, y);
            bounds.right = std::max<LONG>(bounds.right, x + 1);
            bounds.bottom = std::max<LONG>(bounds.bottom, y + 1);
        }
    if (bounds.right == 0) return RECT{};
    return bounds;
}

int Canvas::CountPixels(COLORREF colour) const {
    int count = 0;
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) count += Pixel(x, y) == colour;
    return count;
}
