#pragma once
#include <windows.h>
#include <string_view>

namespace velform {

// What the form's mouse holds between input calls: the buttons pressed by a
// MouseDown and not yet released.
struct HeldInput {
    long buttons = 0;
};

// Mouse and keyboard input delivered to a control's window as a person's input
// arrives, at pixel coordinates of the control: to the deepest visible child
// window under the point (or to the window that captured the mouse), keys to the
// window with the focus through the message loop's translation.
class ControlInput {
public:
    ControlInput(HWND control, HeldInput& held) : control_(control), held_(held) {}

    enum class MouseAction { Down, Up, Move, DoubleClick };
    // button: 1 left, 2 right, 4 middle (for Move: the buttons held during the
    // move); shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Mouse(MouseAction action, POINT point, long button, long shift) const;
    // Key down, its character, key up.
    void Key(UINT keyCode, long shift) const;
    // Characters only, as an input method sends them.
    void Type(std::wstring_view text) const;
    // The deepest visible window under a point of the control.
    HWND WindowAt(POINT point) const { return TargetAt(point); }

private:
    HWND TargetAt(POINT& point) const;
    HWND FocusTarget() const;

    HWND control_;
    HeldInput& held_;
};

}  // namespace velform
