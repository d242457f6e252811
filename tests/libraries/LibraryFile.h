#pragma once
// A control library under test: a file beside this test program, loaded for its entry
// points and read for its type library. The run names the libraries to test in the
// environment variable VEL_LIBRARIES (file names separated by commas).
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <vector>
#include <wrl/client.h>

namespace vel::test {

// The comma-separated names in an environment variable.
std::vector<std::wstring> NamesIn(const wchar_t* variable);
// The control libraries to test: VEL_LIBRARIES.
inline std::vector<std::wstring> LibrariesUnderTest() { return NamesIn(L"VEL_LIBRARIES"); }
inline std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

class LibraryFile {
public:
    explicit LibraryFile(const std::wstring& name);
    LibraryFile(const LibraryFile&) = delete;
    LibraryFile& operator=(const LibraryFile&) = delete;
    ~LibraryFile();

    const std::wstring& Path() const { return path_; }
    std::string Name() const;
    FARPROC Entry(const char* name) const { return GetProcAddress(module_, name); }
    Microsoft::WRL::ComPtr<ITypeLib> TypeLibrary() const;

private:
    std::wstring path_;
    HMODULE module_ = nullptr;
};

}  // namespace vel::test
