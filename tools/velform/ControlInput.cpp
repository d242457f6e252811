#include "ControlInput.h"

#include <array>

#include "MessagePump.h"
#include "ModalLoopExit.h"

namespace velform {
namespace {

WPARAM MouseKeys(long buttons, long shift) {
    WPARAM keys = 0;
    if (buttons & 1) keys |= MK_LBUTTON;
    if (buttons & 2) keys |= MK_RBUTTON;
    if (buttons & 4) keys |= MK_MBUTTON;
    if (shift & 1) keys |= MK_SHIFT;
    if (shift & 2) keys |= MK_CONTROL;
    return keys;
}

UINT MouseMessage(ControlInput::MouseAction action, long button) {
    using Action = ControlInput::MouseAction;
    if (action == Action::Move) return WM_MOUSEMOVE;
    int which = (button & 1) ? 0 : (button & 2) ? 1 : (button & 4) ? 2 : 0;
    static constexpr std::array<std::array<UINT, 3>, 3> messages{{{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                                                   {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                                                   {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}}};
    int column = action == Action::Down ? 0 : action == Action::Up ? 1 : 2;
    return messages[which][column];
}

// The thread's key state while input is delivered, so that a control asking
// GetKeyState sees what a person holds: Shift, Ctrl and Alt as the input carries
// them, the mouse buttons held and the key being pressed. Afterwards the
// modifiers and the key are as before; the buttons stay as `buttonsAfter`.
class KeyState {
public:
    KeyState(long shift, long buttons, long buttonsAfter, UINT key = 0) : buttonsAfter_(buttonsAfter) {
        GetKeyboardState(saved_.data());
        auto state = saved_;
        Set(state, VK_SHIFT, shift & 1);
        Set(state, VK_CONTROL, shift & 2);
        Set(state, VK_MENU, shift & 4);
        SetButtons(state, buttons);
        if (key) Set(state, key, true);
        SetKeyboardState(state.data());
    }
    KeyState(const KeyState&) = delete;
    KeyState& operator=(const KeyState&) = delete;
    ~KeyState() {
        SetButtons(saved_, buttonsAfter_);
        SetKeyboardState(saved_.data());
    }

private:
    using State = std::array<BYTE, 256>;
    static void Set(State& state, UINT key, bool down) { state[key & 0xFF] = down ? 0x80 : 0; }
    static void SetButtons(State& state, long buttons) {
        Set(state, VK_LBUTTON, buttons & 1);
        Set(state, VK_RBUTTON, buttons & 2);
        Set(state, VK_MBUTTON, buttons & 4);
    }
    State saved_{};
    long buttonsAfter_;
};

// Places the cursor at a screen point. The system reports the move as mouse input
// of its own; that report is dropped, so that only the input asked for arrives.
void PlaceCursor(POINT screen) {
    POINT current{};
    if (GetCursorPos(&current) && current.x == screen.x && current.y == screen.y) return;
    SetCursorPos(screen.x, screen.y);
    MSG message;
    while (PeekMessageW(&message, nullptr, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE | PM_QS_INPUT)) {
    }
}

bool IsPress(UINT message) {
    return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
           message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
}

bool IsExtendedKey(UINT key) {
    switch (key) {
        case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RMENU: case VK_RCONTROL:
        case VK_DIVIDE: case VK_NUMLOCK: return true;
        default: return false;
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
    long before = held_.buttons, after = before;
    if (action == MouseAction::Down || action == MouseAction::DoubleClick) after |= button;
    if (action == MouseAction::Up) after &= ~button;
    long carried = action == MouseAction::Move ? button : after;

    POINT screen = point;
    ClientToScreen(control_, &screen);
    PlaceCursor(screen);
    HWND target = GetCapture();
    if (target) {
        ScreenToClient(target, &screen);
        point = screen;
    } else {
        target = TargetAt(point);
    }
    UINT message = MouseMessage(action, button);
    KeyState keys(shift, carried, after);
    held_.buttons = after;
    // Without a capture the system asks the window under the cursor for its cursor first.
    if (!GetCapture()) SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, message));
    LPARAM position = MAKELPARAM(point.x, point.y);
    if (IsPress(message)) {
        ModalLoopExit::Send(target, message, MouseKeys(carried, shift), position);
    } else {
        SendMessageW(target, message, MouseKeys(carried, shift), position);
    }
}

// Alt combinations arrive as plain keys with Alt held, not as system keys: the
// form's window would take those for its menu and wait in the menu loop.
void ControlInput::Key(UINT keyCode, long shift) const {
    HWND target = FocusTarget();
    UINT scan = MapVirtualKeyW(keyCode, MAPVK_VK_TO_VSC);
    LPARAM flags = 1 | (scan << 16) | (IsExtendedKey(keyCode) ? 1u << 24 : 0) | ((shift & 4) ? 1u << 29 : 0);
    {
        KeyState down(shift, held_.buttons, held_.buttons, keyCode);
        PostMessageW(target, WM_KEYDOWN, keyCode, flags);
        PumpMessages(0);  // translated: the character follows the key down
    }
    KeyState up(shift, held_.buttons, held_.buttons);
    PostMessageW(target, WM_KEYUP, keyCode, flags | (1u << 30) | (1u << 31));
    PumpMessages(0);
}

void ControlInput::Type(std::wstring_view text) const {
    HWND target = FocusTarget();
    for (wchar_t c : text) {
        PostMessageW(target, WM_CHAR, c, 1);
        PumpMessages(0);
    }
}

}  // namespace velform
