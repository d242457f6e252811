#include "ControlWindow.h"

#include <string>

#include "AutomationError.h"
#include "Module.h"

namespace vel::hosting {
namespace {

// Windows of this class that exist; the class goes with the last of them, so that an
// unloaded library leaves no class pointing into it.
long g_windows = 0;

std::wstring ClassName() {
    return L"VelControlSurface" + std::to_wstring(reinterpret_cast<UINT_PTR>(com::Module::Handle()));
}

}  // namespace

ATOM ControlWindow::RegisterWindowClass() {
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW)};
    std::wstring name = ClassName();
    if (GetClassInfoExW(com::Module::Handle(), name.c_str(), &wc)) return 1;
    wc = {sizeof(WNDCLASSEXW)};
    wc.style = CS_OWNDC | CS_DBLCLKS;
    wc.lpfnWndProc = &ControlWindow::Procedure;
    wc.hInstance = com::Module::Handle();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc);
}

ControlWindow::ControlWindow(Listener& listener) : listener_(listener) {
    if (!RegisterWindowClass()) throw com::AutomationError(HRESULT_FROM_WIN32(GetLastError()), L"No window class.");
    window_ = CreateWindowExW(0, ClassName().c_str(), L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP, 0,
                              0, 0, 0, HWND_MESSAGE, nullptr, com::Module::Handle(), this);
    if (!window_) throw com::AutomationError(HRESULT_FROM_WIN32(GetLastError()), L"The window could not be created.");
    ++g_windows;
}

ControlWindow::~ControlWindow() {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
    if (--g_windows == 0) UnregisterClassW(ClassName().c_str(), com::Module::Handle());
}

void ControlWindow::Attach(HWND parent, const RECT& position, bool shown) {
    if (GetParent(window_) != parent) SetParent(window_, parent);
    SetWindowPos(window_, nullptr, position.left, position.top, position.right - position.left,
                 position.bottom - position.top,
                 SWP_NOZORDER | SWP_NOACTIVATE | (shown ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void ControlWindow::Park() {
    ShowWindow(window_, SW_HIDE);
    SetParent(window_, HWND_MESSAGE);
}

bool ControlWindow::Attached() const { return IsWindowVisible(window_) != FALSE; }

LRESULT CALLBACK ControlWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ControlWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message != WM_NCCREATE && message != WM_CREATE) {
        if (auto answer = self->listener_.OnWindowMessage(window, message, w, l)) return *answer;
    }
    return DefWindowProcW(window, message, w, l);
}

}  // namespace vel::hosting
