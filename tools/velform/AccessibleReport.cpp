#include "AccessibleReport.h"

#include <fstream>

#include "AccessibleClient.h"
#include "ControlSite.h"
#include "Form.h"
#include "FormSession.h"

namespace velform {

namespace {

namespace acc = vel::test::accessible;

// Plain children (rows) listed per object: enough to show what they look like.
constexpr size_t kRowsShown = 8;

std::string Utf8(const std::wstring& text) {
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr, nullptr);
    return bytes;
}

// The first control whose ProgID ends with `kind`.
const ControlSite* FirstOf(const Form& form, const std::wstring& kind) {
    for (auto& site : form.Sites()) {
        const std::wstring& progId = site->Declaration().progId;
        if (site->Window() && progId.size() >= kind.size() && progId.compare(progId.size() - kind.size(), kind.size(), kind) == 0)
            return site.Get();
    }
    return nullptr;
}

// Presses and releases `key` as the keyboard would, then lets the form handle it.
void Press(WORD key) {
    INPUT input[2]{};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    FormSession::PumpMessages(200);
}

}  // namespace

void AccessibleReport::Write(Form& form, const std::wstring& path) {
    std::wstring text;
    for (auto& site : form.Sites()) {
        if (!site->Window()) continue;
        text += site->Name() + L" (" + site->Declaration().progId + L"):\n";
        if (auto object = acc::FromWindow(site->Window())) text += acc::Tree(object.Get(), form.FormWindow(), 1, kRowsShown);
    }
    vel::test::WinEventLog events(nullptr, [&form](HWND window) {
        for (auto& site : form.Sites())
            if (site->Window() == window) return site->Name();
        return std::wstring();
    });
    std::wstring keys;
    if (const ControlSite* list = FirstOf(form, L".VelListbox")) {
        SetForegroundWindow(form.FormWindow());
        SetFocus(list->Window());
        FormSession::PumpMessages(200);
        for (WORD key : {VK_DOWN, VK_DOWN, VK_END, VK_HOME}) Press(key);
        keys += L"focus on " + list->Name() + L", Down, Down, End, Home";
    }
    if (const ControlSite* frame = FirstOf(form, L".VelCheckFrame")) {
        SetFocus(frame->Window());
        FormSession::PumpMessages(200);
        Press(VK_SPACE);
        keys += L"; focus on " + frame->Name() + L", Space";
    }
    text += L"\nEvents of the key presses (" + keys + L"):\n";
    for (auto& line : events.Lines()) text += L"  " + line + L"\n";
    std::ofstream(path.c_str(), std::ios::binary) << Utf8(text);
}

}  // namespace velform
