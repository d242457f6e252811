#pragma once
#include <windows.h>
#include <ocidl.h>
#include <optional>
#include <string>
#include <wrl/client.h>

#include "Variant.h"

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// The ambient properties a control reads from its container's client site. Where
// the container answers none (no site yet, or a container such as ATL's that has
// none), the control sees a run-time host: UserMode true, the standard dialog font,
// button text on button face, pixels as scale units, and an empty display name.
class AmbientProperties {
public:
    explicit AmbientProperties(IOleClientSite* site);

    bool UserMode() const;
    ComPtr<IFontDisp> Font() const;
    OLE_COLOR ForeColor() const;
    OLE_COLOR BackColor() const;
    std::wstring ScaleUnits() const;
    std::wstring DisplayName() const;

    // The ambient name of a DISPID_AMBIENT_* identifier, or empty for others.
    static const wchar_t* NameOf(DISPID id);

private:
    std::optional<com::Variant> Get(DISPID id, VARTYPE type) const;

    ComPtr<IDispatch> site_;
};

}  // namespace vel::hosting
