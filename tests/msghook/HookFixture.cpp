#include "HookFixture.h"

#include "Convert.h"

namespace vel::test {
namespace {

const wchar_t* kClassName = L"VelHookTestWindow";
const char* kAnsiClassName = "VelHookTestAnsiWindow";

void RegisterClasses() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSW wide{};
    wide.lpfnWndProc = &TestWindow::Procedure;
    wide.hInstance = GetModuleHandleW(nullptr);
    wide.lpszClassName = kClassName;
    RegisterClassW(&wide);
    WNDCLASSA ansi{};
    ansi.lpfnWndProc = &TestWindow::AnsiProcedure;
    ansi.hInstance = GetModuleHandleW(nullptr);
    ansi.lpszClassName = kAnsiClassName;
    RegisterClassA(&ansi);
    registered = true;
}

TestWindow* Owner(HWND hwnd) { return reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA)); }

}  // namespace

TestWindow::TestWindow(Journal& journal, bool ansi) : journal_(journal) {
    RegisterClasses();
    hwnd_ = ansi ? CreateWindowExA(0, kAnsiClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr)
                 : CreateWindowExW(0, kClassName, L"", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ownProcedure_ = CurrentProcedure();
}

TestWindow::~TestWindow() {
    if (hwnd_) DestroyWindow(hwnd_);
}

LRESULT CALLBACK TestWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TestWindow* window = Owner(hwnd);
    if (window && message == WM_SETTEXT && lParam) window->lastText = reinterpret_cast<const wchar_t*>(lParam);
    if (window && message >= WM_APP && message < WM_APP + 100) {
        window->journal_.push_back(Entry(L"proc", message));
        window->lastWParam = wParam;
        window->lastLParam = lParam;
        return 1000 + (message - WM_APP);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TestWindow::AnsiProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    TestWindow* window = Owner(hwnd);
    if (window && message == WM_SETTEXT && lParam) window->lastAnsiText = reinterpret_cast<const char*>(lParam);
    if (window && message >= WM_APP && message < WM_APP + 100) {
        window->journal_.push_back(Entry(L"proc", message));
        return 1000 + (message - WM_APP);
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

com::ComPtr<VelWindow> HookFixture::Watch(VelMsgHook& hook, const TestWindow& window) {
    return hook.Windows().AddWindow(Missing().Get(), Missing().Get(), Missing().Get(), Num(window.Number()).Get());
}

void HookFixture::Listen(VelWindow& window, UINT message, bool processDefaultProc, long processType) {
    window.Messages().AddMessage(Missing().Get(), Missing().Get(), Num(static_cast<long>(message)).Get(),
                                 Missing().Get(), com::Variant::FromBool(processDefaultProc).Get(),
                                 Num(processType).Get());
}

LONG_PTR PropertyOf(HWND hwnd, const wchar_t* name) { return reinterpret_cast<LONG_PTR>(GetPropW(hwnd, name)); }

namespace {

struct PropertySearch {
    const wchar_t* name;
    bool found;
};

BOOL CALLBACK MatchProperty(HWND, LPWSTR key, HANDLE, ULONG_PTR data) {
    auto* search = reinterpret_cast<PropertySearch*>(data);
    if (!IS_INTRESOURCE(key) && lstrcmpiW(key, search->name) == 0) search->found = true;
    return TRUE;
}

}  // namespace

// Enumerates rather than reads, so that a property holding 0 still counts as present.
bool HasProperty(HWND hwnd, const wchar_t* name) {
    PropertySearch search{name, false};
    EnumPropsExW(hwnd, &MatchProperty, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace vel::test
