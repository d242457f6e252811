#include "ControlLibraries.h"

#include <windows.h>
#include <objbase.h>
#include <algorithm>

namespace velform {
namespace {

using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();

// The registered server file of a ProgID's class, or empty for an unknown class.
std::wstring ServerPath(const std::wstring& progId) {
    CLSID clsid{};
    wchar_t text[40] = {};
    if (FAILED(CLSIDFromProgID(progId.c_str(), &clsid)) || !StringFromGUID2(clsid, text, 40)) return L"";
    std::wstring key = L"CLSID\\" + std::wstring(text) + L"\\InprocServer32";
    wchar_t path[MAX_PATH] = {};
    DWORD size = sizeof(path);
    // RRF_RT_REG_SZ takes REG_EXPAND_SZ values too, expanded.
    if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, path,
                     &size) != ERROR_SUCCESS) {
        return L"";
    }
    return path;
}

std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L"\\/") + 1); }

// The library as this process loaded it, by its path or else by its file name.
HMODULE Loaded(const std::wstring& path) {
    HMODULE module = GetModuleHandleW(path.c_str());
    return module ? module : GetModuleHandleW(FileName(path).c_str());
}

}  // namespace

ControlLibraries::ControlLibraries(const FormFile& file) {
    for (auto& control : file.Controls()) {
        std::wstring path = ServerPath(control.progId);
        if (!path.empty() && std::find(paths_.begin(), paths_.end(), path) == paths_.end()) paths_.push_back(path);
    }
}

std::vector<std::wstring> ControlLibraries::StillInUse() const {
    std::vector<std::wstring> inUse;
    for (auto& path : paths_) {
        HMODULE module = Loaded(path);
        if (!module) continue;  // never loaded: nothing of it can be alive
        auto canUnload =
            reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
        if (canUnload && canUnload() != S_OK) inUse.push_back(FileName(path));
    }
    return inUse;
}

}  // namespace velform
