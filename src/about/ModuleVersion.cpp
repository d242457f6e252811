#include "ModuleVersion.h"

#include <vector>

namespace vel::about {

ModuleVersion::ModuleVersion(WORD major, WORD minor, WORD build, WORD revision)
    : major_(major), minor_(minor), build_(build), revision_(revision) {}

std::optional<ModuleVersion> ModuleVersion::Of(HMODULE module) {
    const std::wstring fileName = FileNameOf(module);
    if (fileName.empty()) return std::nullopt;
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(fileName.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(fileName.c_str(), 0, size, block.data())) return std::nullopt;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    if (fixed->dwSignature != VS_FFI_SIGNATURE) return std::nullopt;
    return ModuleVersion(HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                         HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
}

std::wstring ModuleVersion::Text() const {
    std::wstring text = L"Version " + std::to_wstring(major_) + L"." + std::to_wstring(minor_);
    if (build_ != 0 || revision_ != 0) text += L"." + std::to_wstring(build_) + L"." + std::to_wstring(revision_);
    return text;
}

std::wstring ModuleVersion::FileNameOf(HMODULE module) {
    // GetModuleFileName truncates without saying so except by filling the buffer.
    std::wstring name(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
        if (length == 0) return {};
        if (length < name.size()) {
            name.resize(length);
            return name;
        }
        if (name.size() >= 32768) return {};
        name.resize(name.size() * 2);
    }
}

}  // namespace vel::about
