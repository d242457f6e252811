#include "LibraryFile.h"

#include <oleauto.h>

#include "LibraryImage.h"

namespace vel::test {

std::vector<std::wstring> NamesIn(const wchar_t* variable) {
    wchar_t text[1024] = {};
    GetEnvironmentVariableW(variable, text, 1024);
    std::vector<std::wstring> names;
    std::wstring rest = text;
    for (size_t comma; !rest.empty(); rest = comma == std::wstring::npos ? L"" : rest.substr(comma + 1)) {
        comma = rest.find(L',');
        if (comma != 0) names.push_back(rest.substr(0, comma));
    }
    return names;
}

LibraryFile::LibraryFile(const std::wstring& name) : path_(BesideProgram(name.c_str())) {
    module_ = LoadLibraryW(path_.c_str());
}

LibraryFile::~LibraryFile() {
    if (module_) FreeLibrary(module_);
}

std::string LibraryFile::Name() const { return Narrow(path_); }

Microsoft::WRL::ComPtr<ITypeLib> LibraryFile::TypeLibrary() const {
    Microsoft::WRL::ComPtr<ITypeLib> library;
    LoadTypeLibEx(path_.c_str(), REGKIND_NONE, &library);
    return library;
}

}  // namespace vel::test
