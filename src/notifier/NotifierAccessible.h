#pragma once
#include <functional>
#include <string>

#include "ClientAccessible.h"

namespace vel::notifier {

// The notifier's window as accessibility clients see it: named by the tool tip text of
// its icon. The icon in the notification area is the shell's, which reports it itself.
class NotifierAccessible : public hosting::ClientAccessible {
public:
    // `toolTip` reads the current tool tip text; it is called only while connected.
    NotifierAccessible(HWND window, std::function<std::wstring()> toolTip)
        : ClientAccessible(window), toolTip_(std::move(toolTip)) {}

protected:
    std::optional<std::wstring> Name() override { return toolTip_(); }

private:
    std::function<std::wstring()> toolTip_;
};

}  // namespace vel::notifier
