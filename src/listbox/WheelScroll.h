#pragma once
#include <windows.h>

namespace vel::roster {

class ScrollBar;

// Turns of the mouse wheel into scrolling of the rows: each notch scrolls as many
// rows as the system's wheel setting says (or a page, when it says pages). Parts of
// a notch, as fine-grained wheels send them, add up until they make a whole row.
class WheelScroll {
public:
    // `delta` as WM_MOUSEWHEEL carries it: positive away from the user (up).
    void Turn(ScrollBar& bar, int delta, long rowHeight);

private:
    long remainder_ = 0;
};

}  // namespace vel::roster
