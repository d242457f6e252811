#include "OffscreenSurface.h"

namespace vel::drawing {

OffscreenSurface::OffscreenSurface(HDC reference, long width, long height)
    : dc_(OwnedDC::CompatibleWith(reference)),
      bitmap_(CreateCompatibleBitmap(reference, width, height)),
      selection_(dc_.Get(), bitmap_.Get()) {}

}  // namespace vel::drawing
