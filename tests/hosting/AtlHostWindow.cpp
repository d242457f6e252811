#include "AtlHostWindow.h"

#include "HostingSupport.h"

namespace vel::test {

AtlHostWindow::AtlHostWindow(const wchar_t* progId, int width, int height)
    : frame_(CreateWindowExW(0, L"STATIC", L"ATL host", WS_POPUP | WS_VISIBLE, 10, 10, width + 40, height + 40, nullptr,
                             nullptr, GetModuleHandleW(nullptr), nullptr)) {
    if (frame_)
        host_ = CreateWindowExW(0, L"AtlAxWin", progId, WS_CHILD | WS_VISIBLE, 20, 20, width, height, frame_.Get(),
                                nullptr, GetModuleHandleW(nullptr), nullptr);
}

AtlHostWindow::~AtlHostWindow() {
    frame_.Reset();
    PumpMessages();
}

}  // namespace vel::test
