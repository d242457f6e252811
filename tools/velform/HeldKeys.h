#pragma once
#include <windows.h>
#include <array>

namespace velform {

// Holds Shift, Ctrl and Alt down in the thread's key state for the scope, so that
// a control asking GetKeyState sees what the input carries.
class HeldKeys {
public:
    explicit HeldKeys(long shift) {
        GetKeyboardState(saved_.data());
        auto state = saved_;
        Set(state, VK_SHIFT, shift & 1);
        Set(state, VK_CONTROL, shift & 2);
        Set(state, VK_MENU, shift & 4);
        SetKeyboardState(state.data());
    }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;
    ~HeldKeys() { SetKeyboardState(saved_.data()); }

private:
    static void Set(std::array<BYTE, 256>& state, int key, bool down) { state[key] = down ? 0x80 : 0; }
    std::array<BYTE, 256> saved_{};
};

}  // namespace velform
