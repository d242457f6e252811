#pragma once
#include <windows.h>

namespace velform {

// Delivers a mouse press that may start one of the system's modal tracking loops
// (a scroll bar tracks its arrows, track and thumb in one until the button goes
// up). Form code holds the button between calls, so the loop must not keep the
// thread: a message posted behind the press reaches the loop's message filter,
// which ends the loop by taking the capture away. The pressed window then gets
// the capture back and goes on tracking the mouse messages sent to it, as it
// does outside the loop, until the button is released.
class ModalLoopExit {
public:
    static void Send(HWND target, UINT message, WPARAM keys, LPARAM position);

private:
    static LRESULT CALLBACK Filter(int code, WPARAM wParam, LPARAM lParam);
    static UINT Marker();

    HWND tracking_ = nullptr;  // the window whose loop was left
    bool left_ = false;
};

}  // namespace velform
