#pragma once
#include <windows.h>

namespace vel::com {

// One creatable class as the registry shows it.
struct ClassRegistration {
    const CLSID* clsid;
    const wchar_t* progId;       // version independent, e.g. L"CorvaneListbox.VelListbox"
    const wchar_t* description;
    bool control;                // listed by designers as an ActiveX control
    DWORD miscStatus;            // OLEMISC_* flags of a control
};

// Registers the embedded type library and the classes (DllRegisterServer).
HRESULT RegisterServer(const ClassRegistration* classes, size_t count);
// Removes every key RegisterServer wrote (DllUnregisterServer).
HRESULT UnregisterServer(const ClassRegistration* classes, size_t count);

}  // namespace vel::com
