#pragma once
#include <windows.h>

#include "Rect3DStyle.h"

namespace vel::drawing {

// Draws 3-D frames, flat frames, etched separators and splitter bars with
// one-pixel pens in the system's 3-D colours, read at every call. Keeps no state
// and no graphics objects between calls; every DC is left as it was found.
class CDrawRect {
public:
    // Draws the frame or separator of `style` for the rectangle (lLeft, lTop,
    // lWidth, lHeight). Styles outside the enumeration draw nothing. Raises error 6
    // when a coordinate overflows.
    static void Draw3DRect(HDC hDCDest, long lLeft, long lTop, long lWidth, long lHeight, Rect3DStyle style);

    // Draws a splitter bar lSplitterSize lines thick (highlight, face..., shadow)
    // right of the rectangle when eOrientation is 0, below it otherwise. iOffset
    // replaces the rectangle's start along the bar. Raises error 6 on overflow.
    static void DrawRoundSplitter(HDC hdc, short eOrientation, long lSplitterSize, short iOffset, long lLeft,
                                  long lTop, long lWidth, long lHeight);
};

}  // namespace vel::drawing
