#pragma once
// Hooks owned as a control owns them, and real windows of this thread to watch.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Automation.h"
#include "EventRecorder.h"
#include "ExpectedError.h"
#include "MsgHookOwner.h"
#include "VelMsgHook.h"

namespace vel::test {

using msghook::VelMsgHook;
using msghook::VelWindow;
using msghook::VelWindows;

// What happened, in order: "proc N" when a window's own procedure saw message N,
// "event N" when a hook's owner heard of it.
using Journal = std::vector<std::wstring>;

inline std::wstring Entry(const wchar_t* what, UINT message) { return std::wstring(what) + L" " + std::to_wstring(message); }

// The control side of a hook: reports the mode it is asked for and records what it hears.
class TestOwner : public msghook::MsgHookOwner {
public:
    struct Heard {
        HWND hwnd;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };

    explicit TestOwner(Journal& journal) : journal_(journal) {}

    bool HookUserMode() const override { return userMode; }
    void HookMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) override {
        heard.push_back({hwnd, message, wParam, lParam});
        journal_.push_back(Entry(L"event", message));
        if (onMessage) onMessage(hwnd, message, wParam, lParam);
    }
    void HookPropertyChanged(std::wstring_view property) override { changes.emplace_back(property); }

    bool userMode = true;
    std::vector<Heard> heard;
    std::vector<std::wstring> changes;
    std::function<void(HWND, UINT, WPARAM, LPARAM)> onMessage;

private:
    Journal& journal_;
};

// A top-level window whose own procedure writes to a journal and answers the private
// messages WM_APP + n with 1000 + n.
class TestWindow {
public:
    explicit TestWindow(Journal& journal, bool ansi = false);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    long Number() const { return static_cast<long>(reinterpret_cast<LONG_PTR>(hwnd_)); }
    WNDPROC OwnProcedure() const { return ownProcedure_; }
    WNDPROC CurrentProcedure() const {
        return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd_, GWLP_WNDPROC));
    }
    // The text of the last WM_SETTEXT, as the window's own procedure received it.
    std::string lastAnsiText;
    std::wstring lastText;
    // The values of the last private message, as the window's own (wide) procedure received them.
    WPARAM lastWParam = 0;
    LPARAM lastLParam = 0;

    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK AnsiProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

private:
    Journal& journal_;
    HWND hwnd_ = nullptr;
    WNDPROC ownProcedure_ = nullptr;
};

class HookFixture : public ::testing::Test {
protected:
    std::unique_ptr<VelMsgHook> NewHook(TestOwner& owner) { return std::make_unique<VelMsgHook>(owner); }

    // Lists `window` in the hook's windows.
    static com::ComPtr<VelWindow> Watch(VelMsgHook& hook, const TestWindow& window);
    // Lists a message for the window: whether the window's own procedure still runs, and when.
    static void Listen(VelWindow& window, UINT message, bool processDefaultProc = true,
                       long processType = velBeforeDefaultProc);

    static LRESULT Send(const TestWindow& window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageW(window.Handle(), message, wParam, lParam);
    }

    Journal journal;
};

// A window property of the hook, as stored on a window.
LONG_PTR PropertyOf(HWND hwnd, const wchar_t* name);
bool HasProperty(HWND hwnd, const wchar_t* name);

inline IDispatch* Disp(VelWindows* windows) { return static_cast<_VelWindows*>(windows); }
inline IDispatch* Disp(msghook::VelMessages* messages) { return static_cast<_VelMessages*>(messages); }

constexpr HRESULT kAlreadyExists = static_cast<HRESULT>(0x8004041B);
constexpr UINT kFirst = WM_APP + 1;
constexpr UINT kSecond = WM_APP + 2;
constexpr UINT kThird = WM_APP + 3;

}  // namespace vel::test
