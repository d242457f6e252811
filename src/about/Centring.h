#pragma once
#include <windows.h>

namespace vel::about {

// Places a window centred over another one, kept inside the work area of the
// monitor the other one is on.
class Centring {
public:
    // Moves `window` (keeping its size) to the centre of `anchor`; over the work
    // area of the nearest monitor when `anchor` is null, hidden or minimised.
    static void PlaceOver(HWND window, HWND anchor);

    // Top-left corner of a box of `size` centred on `anchor`, pushed back inside
    // `workArea` where it would stick out (its top-left edge wins when the box is
    // larger than the work area, so the caption stays reachable).
    static POINT TopLeft(const RECT& anchor, SIZE size, const RECT& workArea);

private:
    static RECT WorkAreaNear(HWND window);
    static bool IsUsableAnchor(HWND anchor);
    static LONG Clamp(LONG start, LONG length, LONG areaStart, LONG areaEnd);
};

}  // namespace vel::about
