#include "TaskbarWatch.h"

#include <string>

#include "Module.h"

namespace vel::notifier {
namespace {

std::wstring ClassName() {
    return L"VelTaskbarWatch" + std::to_wstring(reinterpret_cast<UINT_PTR>(com::Module::Handle()));
}

bool RegisterWatchClass(WNDPROC procedure) {
    WNDCLASSEXW wc{sizeof(WNDCLASSEXW)};
    std::wstring name = ClassName();
    if (GetClassInfoExW(com::Module::Handle(), name.c_str(), &wc)) return true;
    wc = {sizeof(WNDCLASSEXW)};
    wc.lpfnWndProc = procedure;
    wc.hInstance = com::Module::Handle();
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc) != 0;
}

}  // namespace

UINT TaskbarWatch::TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// A hidden pop-up (never a message-only window: those hear no broadcasts), kept out
// of the taskbar's window list.
TaskbarWatch::TaskbarWatch(Restarted restarted) {
    if (!RegisterWatchClass(&TaskbarWatch::Procedure)) return;
    window_.Reset(CreateWindowExW(WS_EX_TOOLWINDOW, ClassName().c_str(), L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  com::Module::Handle(), nullptr));
    if (!window_) return;
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(restarted));
    // A program running with more rights than the shell still hears it.
    ChangeWindowMessageFilterEx(window_.Get(), TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
}

TaskbarWatch::~TaskbarWatch() {
    if (!window_) return;
    SetWindowLongPtrW(window_.Get(), GWLP_USERDATA, 0);
    window_.Reset();
    // Fails harmlessly while another thread's watch still uses the class.
    UnregisterClassW(ClassName().c_str(), com::Module::Handle());
}

// Reads nothing of the watch but the window's own data, since the callback may end
// the watch (and its window) before it returns.
LRESULT CALLBACK TaskbarWatch::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == TaskbarCreatedMessage()) {
        if (auto restarted = reinterpret_cast<Restarted>(GetWindowLongPtrW(window, GWLP_USERDATA))) restarted();
        return 0;
    }
    return DefWindowProcW(window, message, w, l);
}

}  // namespace vel::notifier
