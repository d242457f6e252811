#pragma once
#include <windows.h>

#include "TrayState.h"

namespace vel::notifier {

// Shows the pictures of the tray's icons one after another, one cell per timer tick:
// cycling or ping-ponging, forwards or backwards, once or endlessly, skipping cells
// without a picture. Works on the thread's TrayState; nothing here reaches the host,
// and a failure ends the step that met it.
class TrayAnimation {
public:
    static constexpr UINT_PTR kTimerId = 11101;

    explicit TrayAnimation(TrayState& state) : state_(state) {}

    // Shows the starting cell (adding the icon if it is not shown yet) and starts the
    // timer when the interval is positive; while the timer runs, only advances a cell.
    void StartAnimation(HWND window);
    void StopAnimation();
    void ResetPosition(bool reverse);
    // The position after current (stopping the timer at the end of a single pass).
    short NextCell();
    // One timer tick: shows the current cell, then moves to the next cell with a picture.
    void Tick();

    // The window timer's callback, for the thread's animation.
    static void CALLBACK TimerProc(HWND, UINT, UINT_PTR, DWORD);

private:
    bool HasPicture(long position) const;
    long IconCount() const;
    // Advances current from `saved` past cells without a picture, at most one round.
    void SkipEmptyCells(short saved);

    TrayState& state_;
};

}  // namespace vel::notifier
