#pragma once
#include <windows.h>

#include "GdiObject.h"
#include "ObjectSelection.h"

namespace vel::hosting {

// A memory device context with a bitmap of the given size selected into it. The
// members go in reverse order: the bitmap is selected out, then deleted, then the DC.
class MemoryDC {
public:
    MemoryDC(HDC compatibleWith, int width, int height)
        : dc_(CreateCompatibleDC(compatibleWith)),
          bitmap_(CreateCompatibleBitmap(compatibleWith, width > 0 ? width : 1, height > 0 ? height : 1)),
          selection_(dc_.handle, bitmap_.Get()) {}

    HDC Get() const { return dc_.handle; }

private:
    struct OwnedDC {
        HDC handle;
        explicit OwnedDC(HDC dc) : handle(dc) {}
        OwnedDC(const OwnedDC&) = delete;
        OwnedDC& operator=(const OwnedDC&) = delete;
        ~OwnedDC() {
            if (handle) DeleteDC(handle);
        }
    };
    OwnedDC dc_;
    GdiObject<HBITMAP> bitmap_;
    ObjectSelection selection_;
};

}  // namespace vel::hosting
