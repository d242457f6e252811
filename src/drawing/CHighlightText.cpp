#include "CHighlightText.h"

namespace vel::drawing {

void CHighlightText::GotFocus(HWND textBox) {
    if (mouseDown_) {
        mouseDown_ = false;
        return;
    }
    const int length = GetWindowTextLengthW(textBox);
    SendMessageW(textBox, EM_SETSEL, 0, length);
}

}  // namespace vel::drawing
