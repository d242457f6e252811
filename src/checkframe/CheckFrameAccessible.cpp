#include "CheckFrameAccessible.h"

#include "CheckFrameInput.h"

namespace vel::checkframe {

std::wstring CheckFrameAccessible::ShownCaption(const std::wstring& caption) {
    std::wstring shown;
    shown.reserve(caption.size());
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) ++i;
        else if (caption[i] == L'&') continue;
        shown += caption[i];
    }
    return shown;
}

wchar_t CheckFrameAccessible::AccessKey(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        wchar_t key[2] = {caption[i + 1], 0};
        if (key[0] != L'&') {
            CharUpperBuffW(key, 1);
            return key[0];
        }
        ++i;
    }
    return 0;
}

std::optional<LONG> CheckFrameAccessible::State() {
    LONG state = STATE_SYSTEM_FOCUSABLE;
    long value = source_.AccessibleValue();
    if (value == 1) state |= STATE_SYSTEM_CHECKED;
    if (value == 2) state |= STATE_SYSTEM_MIXED;
    if (!source_.AccessibleEnabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    return state;
}

std::optional<std::wstring> CheckFrameAccessible::KeyboardShortcut() {
    wchar_t key = AccessKey(source_.AccessibleCaption());
    return key ? std::wstring(L"Alt+") + key : std::wstring();
}

// What a click would do: check an unchecked box, uncheck a checked or greyed one.
std::optional<std::wstring> CheckFrameAccessible::DefaultAction() {
    if (!source_.AccessibleEnabled()) return std::wstring();
    return CheckFrameInput::ValueAfterClick(source_.AccessibleValue()) == 1 ? L"Check" : L"Uncheck";
}

bool CheckFrameAccessible::DoDefaultAction() {
    if (!source_.AccessibleEnabled()) return false;
    source_.AccessibleClick();
    return true;
}

}  // namespace vel::checkframe
