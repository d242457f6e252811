#include "Registration.h"

#include <oleauto.h>
#include <olectl.h>
#include <string>

#include "AutomationError.h"
#include "Module.h"

namespace vel::com {
namespace {

// Classes registered for all users, as regsvr32 run by an administrator does.
const HKEY kClassesRoot = HKEY_CLASSES_ROOT;
const wchar_t kControlCategory[] = L"{40FC6ED4-2438-11CF-A3DB-080036F12502}";

std::wstring GuidText(const GUID& guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

class Key {
public:
    explicit Key(const std::wstring& path) {
        if (RegCreateKeyExW(kClassesRoot, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key_, nullptr) != ERROR_SUCCESS)
            throw AutomationError(SELFREG_E_CLASS, L"A registry key could not be written.");
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    ~Key() { RegCloseKey(key_); }

    void Set(const wchar_t* name, const std::wstring& value) {
        RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

private:
    HKEY key_ = nullptr;
};

void SetDefault(const std::wstring& path, const std::wstring& value) { Key(path).Set(nullptr, value); }

void RegisterClass(const ClassRegistration& c, const std::wstring& libid) {
    const std::wstring clsid = GuidText(*c.clsid);
    const std::wstring progId = c.progId;
    const std::wstring versioned = progId + L".1";
    const std::wstring base = L"CLSID\\" + clsid;
    SetDefault(base, c.description);
    {
        Key server(base + L"\\InprocServer32");
        server.Set(nullptr, Module::Path());
        server.Set(L"ThreadingModel", L"Apartment");
    }
    SetDefault(base + L"\\ProgID", versioned);
    SetDefault(base + L"\\VersionIndependentProgID", progId);
    SetDefault(base + L"\\TypeLib", libid);
    SetDefault(base + L"\\Version", L"1.0");
    if (c.control) {
        SetDefault(base + L"\\Control", L"");
        SetDefault(base + L"\\MiscStatus", L"0");
        SetDefault(base + L"\\MiscStatus\\1", std::to_wstring(c.miscStatus));
        SetDefault(base + L"\\ToolboxBitmap32", Module::Path() + L", 1");
        SetDefault(base + L"\\Implemented Categories\\" + kControlCategory, L"");
    }
    SetDefault(versioned, c.description);
    SetDefault(versioned + L"\\CLSID", clsid);
    SetDefault(progId, c.description);
    SetDefault(progId + L"\\CLSID", clsid);
    SetDefault(progId + L"\\CurVer", versioned);
}

void UnregisterClass(const ClassRegistration& c) {
    RegDeleteTreeW(kClassesRoot, (L"CLSID\\" + GuidText(*c.clsid)).c_str());
    RegDeleteTreeW(kClassesRoot, (std::wstring(c.progId) + L".1").c_str());
    RegDeleteTreeW(kClassesRoot, c.progId);
}

struct LibraryAttributes {
    GUID libid;
    WORD major, minor;
    LCID lcid;
    SYSKIND syskind;
};

LibraryAttributes Attributes(ITypeLib* library) {
    TLIBATTR* attr = nullptr;
    if (FAILED(library->GetLibAttr(&attr))) throw AutomationError(SELFREG_E_TYPELIB, L"No type library attributes.");
    LibraryAttributes result{attr->guid, attr->wMajorVerNum, attr->wMinorVerNum, attr->lcid, attr->syskind};
    library->ReleaseTLibAttr(attr);
    return result;
}

// While it lives, HKEY_CLASSES_ROOT of this process means the current user's classes, so the
// registration code (ours and the system's type library registration) writes there.
class PerUserClassesRoot {
public:
    PerUserClassesRoot() {
        if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Classes", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                            nullptr) != ERROR_SUCCESS ||
            RegOverridePredefKey(HKEY_CLASSES_ROOT, key_) != ERROR_SUCCESS)
            throw AutomationError(SELFREG_E_CLASS, L"The current user's classes could not be opened.");
    }
    PerUserClassesRoot(const PerUserClassesRoot&) = delete;
    PerUserClassesRoot& operator=(const PerUserClassesRoot&) = delete;
    ~PerUserClassesRoot() {
        RegOverridePredefKey(HKEY_CLASSES_ROOT, nullptr);
        RegCloseKey(key_);
    }

private:
    HKEY key_ = nullptr;
};

}  // namespace

HRESULT RegisterServer(const ClassRegistration* classes, size_t count) {
    try {
        ITypeLib* library = Module::TypeLibrary();
        std::wstring path = Module::Path();
        HRESULT hr = RegisterTypeLib(library, path.data(), nullptr);
        if (FAILED(hr)) return SELFREG_E_TYPELIB;
        const std::wstring libid = GuidText(Attributes(library).libid);
        for (size_t i = 0; i < count; ++i) RegisterClass(classes[i], libid);
        return S_OK;
    } catch (const AutomationError& error) {
        UnregisterServer(classes, count);
        return error.Result();
    } catch (...) {
        UnregisterServer(classes, count);
        return E_UNEXPECTED;
    }
}

HRESULT UnregisterServer(const ClassRegistration* classes, size_t count) {
    try {
        for (size_t i = 0; i < count; ++i) UnregisterClass(classes[i]);
        LibraryAttributes a = Attributes(Module::TypeLibrary());
        UnRegisterTypeLib(a.libid, a.major, a.minor, a.lcid, a.syskind);
        return S_OK;
    } catch (const AutomationError& error) {
        return error.Result();
    } catch (...) {
        return E_UNEXPECTED;
    }
}

HRESULT InstallServer(bool install, const wchar_t* commandLine, const ClassRegistration* classes, size_t count) {
    const std::wstring scope = commandLine ? commandLine : L"";
    if (scope.empty()) return install ? RegisterServer(classes, count) : UnregisterServer(classes, count);
    if (CompareStringOrdinal(scope.c_str(), -1, L"user", -1, TRUE) != CSTR_EQUAL) return E_INVALIDARG;
    try {
        PerUserClassesRoot perUser;
        return install ? RegisterServer(classes, count) : UnregisterServer(classes, count);
    } catch (const AutomationError& error) {
        return error.Result();
    }
}

}  // namespace vel::com
