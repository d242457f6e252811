// A control library as developers' tools see it: an object browser reads a description of
// every type and member, a user without administrator rights registers it for themselves,
// and the file's properties name its maker and rights.
#include <windows.h>
#include <gtest/gtest.h>
#include <oleauto.h>
#include <olectl.h>

#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "LibraryFile.h"
#include "LibraryImage.h"

namespace vel::test {
namespace {

using Microsoft::WRL::ComPtr;

// Name and help string of a type (index) or of a member (memid) of a type.
struct Documentation {
    std::wstring name, help;
};

template <typename Source, typename Id>
Documentation Describe(Source* source, Id id) {
    BSTR name = nullptr, help = nullptr;
    source->GetDocumentation(id, &name, &help, nullptr, nullptr);
    Documentation d{name ? name : L"", help ? help : L""};
    SysFreeString(name);
    SysFreeString(help);
    return d;
}

bool KeyExists(HKEY root, const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

std::wstring DefaultValue(HKEY root, const std::wstring& path) {
    wchar_t value[MAX_PATH * 2] = {};
    DWORD size = sizeof value;
    if (RegGetValueW(root, path.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return {};
    return value;
}

// The width of this program, which only loads libraries of its own width: their type
// libraries are made for its platform, and their file descriptions name the width.
#ifdef _WIN64
constexpr SYSKIND kPlatform = SYS_WIN64;
const wchar_t kPlatformKey[] = L"win64";
const wchar_t kWidthName[] = L" (64-bit)";
#else
constexpr SYSKIND kPlatform = SYS_WIN32;
const wchar_t kPlatformKey[] = L"win32";
const wchar_t kWidthName[] = L" (32-bit)";
#endif

const wchar_t kUserClasses[] = L"Software\\Classes\\";
const wchar_t kMachineClasses[] = L"Software\\Classes\\";

// The registry keys a registration of the library writes: its type library, its interfaces,
// and every creatable class with its ProgIDs, as the machine-wide registration shows them.
std::vector<std::wstring> RegisteredKeys(ITypeLib* library) {
    TLIBATTR* attr = nullptr;
    library->GetLibAttr(&attr);
    std::vector<std::wstring> keys{L"TypeLib\\" + GuidText(attr->guid)};
    library->ReleaseTLibAttr(attr);
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        ComPtr<ITypeInfo> info;
        library->GetTypeInfo(i, &info);
        TYPEATTR* type = nullptr;
        info->GetTypeAttr(&type);
        const std::wstring guid = GuidText(type->guid);
        if (type->typekind == TKIND_DISPATCH && (type->wTypeFlags & TYPEFLAG_FDUAL))
            keys.push_back(L"Interface\\" + guid);
        if (type->typekind == TKIND_COCLASS && (type->wTypeFlags & TYPEFLAG_FCANCREATE)) {
            const std::wstring clsid = L"CLSID\\" + guid;
            if (KeyExists(HKEY_LOCAL_MACHINE, kMachineClasses + clsid)) {
                keys.push_back(clsid);
                const std::wstring progId = DefaultValue(HKEY_LOCAL_MACHINE, kMachineClasses + clsid + L"\\ProgID");
                const std::wstring independent =
                    DefaultValue(HKEY_LOCAL_MACHINE, kMachineClasses + clsid + L"\\VersionIndependentProgID");
                if (!progId.empty()) keys.push_back(progId);
                if (!independent.empty()) keys.push_back(independent);
            }
        }
        info->ReleaseTypeAttr(type);
    }
    return keys;
}

bool IsCopiedSystemType(const std::wstring& name) {
    return name == L"IUnknown" || name == L"IDispatch" || name == L"GUID" || name.rfind(L"__WIDL_", 0) == 0;
}

class Library : public ::testing::TestWithParam<std::wstring> {
protected:
    void SetUp() override {
        library = file.TypeLibrary();
        ASSERT_TRUE(library) << "no type library in " << file.Name();
    }

    using Install = HRESULT(STDAPICALLTYPE*)(BOOL, LPCWSTR);
    Install DllInstall() const { return reinterpret_cast<Install>(reinterpret_cast<void*>(file.Entry("DllInstall"))); }

    LibraryFile file{GetParam()};
    ComPtr<ITypeLib> library;
};

TEST_P(Library, DescribesEveryTypeAndMemberAndIsMarkedAsControls) {
    EXPECT_FALSE(Describe(library.Get(), -1).help.empty()) << "the library itself";
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_TRUE(attr->wLibFlags & LIBFLAG_FCONTROL) << "reference dialogs list the library as controls";
    EXPECT_EQ(attr->syskind, kPlatform);
    const std::wstring platform = kMachineClasses + std::wstring(L"TypeLib\\") + GuidText(attr->guid) + L"\\" +
                                  std::to_wstring(attr->wMajorVerNum) + L"." + std::to_wstring(attr->wMinorVerNum) +
                                  L"\\0\\" + kPlatformKey;
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, platform)) << "registered for its platform: " << Narrow(platform);
    library->ReleaseTLibAttr(attr);

    std::vector<std::wstring> undescribed;
    bool anyControl = false;
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        const Documentation type = Describe(library.Get(), static_cast<INT>(i));
        // The system's types the IDL compiler copies in (a class whose interface is IUnknown
        // brings IUnknown and GUID along) are not the library's own to describe.
        if (IsCopiedSystemType(type.name)) continue;
        if (type.help.empty()) undescribed.push_back(type.name);
        ComPtr<ITypeInfo> info;
        ASSERT_EQ(library->GetTypeInfo(i, &info), S_OK);
        TYPEATTR* typeAttr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&typeAttr), S_OK);
        if (typeAttr->typekind == TKIND_COCLASS && (typeAttr->wTypeFlags & TYPEFLAG_FCONTROL)) anyControl = true;
        std::set<MEMBERID> seen;
        for (UINT f = 0; f < typeAttr->cFuncs; ++f) {
            FUNCDESC* func = nullptr;
            ASSERT_EQ(info->GetFuncDesc(f, &func), S_OK);
            // IUnknown and IDispatch, which a dual interface's dispatch view repeats, are restricted.
            if (!(func->wFuncFlags & FUNCFLAG_FRESTRICTED) && seen.insert(func->memid).second) {
                const Documentation member = Describe(info.Get(), func->memid);
                if (member.help.empty()) undescribed.push_back(type.name + L"." + member.name);
            }
            info->ReleaseFuncDesc(func);
        }
        info->ReleaseTypeAttr(typeAttr);
    }
    EXPECT_TRUE(anyControl) << "no class is marked as a control";
    std::wstring list;
    for (auto& name : undescribed) list += name + L" ";
    EXPECT_TRUE(undescribed.empty()) << "without a help string: " << Narrow(list);
}

TEST_P(Library, RegistersForTheCurrentUserAndLeavesNoKeyBehind) {
    ASSERT_TRUE(DllInstall()) << "DllInstall is not exported";
    const std::vector<std::wstring> keys = RegisteredKeys(library.Get());
    ASSERT_GT(keys.size(), 2u) << "the library is not registered machine-wide";
    for (auto& key : keys) ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + key)) << "left over: " << Narrow(key);

    ASSERT_EQ(DllInstall()(TRUE, L"user"), S_OK);
    for (auto& key : keys) EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kUserClasses + key)) << Narrow(key);
    for (auto& key : keys) {
        if (key.rfind(L"CLSID\\", 0) == 0) {
            EXPECT_EQ(DefaultValue(HKEY_CURRENT_USER, kUserClasses + key + L"\\InprocServer32"), file.Path());
        }
    }

    ASSERT_EQ(DllInstall()(FALSE, L"User"), S_OK);
    for (auto& key : keys) EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + key)) << Narrow(key);
    for (auto& key : keys) EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kMachineClasses + key)) << "machine-wide " << Narrow(key);
}

TEST_P(Library, RefusesAnUnknownInstallScopeAndChangesNothing) {
    ASSERT_TRUE(DllInstall());
    EXPECT_EQ(DllInstall()(TRUE, L"everyone"), E_INVALIDARG);
    for (auto& key : RegisteredKeys(library.Get())) EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserClasses + key));
}

TEST_P(Library, VersionResourceNamesMakerProductAndRights) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(file.Path().c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> data(size);
    ASSERT_TRUE(GetFileVersionInfoW(file.Path().c_str(), 0, size, data.data()));
    for (const wchar_t* field : {L"CompanyName", L"FileDescription", L"FileVersion", L"LegalCopyright", L"ProductName",
                                 L"OriginalFilename"}) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + field;
        EXPECT_TRUE(VerQueryValueW(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) && length > 1)
            << Narrow(field);
        if (value && std::wstring_view(field) == L"FileDescription")
            EXPECT_TRUE(std::wstring_view(value).ends_with(kWidthName)) << "the description names the width: "
                                                                       << Narrow(value);
    }
}

INSTANTIATE_TEST_SUITE_P(Each, Library, ::testing::ValuesIn(LibrariesUnderTest()),
                         [](const auto& info) { return Narrow(info.param.substr(0, info.param.find(L'.'))); });

}  // namespace
}  // namespace vel::test
