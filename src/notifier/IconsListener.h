#pragma once
#include <windows.h>
#include <string_view>

namespace vel::notifier {

class VelIcon;

// What the owner of a VelIcons hears, before the collection's COM sinks do, and the
// place where the collection shows its message boxes (the owner's host).
class IconsListener {
public:
    virtual void IconAdded(VelIcon& icon) = 0;
    // `icon` is nullptr after Clear.
    virtual void IconRemoved(VelIcon* icon) = 0;
    virtual void IconChanged(VelIcon& icon, std::wstring_view property) = 0;
    virtual void ShowIconsMessage(std::wstring_view text, UINT style) = 0;

protected:
    ~IconsListener() = default;
};

}  // namespace vel::notifier
