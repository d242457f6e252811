#include "TrayMouse.h"

#include <shellapi.h>

namespace vel::notifier {
namespace {

bool Down(int key) { return GetKeyState(key) < 0; }

}  // namespace

std::vector<TrayMouseEvent> TrayMouse::Map(LPARAM message, short buttons) {
    using E = NotifierEvent;
    switch (message) {
        case WM_MOUSEMOVE: return {{E::MouseMove, buttons}};
        case WM_LBUTTONDOWN: return {{E::MouseDown, 1}};
        case WM_LBUTTONUP: return {{E::Click, 0}, {E::MouseUp, 1}};
        case WM_LBUTTONDBLCLK: return {{E::DblClick, 0}};
        case WM_RBUTTONDOWN: return {{E::MouseDown, 2}};
        case WM_RBUTTONUP: return {{E::MouseUp, 2}};
        case WM_MBUTTONDOWN: return {{E::MouseDown, 4}};
        case WM_MBUTTONUP: return {{E::MouseUp, 4}};
        case NIN_BALLOONUSERCLICK: return {{E::BalloonClick, 0}};
        case NIN_BALLOONTIMEOUT:
        case NIN_BALLOONHIDE: return {{E::BalloonClose, 0}};
        default: return {};
    }
}

short TrayMouse::ShiftState() {
    return static_cast<short>((Down(VK_SHIFT) ? 1 : 0) | (Down(VK_CONTROL) ? 2 : 0) | (Down(VK_MENU) ? 4 : 0));
}

short TrayMouse::ButtonState() {
    return static_cast<short>((Down(VK_LBUTTON) ? 1 : 0) | (Down(VK_RBUTTON) ? 2 : 0) | (Down(VK_MBUTTON) ? 4 : 0));
}

}  // namespace vel::notifier
