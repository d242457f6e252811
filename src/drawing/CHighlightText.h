#pragma once
#include <windows.h>

namespace vel::drawing {

// Gives a property page's text box the usual behaviour of selecting its whole text
// when it gets the focus from the keyboard, without undoing the caret a mouse
// click places: the page sets MouseDown when the mouse goes down in the box, and
// the next GotFocus then leaves the selection alone.
class CHighlightText {
public:
    bool MouseDown() const { return mouseDown_; }
    void SetMouseDown(bool mouseDown) { mouseDown_ = mouseDown; }

    // Called when the text box (an EDIT window) gets the focus.
    void GotFocus(HWND textBox);

private:
    bool mouseDown_ = false;
};

}  // namespace vel::drawing
