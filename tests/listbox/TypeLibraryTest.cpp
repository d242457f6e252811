// The registered type library and the library's registration: identifiers, dispatch
// ids and flags as callers see them, and a registry left clean by unregistering.
#include <fstream>
#include <set>

#include "RosterFixture.h"

namespace vel::test {
namespace {

const GUID kLibid = {0xA26A2D8F, 0x6B79, 0x11D1, {0xBF, 0x3C, 0, 0, 0, 0, 0, 0}};

GUID Roster(unsigned long first) { return {first, 0x6B79, 0x11D1, {0xBF, 0x3C, 0, 0, 0, 0, 0, 0}}; }

std::wstring Text(const GUID& guid) {
    wchar_t text[40];
    StringFromGUID2(guid, text, 40);
    return text;
}

struct Member {
    const wchar_t* name;
    DISPID id;
    INVOKEKIND kind;
    bool hidden;
};

class TypeLibrary : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(LoadRegTypeLib(kLibid, 1, 0, 0, &library), S_OK) << "is VelRoster.ocx registered?"; }

    ComPtr<ITypeInfo> Info(const GUID& guid) {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(library->GetTypeInfoOfGuid(guid, &info), S_OK) << "no type " << std::string(Text(guid).begin(), Text(guid).end());
        return info;
    }

    // Every listed member is present with its id, kind and hidden flag.
    void ExpectMembers(const GUID& guid, std::initializer_list<Member> members) {
        auto info = Info(guid);
        ASSERT_TRUE(info);
        TYPEATTR* attr = nullptr;
        ASSERT_EQ(info->GetTypeAttr(&attr), S_OK);
        std::set<std::tuple<std::wstring, DISPID, int, bool>> found;
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            FUNCDESC* f = nullptr;
            ASSERT_EQ(info->GetFuncDesc(i, &f), S_OK);
            BSTR name = nullptr;
            info->GetDocumentation(f->memid, &name, nullptr, nullptr, nullptr);
            found.insert({name, f->memid, f->invkind, (f->wFuncFlags & FUNCFLAG_FHIDDEN) != 0});
            SysFreeString(name);
            info->ReleaseFuncDesc(f);
        }
        info->ReleaseTypeAttr(attr);
        for (auto& m : members) {
            EXPECT_TRUE(found.count({m.name, m.id, m.kind, m.hidden}))
                << std::string(m.name, m.name + wcslen(m.name)) << " id " << std::hex << m.id;
        }
    }

    WORD Flags(const GUID& guid) {
        auto info = Info(guid);
        TYPEATTR* attr = nullptr;
        info->GetTypeAttr(&attr);
        WORD flags = attr->wTypeFlags;
        info->ReleaseTypeAttr(attr);
        return flags;
    }

    ComPtr<ITypeLib> library;
};

constexpr INVOKEKIND G = INVOKE_PROPERTYGET, P = INVOKE_PROPERTYPUT, M = INVOKE_FUNC;

TEST_F(TypeLibrary, LibraryIdentity) {
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attr);
    BSTR name = nullptr, doc = nullptr;
    library->GetDocumentation(-1, &name, &doc, nullptr, nullptr);
    EXPECT_STREQ(name, L"CorvaneListbox");
    EXPECT_STREQ(doc, L"Corvane Listbox Control");
    SysFreeString(name);
    SysFreeString(doc);
}

TEST_F(TypeLibrary, RowInterfaces) {
    ExpectMembers(Roster(0xA26A2D59), {{L"NewEnum", -4, M, true}, {L"Item", 0, G, false}, {L"Add", 0x6003000D, M, false},
                                       {L"Remove", 0x6003000E, M, false}, {L"Clear", 0x6003000F, M, false},
                                       {L"Count", 0x68030002, G, false}, {L"HitTest", 0x60030015, M, true}});
    ExpectMembers(Roster(0xA26A2D5C),
                  {{L"Text", 0, G, false}, {L"Text", 0, P, false}, {L"SubItems", 0x68030008, G, false},
                   {L"SubItems", 0x68030008, P, false}, {L"Key", 0x68030007, P, false}, {L"Index", 0x68030006, P, false},
                   {L"Tag", 0x68030009, P, false}, {L"Selected", 0x68030000, P, false}, {L"Left", 0x68030005, G, false},
                   {L"Top", 0x68030004, G, false}, {L"Width", 0x68030003, G, false}, {L"Height", 0x68030002, G, false}});
    ExpectMembers(Roster(0xA26A2D5B), {{L"ListItemAdded", 1, M, true}, {L"ListItemRemoved", 2, M, true},
                                       {L"ListItemChanged", 3, M, true}});
    BSTR help = nullptr;
    Info(Roster(0xA26A2D59))->GetDocumentation(0x6003000D, nullptr, &help, nullptr, nullptr);
    EXPECT_STREQ(help, L"Adds a ListItem object to a ListItems collection only at run time.");
    SysFreeString(help);
    EXPECT_TRUE(Flags(Roster(0xA26A2D59)) & TYPEFLAG_FDUAL);
    EXPECT_TRUE(Flags(Roster(0xA26A2D5B)) & TYPEFLAG_FHIDDEN);
    EXPECT_FALSE(Flags(Roster(0xA26A2D5A)) & TYPEFLAG_FCANCREATE) << "rows are created by their list box only";
}

TEST_F(TypeLibrary, ColumnInterfaces) {
    ExpectMembers(Roster(0xA26A2D53), {{L"NewEnum", -4, M, true}, {L"Item", 0, G, false}, {L"Add", 0x60030007, M, false},
                                       {L"Remove", 0x60030008, M, false}, {L"Clear", 0x60030009, M, false},
                                       {L"Count", 0x68030000, G, false}, {L"HitTest", 0x6003000D, M, true}});
    ExpectMembers(Roster(0xA26A2D56),
                  {{L"Text", 0, P, false}, {L"Width", 0x68030008, P, false}, {L"Visible", 0x68030007, P, false},
                   {L"Alignment", 0x68030009, P, false}, {L"Index", 0x68030006, P, false}, {L"Key", 0x68030005, P, false},
                   {L"Tag", 0x6803000F, P, false}, {L"Left", 0x68030004, G, false}, {L"Top", 0x68030000, G, false},
                   {L"Height", 0x68030001, G, false}, {L"SubItemIndex", 0x68030002, G, false}});
    ExpectMembers(Roster(0xA26A2D55), {{L"ColumnHeaderRemoved", 1, M, true}, {L"ColumnHeaderAdded", 2, M, true},
                                       {L"ColumnHeaderChanged", 3, M, true}});
    EXPECT_FALSE(Flags(Roster(0xA26A2D54)) & TYPEFLAG_FCANCREATE);
}

TEST_F(TypeLibrary, AlignmentConstants) {
    auto info = Info(Roster(0xA26A2D58));
    ASSERT_TRUE(info);
    const std::pair<const wchar_t*, long> expected[] = {{L"velLeftJustify", 0}, {L"velRightJustify", 1}, {L"velCenter", 2}};
    for (UINT i = 0; i < 3; ++i) {
        VARDESC* v = nullptr;
        ASSERT_EQ(info->GetVarDesc(i, &v), S_OK);
        BSTR name = nullptr;
        info->GetDocumentation(v->memid, &name, nullptr, nullptr, nullptr);
        EXPECT_STREQ(name, expected[i].first);
        EXPECT_EQ(v->lpvarValue->lVal, expected[i].second);
        SysFreeString(name);
        info->ReleaseVarDesc(v);
    }
}

// ---- the library file itself

std::wstring LibraryPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"VelRoster.ocx";
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

TEST(RosterRegistration, UnregisteringRemovesEveryKeyAndRegisteringRestoresThem) {
    HMODULE library = LoadLibraryW(LibraryPath().c_str());
    ASSERT_TRUE(library);
    using Entry = HRESULT(STDAPICALLTYPE*)();
    auto unregister = reinterpret_cast<Entry>(GetProcAddress(library, "DllUnregisterServer"));
    auto reg = reinterpret_cast<Entry>(GetProcAddress(library, "DllRegisterServer"));
    auto canUnload = reinterpret_cast<Entry>(GetProcAddress(library, "DllCanUnloadNow"));
    ASSERT_TRUE(unregister && reg && canUnload && GetProcAddress(library, "DllGetClassObject"));
    const std::wstring keys[] = {L"TypeLib\\" + Text(kLibid), L"Interface\\" + Text(Roster(0xA26A2D59)),
                                 L"Interface\\" + Text(Roster(0xA26A2D5C)), L"Interface\\" + Text(Roster(0xA26A2D53)),
                                 L"Interface\\" + Text(Roster(0xA26A2D56)), L"CLSID\\" + Text(Roster(0xA26A2D79)),
                                 L"CorvaneListbox.VelListbox", L"CorvaneListbox.VelListbox.1",
                                 // The property pages General, ColumnHeadersPP and Sort.
                                 L"CLSID\\" + Text(Roster(0xA26A2D81)) + L"\\InprocServer32",
                                 L"CLSID\\" + Text(Roster(0xA26A2D85)) + L"\\InprocServer32",
                                 L"CLSID\\" + Text(Roster(0xA26A2D87)) + L"\\InprocServer32"};

    EXPECT_EQ(unregister(), S_OK);
    for (auto& k : keys) EXPECT_FALSE(KeyExists(k)) << std::string(k.begin(), k.end());
    EXPECT_EQ(reg(), S_OK);
    for (auto& k : keys) EXPECT_TRUE(KeyExists(k)) << std::string(k.begin(), k.end());
    EXPECT_EQ(canUnload(), S_OK) << "nothing of the library is alive";
    // The toolbox picture that the registration names ("<path>, 1").
    auto toolbox = static_cast<HBITMAP>(LoadImageW(library, MAKEINTRESOURCEW(1), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_TRUE(toolbox);
    BITMAP info{};
    GetObjectW(toolbox, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 16);
    EXPECT_EQ(info.bmHeight, 15);
    DeleteObject(toolbox);
    FreeLibrary(library);
}

// Names of the DLLs a PE file imports.
std::vector<std::string> Imports(const std::wstring& path) {
    std::ifstream file(std::string(path.begin(), path.end()).substr(0), std::ios::binary);
    std::vector<char> image((std::istreambuf_iterator<char>(file)), {});
    auto at = [&](size_t offset) { return image.data() + offset; };
    auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(at(0));
    auto* nt = reinterpret_cast<IMAGE_NT_HEADERS32*>(at(dos->e_lfanew));
    auto* sections = IMAGE_FIRST_SECTION(nt);
    auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i) {
            auto& s = sections[i];
            if (rva >= s.VirtualAddress && rva < s.VirtualAddress + s.Misc.VirtualSize)
                return rva - s.VirtualAddress + s.PointerToRawData;
        }
        return 0;
    };
    std::vector<std::string> names;
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(at(fileOffset(rva))); d->Name; ++d)
        names.emplace_back(at(fileOffset(d->Name)));
    return names;
}

TEST(RosterRegistration, TheLibraryImportsSystemLibrariesOnly) {
    char path[MAX_PATH];
    std::wstring wide = LibraryPath();
    WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, path, MAX_PATH, nullptr, nullptr);
    const std::set<std::string> system = {"KERNEL32.dll", "USER32.dll", "GDI32.dll", "ADVAPI32.dll", "ole32.dll",
                                          "OLEAUT32.dll", "msvcrt.dll", "SHELL32.dll", "COMDLG32.dll", "VERSION.dll"};
    auto names = Imports(wide);
    EXPECT_FALSE(names.empty());
    for (auto& name : names) EXPECT_TRUE(system.count(name)) << name;
}

}  // namespace
}  // namespace vel::test
