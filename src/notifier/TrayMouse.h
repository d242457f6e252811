#pragma once
#include <windows.h>

#include <vector>

namespace vel::notifier {

// Event ids of the notifier's event interface.
enum class NotifierEvent : LONG {
    Click = 1,
    DblClick = 2,
    MouseDown = 3,
    MouseMove = 4,
    MouseUp = 5,
    BalloonClick = 6,
    BalloonClose = 7
};

// One event the notifier raises for a mouse notification of its tray icon.
struct TrayMouseEvent {
    NotifierEvent id;
    short button;  // for the mouse events; 0 for the events without arguments
    bool HasMouseArguments() const {
        return id == NotifierEvent::MouseDown || id == NotifierEvent::MouseMove || id == NotifierEvent::MouseUp;
    }
};

// Turns the mouse message the shell reports for the tray icon into the notifier's
// events. Only the left button clicks; a right double-click raises nothing. A balloon
// reports a click on it, or its going without one (timed out, closed or taken away).
class TrayMouse {
public:
    // `buttons`: the buttons held down (1 left, 2 right, 4 middle), for MouseMove.
    static std::vector<TrayMouseEvent> Map(LPARAM message, short buttons);
    // The Shift (1), Ctrl (2) and Alt (4) keys held down now.
    static short ShiftState();
    // The mouse buttons held down now.
    static short ButtonState();
};

}  // namespace vel::notifier
