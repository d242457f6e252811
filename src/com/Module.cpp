#include "Module.h"

#include <map>
#include <wrl/client.h>

#include "AutomationError.h"

using Microsoft::WRL::ComPtr;

namespace vel::com {
namespace {

LONG g_objects = 0;
LONG g_locks = 0;

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof(GUID)) < 0; }
};

struct TypeLibraryCache {
    ComPtr<ITypeLib> library;
    std::map<GUID, ComPtr<ITypeInfo>, GuidLess> infos;
};

TypeLibraryCache& Cache() {
    static TypeLibraryCache cache;
    return cache;
}

std::wstring& Help() {
    static std::wstring help = L"\\Help\\Stellate.hlp";
    return help;
}

}  // namespace

void Module::ObjectCreated() { InterlockedIncrement(&g_objects); }
void Module::ObjectDestroyed() { InterlockedDecrement(&g_objects); }
long Module::ObjectCount() { return g_objects; }
void Module::LockServer(bool lock) { lock ? InterlockedIncrement(&g_locks) : InterlockedDecrement(&g_locks); }
bool Module::CanUnload() { return g_objects == 0 && g_locks == 0; }

HMODULE Module::Handle() {
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&Module::Handle), &module);
    return module;
}

std::wstring Module::Path() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        DWORD n = GetModuleFileNameW(Handle(), path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

ITypeLib* Module::TypeLibrary() {
    auto& cache = Cache();
    if (!cache.library) {
        HRESULT hr = LoadTypeLibEx(Path().c_str(), REGKIND_NONE, &cache.library);
        if (FAILED(hr)) throw AutomationError(hr, L"The type library could not be loaded.");
    }
    return cache.library.Get();
}

ITypeInfo* Module::TypeInfo(REFGUID guid) {
    auto& cache = Cache();
    auto found = cache.infos.find(guid);
    if (found != cache.infos.end()) return found->second.Get();
    ComPtr<ITypeInfo> info;
    HRESULT hr = TypeLibrary()->GetTypeInfoOfGuid(guid, &info);
    if (FAILED(hr)) throw AutomationError(hr, L"The type information could not be found.");
    return cache.infos.emplace(guid, info).first->second.Get();
}

void Module::ReleaseTypeLibrary() {
    Cache().infos.clear();
    Cache().library.Reset();
}

const wchar_t* Module::ErrorSource() { return LibraryTitle(); }
void Module::SetHelpFile(std::wstring path) { Help() = std::move(path); }
const std::wstring& Module::HelpFile() { return Help(); }

}  // namespace vel::com
