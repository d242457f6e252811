// Entry points of the list box control library.
#include <windows.h>

#include "ClassFactory.h"
#include "Module.h"
#include "Registration.h"

using namespace vel::com;

namespace {

// The classes a client may create. The row and column collections are created only
// by their list box.
constexpr CreatableClass* kCreatable = nullptr;
constexpr size_t kCreatableCount = 0;
constexpr ClassRegistration* kRegistered = nullptr;
constexpr size_t kRegisteredCount = 0;

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    return GetClassObject(kCreatable, kCreatableCount, clsid, iid, out);
}

STDAPI DllCanUnloadNow() { return Module::CanUnload() ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() { return RegisterServer(kRegistered, kRegisteredCount); }

STDAPI DllUnregisterServer() { return UnregisterServer(kRegistered, kRegisteredCount); }

}  // extern "C"
