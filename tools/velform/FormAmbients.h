#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <string>

#include "ComObject.h"

namespace velform {

// The ambient properties a form serves every control (the display name is each
// control's own). Form code changes them through the Host; each change is
// announced to the controls with IOleControl::OnAmbientPropertyChange.
struct FormAmbients {
    std::wstring scaleUnits = L"Twip";
    vel::com::ComPtr<IFontDisp> font;
    OLE_COLOR foreColor = 0x80000000 | COLOR_WINDOWTEXT;
    OLE_COLOR backColor = 0x80000000 | COLOR_BTNFACE;
    LCID localeId = GetUserDefaultLCID();

    // Container units per inch for TransformCoords, by ScaleUnits; units without
    // a fixed size (such as "User") count as twips.
    double UnitsPerInch(int pixelsPerInch) const;
};

}  // namespace velform
