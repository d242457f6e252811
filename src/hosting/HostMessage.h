#pragma once
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <string_view>
#include <wrl/client.h>

#include "HostServices_h.h"

namespace vel::hosting {

// The host's message box, for a control and for its property pages: shown by the
// container through IVelHostServices on the client site (with the application's
// title unless one is given), else by the system, owned by `owner`.
class HostMessage {
public:
    static Microsoft::WRL::ComPtr<IVelHostServices> ServicesOf(IOleClientSite* site);
    static int Show(IOleClientSite* site, HWND owner, std::wstring_view text, UINT style,
                    const wchar_t* title = nullptr);
    // The running program's name, the title a host gives its message boxes.
    static std::wstring ApplicationTitle();
};

}  // namespace vel::hosting
