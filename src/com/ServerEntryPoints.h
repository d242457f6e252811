#pragma once
#include <windows.h>

#include <iterator>

#include "ClassFactory.h"
#include "Module.h"
#include "Registration.h"

// Defines the entry points of a control library: DllMain and the four functions its
// .def file exports (DllGetClassObject, DllCanUnloadNow, DllRegisterServer,
// DllUnregisterServer, DllInstall). They answer from two arrays of the library: `creatable`, the
// vel::com::CreatableClass entries a client may create, and `registered`, the
// vel::com::ClassRegistration entries written to the registry. Use it once per DLL,
// at global scope, after both arrays.
#define VEL_SERVER_ENTRY_POINTS(creatable, registered)                                       \
    extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {                 \
        if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);                 \
        return TRUE;                                                                           \
    }                                                                                          \
    STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {                         \
        return ::vel::com::GetClassObject(creatable, std::size(creatable), clsid, iid, out);   \
    }                                                                                          \
    STDAPI DllCanUnloadNow() { return ::vel::com::Module::CanUnload() ? S_OK : S_FALSE; }      \
    STDAPI DllRegisterServer() { return ::vel::com::RegisterServer(registered, std::size(registered)); } \
    STDAPI DllUnregisterServer() { return ::vel::com::UnregisterServer(registered, std::size(registered)); } \
    STDAPI DllInstall(BOOL install, LPCWSTR commandLine) {                                     \
        return ::vel::com::InstallServer(install != FALSE, commandLine, registered, std::size(registered)); \
    }
