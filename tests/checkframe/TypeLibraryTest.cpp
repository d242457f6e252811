// The registered type library as callers see it (identifiers, dispatch ids and flags) and
// the imports of the file. Registering and unregistering are tested with every library.
#include <map>
#include <set>

#include "CheckFrameHost.h"
#include "TypeLibraryCheck.h"

namespace vel::test {
namespace {

GUID Latch(unsigned long first) { return {first, 0x73D6, 0x11D1, {0xBF, 0x44, 0, 0, 0, 0, 0, 0}}; }

const GUID kLibid = Latch(0x8BFDBA5B);

class LatchPanelTypeLibrary : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(LoadRegTypeLib(kLibid, 1, 0, 0, &library), S_OK) << "is VelLatchPanel.ocx registered?";
    }

    ComPtr<ITypeInfo> Info(const GUID& guid) {
        ComPtr<ITypeInfo> info;
        EXPECT_EQ(library->GetTypeInfoOfGuid(guid, &info), S_OK) << "a type is missing";
        return info;
    }

    // name -> (id, kinds seen, hidden)
    std::map<std::wstring, std::pair<DISPID, int>> Members(const GUID& guid, bool* hiddenAbout = nullptr) {
        std::map<std::wstring, std::pair<DISPID, int>> members;
        auto info = Info(guid);
        if (!info) return members;
        TYPEATTR* attr = nullptr;
        info->GetTypeAttr(&attr);
        for (UINT i = 0; i < attr->cFuncs; ++i) {
            FUNCDESC* f = nullptr;
            info->GetFuncDesc(i, &f);
            BSTR name = nullptr;
            info->GetDocumentation(f->memid, &name, nullptr, nullptr, nullptr);
            auto& entry = members[name];
            entry.first = f->memid;
            entry.second |= f->invkind;
            if (hiddenAbout && std::wstring(name) == L"ShowAboutBox") *hiddenAbout = f->wFuncFlags & FUNCFLAG_FHIDDEN;
            SysFreeString(name);
            info->ReleaseFuncDesc(f);
        }
        info->ReleaseTypeAttr(attr);
        return members;
    }

    Constants EnumConstants(const GUID& guid) { return EnumerationConstants(Info(guid).Get()); }

    ComPtr<ITypeLib> library;
};

constexpr int G = INVOKE_PROPERTYGET, P = INVOKE_PROPERTYPUT, R = INVOKE_PROPERTYPUTREF, M = INVOKE_FUNC;

TEST_F(LatchPanelTypeLibrary, NameVersionAndClasses) {
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attr);
    BSTR name = nullptr;
    library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
    EXPECT_STREQ(name, L"CorvaneCheckFrame");
    SysFreeString(name);
    auto frame = Info(Latch(0x8BFDBA4C));
    ASSERT_TRUE(frame);
    TYPEATTR* type = nullptr;
    frame->GetTypeAttr(&type);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FCANCREATE);
    EXPECT_TRUE(type->wTypeFlags & TYPEFLAG_FCONTROL);
    frame->ReleaseTypeAttr(type);
    EXPECT_TRUE(Info(Latch(0x8BFDBA36))) << "the General page";
    EXPECT_TRUE(Info(Latch(0x8BFDBA35))) << "the General page's interface";
    for (unsigned long hook : {0x8BFDBA37, 0x8BFDBA3A, 0x8BFDBA3B, 0x8BFDBA3C, 0x8BFDBA3D, 0x8BFDBA3F, 0x8BFDBA40,
                               0x8BFDBA41, 0x8BFDBA39})
        EXPECT_TRUE(Info(Latch(hook))) << "message hook type " << std::hex << hook;
}

TEST_F(LatchPanelTypeLibrary, EveryPropertyAndMethodHasItsDispatchId) {
    bool aboutHidden = false;
    auto members = Members(Latch(0x8BFDBA4B), &aboutHidden);
    const std::map<std::wstring, std::pair<DISPID, int>> expected = {
        {L"Alignment", {0x68030009, G | P}}, {L"Appearance", {-520, G | P}},     {L"BackColor", {-501, G | P}},
        {L"BorderStyle", {-504, G | P}},     {L"Caption", {-518, G | P}},        {L"Enabled", {-514, G | P}},
        {L"Font", {-512, G | R}},            {L"ForeColor", {-513, G | P}},      {L"HelpContextID", {0x68030008, G | P}},
        {L"hWnd", {-515, G}},                {L"MaskColor", {0x68030007, G | P}}, {L"MouseIcon", {0x68030006, G | R}},
        {L"MousePointer", {0x68030005, G | P}}, {L"OLEDropMode", {0x68030004, G | P}},
        {L"Picture", {0x68030003, G | R}},   {L"RightToLeft", {-611, G | P}},    {L"UseMaskColor", {0x68030002, G | P}},
        {L"Value", {0x68030001, G | P}},     {L"WhatsThisHelpID", {0x68030000, G | P}},
        {L"OLEDrag", {0x6003000A, M}},       {L"ShowAboutBox", {-552, M}}};
    for (auto& [name, member] : expected) {
        auto found = members.find(name);
        ASSERT_NE(found, members.end()) << std::string(name.begin(), name.end());
        EXPECT_EQ(found->second, member) << std::string(name.begin(), name.end());
    }
    EXPECT_TRUE(aboutHidden);
}

TEST_F(LatchPanelTypeLibrary, EventsCarryTheirIds) {
    auto events = Members(Latch(0x8BFDBA52));
    const std::map<std::wstring, DISPID> expected = {
        {L"CheckboxClick", 1},   {L"Click", -600},       {L"DblClick", -601},     {L"KeyDown", -602},
        {L"KeyPress", -603},     {L"KeyUp", -604},       {L"MouseDown", -605},    {L"MouseMove", -606},
        {L"MouseUp", -607},      {L"OLECompleteDrag", 2}, {L"OLEDragDrop", 3},    {L"OLEDragOver", 4},
        {L"OLEGiveFeedback", 5}, {L"OLESetData", 6},     {L"OLEStartDrag", 7}};
    EXPECT_EQ(events.size(), expected.size());
    for (auto& [name, id] : expected) EXPECT_EQ(events[name].first, id) << std::string(name.begin(), name.end());
}

TEST_F(LatchPanelTypeLibrary, EnumerationsHaveTheirMembers) {
    EXPECT_EQ(EnumConstants(Latch(0x8BFDBA4D)), (Constants{{L"velOLEDropNone", 0}, {L"velOLEDropManual", 1}}));
    EXPECT_EQ(EnumConstants(Latch(0x8BFDBA4E)),
              (Constants{{L"velLeftJustify", 0}, {L"velRightJustify", 1}, {L"velRightCaptionJustify", 2}}));
    EXPECT_EQ(EnumConstants(Latch(0x8BFDBA4F)), (Constants{{L"velFlat", 0}, {L"vel3D", 1}}));
    EXPECT_EQ(EnumConstants(Latch(0x8BFDBA50)), (Constants{{L"velNone", 0}, {L"velFixedSingle", 1}}));
    EXPECT_EQ(EnumConstants(Latch(0x8BFDBA51)), (Constants{{L"velUnchecked", 0}, {L"velChecked", 1}, {L"velGreyed", 2}}));
}

// ---- the library file

std::wstring LibraryPath() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    return folder.substr(0, folder.find_last_of(L"\\/") + 1) + L"VelLatchPanel.ocx";
}

// The DLL names in the import table of the mapped (not initialised) library, of this program's width.
TEST(LatchPanelRegistration, TheLibraryImportsSystemLibrariesOnly) {
    HMODULE image = LoadLibraryExW(LibraryPath().c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(image);
    auto base = reinterpret_cast<const BYTE*>(image);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    DWORD rva = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "ole32.dll",
                                          "oleaut32.dll", "msvcrt.dll", "version.dll", "oleacc.dll"};
    int count = 0;
    for (auto d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + rva); d->Name; ++d, ++count) {
        std::string name(reinterpret_cast<const char*>(base + d->Name));
        for (auto& c : name) c = static_cast<char>(tolower(c));
        EXPECT_TRUE(system.count(name)) << name;
    }
    EXPECT_GT(count, 0);
    FreeLibrary(image);
}

}  // namespace
}  // namespace vel::test
