#include "Centring.h"

namespace vel::about {

void Centring::PlaceOver(HWND window, HWND anchor) {
    RECT box{};
    if (!GetWindowRect(window, &box)) return;
    const SIZE size{box.right - box.left, box.bottom - box.top};
    const bool usable = IsUsableAnchor(anchor);
    const RECT workArea = WorkAreaNear(usable ? anchor : window);
    RECT anchorRect = workArea;
    if (usable) GetWindowRect(anchor, &anchorRect);
    const POINT topLeft = TopLeft(anchorRect, size, workArea);
    SetWindowPos(window, nullptr, topLeft.x, topLeft.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT Centring::TopLeft(const RECT& anchor, SIZE size, const RECT& workArea) {
    const LONG x = anchor.left + (anchor.right - anchor.left - size.cx) / 2;
    const LONG y = anchor.top + (anchor.bottom - anchor.top - size.cy) / 2;
    return {Clamp(x, size.cx, workArea.left, workArea.right), Clamp(y, size.cy, workArea.top, workArea.bottom)};
}

RECT Centring::WorkAreaNear(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

bool Centring::IsUsableAnchor(HWND anchor) {
    return anchor && IsWindowVisible(anchor) && !IsIconic(anchor);
}

LONG Centring::Clamp(LONG start, LONG length, LONG areaStart, LONG areaEnd) {
    if (start + length > areaEnd) start = areaEnd - length;
    if (start < areaStart) start = areaStart;
    return start;
}

}  // namespace vel::about
