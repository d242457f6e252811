#include "LibraryImage.h"

#include <cctype>

#include <objbase.h>

#include <fstream>
#include <iterator>
#include <set>

namespace vel::test {

std::wstring BesideProgram(const wchar_t* fileName) {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + fileName;
}

std::vector<std::string> ImportedLibraries(const std::wstring& path) {
    char narrow[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
    std::ifstream file(narrow, std::ios::binary);
    std::vector<char> image((std::istreambuf_iterator<char>(file)), {});
    std::vector<std::string> names;
    if (image.size() < sizeof(IMAGE_DOS_HEADER)) return names;
    auto at = [&](size_t offset) { return image.data() + offset; };
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(at(0));
    // A library of this program's width (PE32 or PE32+), the only width it can load.
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(at(dos->e_lfanew));
    if (nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR_MAGIC) return names;
    auto* sections = IMAGE_FIRST_SECTION(nt);
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    };
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(at(fileOffset(rva))); d->Name; ++d)
        names.emplace_back(at(fileOffset(d->Name)));
    return names;
}

// Module names are compared without regard to case, as the loader finds them.
bool IsSystemLibrary(const std::string& name) {
    static const std::set<std::string> system = {"KERNEL32.DLL", "USER32.DLL",   "GDI32.DLL",  "ADVAPI32.DLL",
                                                 "OLE32.DLL",    "OLEAUT32.DLL", "MSVCRT.DLL", "SHELL32.DLL",
                                                 "COMDLG32.DLL", "VERSION.DLL",  "OLEACC.DLL"};
    std::string upper = name;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return system.count(upper) > 0;
}

bool ClassesKeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

}  // namespace vel::test
