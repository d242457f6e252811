#pragma once
#include <windows.h>

namespace vel::drawing {

// Saves the whole state of a DC (selected objects, colours, modes, current
// position, clipping) and restores exactly that saved level at the end of the scope.
class SavedDCState {
public:
    explicit SavedDCState(HDC dc) : dc_(dc), level_(SaveDC(dc)) {}
    SavedDCState(const SavedDCState&) = delete;
    SavedDCState& operator=(const SavedDCState&) = delete;
    ~SavedDCState();

private:
    HDC dc_;
    int level_;
};

}  // namespace vel::drawing
