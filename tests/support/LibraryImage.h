#pragma once
// The facts about a built library that registration tests check: its path beside
// the test program, the DLLs it imports, registry keys and GUID texts.
#include <windows.h>
#include <string>
#include <vector>

namespace vel::test {

// The path of `fileName` in the folder of the running test program.
std::wstring BesideProgram(const wchar_t* fileName);
// Names of the DLLs a PE file of this program's width imports (none for another width).
std::vector<std::string> ImportedLibraries(const std::wstring& path);
// The DLLs a control library may import: system libraries only.
bool IsSystemLibrary(const std::string& name);
bool ClassesKeyExists(const std::wstring& path);
std::wstring GuidText(const GUID& guid);

}  // namespace vel::test
