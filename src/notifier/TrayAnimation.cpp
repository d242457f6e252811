#include "TrayAnimation.h"

#include "Checked.h"

namespace vel::notifier {

constexpr long kCycle = 0;
constexpr long kPingPong = 1;

long TrayAnimation::IconCount() const { return state_.icons ? state_.icons->Count() : 0; }

bool TrayAnimation::HasPicture(long position) const {
    return state_.icons && state_.icons->IconHandleAt(position) != nullptr;
}

void TrayAnimation::ResetPosition(bool reverse) {
    state_.reverseAnimation = reverse;
    if (reverse) {
        state_.current = static_cast<short>(IconCount());
        state_.step = -1;
    } else {
        state_.current = 1;
        state_.step = 1;
    }
}

void TrayAnimation::StopAnimation() {
    if (!state_.timerActive) return;
    KillTimer(state_.timerWindow, kTimerId);
    state_.timerActive = false;
}

void TrayAnimation::StartAnimation(HWND window) {
    try {
        if (!state_.timerActive) {
            ResetPosition(state_.reverseAnimation);
            HICON first = state_.icons ? state_.icons->IconHandleAt(state_.current) : nullptr;
            if (!first) return;  // no icon there, or no picture: nothing is shown
            state_.AddTrayIcon(window, first);
            if (state_.interval > 0) {
                state_.timerWindow = window;
                SetTimer(window, kTimerId, static_cast<UINT>(state_.interval), &TimerProc);
                state_.timerActive = true;
            } else {
                state_.timerActive = false;
            }
        }
        short saved = state_.current;
        state_.current = NextCell();
        SkipEmptyCells(saved);
    } catch (const com::AutomationError&) {
        // A position out of range ends the start where it stands.
    }
}

short TrayAnimation::NextCell() {
    if (!state_.timerActive) return state_.current;
    short next = com::Fit16(static_cast<long>(state_.current) + state_.step);
    const long count = IconCount();
    if (next > count) {
        if (state_.animationStyle == kCycle) {
            if (state_.continuous) return 1;
            StopAnimation();
            return next;
        }
        if (state_.animationStyle == kPingPong) {
            if (!state_.continuous && state_.reverseAnimation) {
                StopAnimation();
                return next;
            }
            state_.step = -1;
            return static_cast<short>(count - 1);
        }
        return next;
    }
    if (next == 0) {
        if (state_.animationStyle == kCycle) {
            if (state_.continuous) {
                state_.step = -1;
                return static_cast<short>(count);
            }
            StopAnimation();
            return 0;
        }
        if (state_.animationStyle == kPingPong) {
            if (!state_.continuous && !state_.reverseAnimation) {
                StopAnimation();
                return 0;
            }
            state_.step = 1;
            return 2;
        }
        return 0;
    }
    return next;
}

// At most one round: where the position runs off the cells (a single icon in ping-pong
// turns to position 0), it gives up instead of counting on to the end of the range.
void TrayAnimation::SkipEmptyCells(short saved) {
    for (long visited = 0; visited <= IconCount(); ++visited) {
        if (!state_.timerActive || HasPicture(state_.current) || state_.current == saved) return;
        state_.current = NextCell();
    }
}

void TrayAnimation::Tick() {
    if (!state_.timerActive) return;
    try {
        HICON icon = state_.icons ? state_.icons->IconHandleAt(state_.current) : nullptr;
        if (!icon) return;  // the same cell is tried again on the next tick
        state_.ChangeTrayIcon(icon);
        short saved = state_.current;
        state_.current = NextCell();
        SkipEmptyCells(saved);
    } catch (const com::AutomationError&) {
    }
}

void CALLBACK TrayAnimation::TimerProc(HWND, UINT, UINT_PTR, DWORD) {
    try {
        TrayAnimation(TrayState::ForThread()).Tick();
    } catch (...) {
        // Nothing a tick meets may reach the message loop.
    }
}

}  // namespace vel::notifier
