#pragma once
#include <windows.h>

#include "GdiObject.h"
#include "OwnedDC.h"
#include "SelectedObject.h"

namespace vel::drawing {

// A memory DC with a bitmap of a given size selected into it, both compatible with
// a reference DC. The bitmap is selected out again before either is deleted.
class OffscreenSurface {
public:
    OffscreenSurface(HDC reference, long width, long height);
    OffscreenSurface(const OffscreenSurface&) = delete;
    OffscreenSurface& operator=(const OffscreenSurface&) = delete;

    HDC DC() const { return dc_.Get(); }
    HBITMAP Bitmap() const { return bitmap_.Get(); }

private:
    // Destroyed in reverse: the original bitmap goes back, then the bitmap and the DC are deleted.
    OwnedDC dc_;
    OwnedBitmap bitmap_;
    SelectedObject selection_;
};

}  // namespace vel::drawing
