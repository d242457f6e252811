#include "ControlInput.h"

#include <array>

#include "HeldKeys.h"

namespace velform {
namespace {

WPARAM MouseKeys(long button, long shift) {
    WPARAM keys = 0;
    if (button & 1) keys |= MK_LBUTTON;
    if (button & 2) keys |= MK_RBUTTON;
    if (button & 4) keys |= MK_MBUTTON;
    if (shift & 1) keys |= MK_SHIFT;
    if (shift & 2) keys |= MK_CONTROL;
    return keys;
}

UINT MouseMessage(ControlInput::MouseAction action, long button) {
    using Action = ControlInput::MouseAction;
    if (action == Action::Move) return WM_MOUSEMOVE;
    int which = (button & 2) ? 1 : (button & 4) ? 2 : 0;
    static constexpr std::array<std::array<UINT, 3>, 3> messages{{{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                                                   {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                                                   {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}}};
    int column = action == Action::Down ? 0 : action == Action::Up ? 1 : 2;
    return messages[which][column];
}

void PumpWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

HWND ControlInput::TargetAt(POINT& point) const {
    HWND target = control_;
    for (;;) {
        HWND child = ChildWindowFromPointEx(target, point, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!child || child == target) return target;
        MapWindowPoints(target, child, &point, 1);
        target = child;
    }
}

HWND ControlInput::FocusTarget() const {
    HWND focus = GetFocus();
    if (focus && (focus == control_ || IsChild(control_, focus))) return focus;
    SetFocus(control_);
    focus = GetFocus();
    return focus ? focus : control_;
}

void ControlInput::Mouse(MouseAction action, POINT point, long button, long shift) const {
    HeldKeys held(shift);
    POINT screen = point;
    ClientToScreen(control_, &screen);
    SetCursorPos(screen.x, screen.y);
    HWND capture = GetCapture();
    HWND target = capture;
    if (capture) {
        MapWindowPoints(nullptr, capture, &screen, 1);
        point = screen;
    } else {
        target = TargetAt(point);
    }
    WPARAM keys = MouseKeys(action == MouseAction::Up ? 0 : button, shift);
    SendMessageW(target, MouseMessage(action, button), keys, MAKELPARAM(point.x, point.y));
}

void ControlInput::Key(UINT keyCode, long shift) const {
    HeldKeys held(shift);
    HWND target = FocusTarget();
    UINT scan = MapVirtualKeyW(keyCode, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, keyCode, 1 | (scan << 16));
    PostMessageW(target, WM_KEYUP, keyCode, 1 | (scan << 16) | (3u << 30));
    PumpWaiting();
}

void ControlInput::Type(std::wstring_view text) const {
    HWND target = FocusTarget();
    for (wchar_t c : text) SendMessageW(target, WM_CHAR, c, 1);
}

}  // namespace velform
