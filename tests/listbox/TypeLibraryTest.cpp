// The registered type library as callers see it (identifiers, dispatch ids and flags) and
// the imports of the file. Registering and unregistering are tested with every library.
#include <set>

#include "LibraryImage.h"
#include "RosterFixture.h"
#include "TypeLibraryCheck.h"

namespace vel::test {
namespace {

const GUID kLibid = {0xA26A2D8F, 0x6B79, 0x11D1, {0xBF, 0x3C, 0, 0, 0, 0, 0, 0}};

GUID Roster(unsigned long first) { return {first, 0x6B79, 0x11D1, {0xBF, 0x3C, 0, 0, 0, 0, 0, 0}}; }

class TypeLibrary : public TypeLibraryCheck {
protected:
    void SetUp() override { Load(kLibid, "VelRoster.ocx"); }
};

constexpr INVOKEKIND G = kGet, P = kPut, M = kMethod;

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
    EXPECT_EQ(EnumerationConstants(Info(Roster(0xA26A2D58)).Get()),
              (Constants{{L"velLeftJustify", 0}, {L"velRightJustify", 1}, {L"velCenter", 2}}));
}

// ---- the library file itself

TEST(RosterRegistration, TheLibraryImportsSystemLibrariesOnly) {
    auto names = ImportedLibraries(BesideProgram(L"VelRoster.ocx"));
    EXPECT_FALSE(names.empty());
    for (auto& name : names) EXPECT_TRUE(IsSystemLibrary(name)) << name;
}

}  // namespace
}  // namespace vel::test
