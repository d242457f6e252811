#include "WheelScroll.h"

#include <algorithm>
#include <cstdint>

#include "ScrollBar.h"

namespace vel::roster {

namespace {

UINT WheelLines() {
    UINT lines = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
    return lines;
}

}  // namespace

void WheelScroll::Turn(ScrollBar& bar, int delta, long rowHeight) {
    if (!bar.Visible() || rowHeight <= 0) {
        remainder_ = 0;
        return;
    }
    UINT lines = WheelLines();
    if (lines == 0) return;
    // Turning the other way drops what was left over from this way.
    if ((delta > 0) != (remainder_ > 0)) remainder_ = 0;
    remainder_ += delta;
    // Whole rows (or pages) only; the rest waits for the next turn.
    const bool pages = lines == WHEEL_PAGESCROLL;
    const int64_t perNotch = pages ? 1 : lines;
    const int64_t units = int64_t{remainder_} * perNotch / WHEEL_DELTA;
    if (units == 0) return;
    remainder_ -= static_cast<long>(units * WHEEL_DELTA / perNotch);
    const int64_t unitHeight = pages ? std::max<int64_t>(bar.LargeChange(), rowHeight) : rowHeight;
    const int64_t value = int64_t{bar.Value()} - units * unitHeight;
    // The bar keeps the value within its own range.
    bar.SetValue(static_cast<long>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)));
}

}  // namespace vel::roster
