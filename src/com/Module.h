#pragma once
#include <windows.h>
#include <oaidl.h>
#include <string>

namespace vel::com {

// State of the binary this runtime is linked into: the live-object count that
// DllCanUnloadNow answers from, server locks, the embedded type library, and the
// source and help file that automation errors carry.
class Module {
public:
    static void ObjectCreated();
    static void ObjectDestroyed();
    static long ObjectCount();
    static void LockServer(bool lock);
    static bool CanUnload();

    static HMODULE Handle();
    static std::wstring Path();

    // The type library embedded as resource TYPELIB 1 of this binary.
    static ITypeLib* TypeLibrary();
    static ITypeInfo* TypeInfo(REFGUID guid);
    static void ReleaseTypeLibrary();

    // The library's title, the source of the errors it raises.
    static const wchar_t* ErrorSource();
    static void SetHelpFile(std::wstring path);
    static const std::wstring& HelpFile();
};

// Defined once by each library that links this runtime: its title.
const wchar_t* LibraryTitle();

}  // namespace vel::com
