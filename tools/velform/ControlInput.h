#pragma once
#include <windows.h>
#include <string_view>

namespace velform {

// Mouse and keyboard input delivered to a control's window as the system would
// deliver it, at pixel coordinates of the control: to the deepest visible child
// window under the point, or to the window with the focus.
class ControlInput {
public:
    explicit ControlInput(HWND control) : control_(control) {}

    enum class MouseAction { Down, Up, Move, DoubleClick };
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt.
    void Mouse(MouseAction action, POINT point, long button, long shift) const;
    void Key(UINT keyCode, long shift) const;
    void Type(std::wstring_view text) const;

private:
    HWND TargetAt(POINT& point) const;
    HWND FocusTarget() const;

    HWND control_;
};

}  // namespace velform
