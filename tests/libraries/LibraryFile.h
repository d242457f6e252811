#pragma once
// The control library under test: the file named by the VEL_LIBRARY environment variable,
// beside this test program, loaded for its entry points and read for its type library.
#include <windows.h>
#include <oaidl.h>
#include <string>
#include <wrl/client.h>

namespace vel::test {

class LibraryFile {
public:
    LibraryFile();
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
