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
// DllInstall: "user" registers (install) or unregisters for the current user only, under
// HKEY_CURRENT_USER\Software\Classes, so no administrator rights are needed; an empty
// command line does what DllRegisterServer and DllUnregisterServer do.
HRESULT InstallServer(bool install, const wchar_t* commandLine, const ClassRegistration* classes, size_t count);

}  // namespace vel::com
