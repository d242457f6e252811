#include "LibraryFile.h"

#include <oleauto.h>

namespace vel::test {

LibraryFile::LibraryFile() {
    wchar_t name[MAX_PATH] = {};
    GetEnvironmentVariableW(L"VEL_LIBRARY", name, MAX_PATH);
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    path_ = folder.substr(0, folder.find_last_of(L"\\/") + 1) + name;
    module_ = LoadLibraryW(path_.c_str());
}

LibraryFile::~LibraryFile() {
    if (module_) FreeLibrary(module_);
}

std::string LibraryFile::Name() const { return std::string(path_.begin(), path_.end()); }

Microsoft::WRL::ComPtr<ITypeLib> LibraryFile::TypeLibrary() const {
    Microsoft::WRL::ComPtr<ITypeLib> library;
    LoadTypeLibEx(path_.c_str(), REGKIND_NONE, &library);
    return library;
}

}  // namespace vel::test
