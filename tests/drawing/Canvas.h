#pragma once
#include <windows.h>

#include "GdiObject.h"
#include "OwnedDC.h"
#include "SelectedObject.h"

// A memory DC over a 32-bit DIB of a given size whose pixels the tests read back.
// It starts filled with its background colour.
class Canvas {
public:
    static constexpr COLORREF kPaper = RGB(12, 34, 56);

    Canvas(int width, int height, COLORREF paper = kPaper);

    HDC DC() const { return dc_.Get(); }
    COLORREF Pixel(int x, int y) const { return GetPixel(dc_.Get(), x, y); }
    void Fill(COLORREF colour);
    // The smallest rectangle holding every pixel that is not `background`; empty when none.
    RECT InkBounds(COLORREF background) const;
    int CountPixels(COLORREF colour) const;

private:
    int width_;
    int height_;
    vel::drawing::OwnedDC dc_;
    vel::drawing::OwnedBitmap bitmap_;
    vel::drawing::SelectedObject selection_;
};
