#include "WindowDC.h"

namespace vel::drawing {

WindowDC::WindowDC(HWND window) : window_(window), dc_(GetDC(window)) {}

WindowDC::~WindowDC() {
    if (dc_) ReleaseDC(window_, dc_);
}

}  // namespace vel::drawing
