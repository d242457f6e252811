#pragma once
#include <string>

#include "ClientAccessible.h"

namespace vel::checkframe {

// The check frame as accessibility clients see it: a check button named by its caption
// (without the access-key marker), with the access key as its shortcut, checked, mixed
// (greyed) or unavailable, whose default action changes the value as a click does. The
// controls inside the frame are its children, as the system reports child windows.
class CheckFrameAccessible : public hosting::ClientAccessible {
public:
    // What the object asks of its frame, only while it is connected.
    class Source {
    public:
        virtual const std::wstring& AccessibleCaption() const = 0;
        virtual long AccessibleValue() const = 0;
        virtual bool AccessibleEnabled() const = 0;
        // A click on the check box: the value changes and the events follow, as for the mouse.
        virtual void AccessibleClick() = 0;

    protected:
        ~Source() = default;
    };

    CheckFrameAccessible(HWND window, Source& source) : ClientAccessible(window), source_(source) {}

    // The caption as shown: "&&" is one ampersand, a single "&" marks the access key.
    static std::wstring ShownCaption(const std::wstring& caption);
    // The character after the single "&", upper-cased; 0 when there is none.
    static wchar_t AccessKey(const std::wstring& caption);

protected:
    std::optional<std::wstring> Name() override { return ShownCaption(source_.AccessibleCaption()); }
    std::optional<LONG> Role() override { return ROLE_SYSTEM_CHECKBUTTON; }
    std::optional<LONG> State() override;
    std::optional<std::wstring> KeyboardShortcut() override;
    std::optional<std::wstring> DefaultAction() override;
    bool DoDefaultAction() override;

private:
    Source& source_;
};

}  // namespace vel::checkframe
