#pragma once
// A top-level frame with an AtlAxWin child that creates one control by its ProgID.
#include <windows.h>

#include "OwnedWindow.h"

namespace vel::test {

class AtlHostWindow {
public:
    AtlHostWindow(const wchar_t* progId, int width, int height);
    ~AtlHostWindow();
    HWND Host() const { return host_; }

private:
    drawing::OwnedWindow frame_;  // destroying it destroys the container window and the control's site
    HWND host_ = nullptr;
};

}  // namespace vel::test
