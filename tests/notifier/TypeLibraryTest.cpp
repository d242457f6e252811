// The registered type library as callers see it (identifiers, dispatch ids, flags and help
// strings) and the imports of the file. Registering and unregistering are tested with every library.
#include <gtest/gtest.h>
#include <windows.h>
#include <oleauto.h>
#include <oleidl.h>

#include <cstdlib>
#include <wrl/client.h>

#include <vector>

#include "LibraryImage.h"
#include "TypeLibraryCheck.h"

namespace vel::test {
namespace {

using Microsoft::WRL::ComPtr;

GUID Notifier(unsigned long first) { return {first, 0x6B79, 0x11D1, {0xBF, 0x3C, 0, 0, 0, 0, 0, 0}}; }

const GUID kLibid = Notifier(0xA26A2E54);

class NotifierTypeLibrary : public TypeLibraryCheck {
protected:
    void SetUp() override { Load(kLibid, "VelNotifier.ocx"); }
};

constexpr INVOKEKIND G = kGet, P = kPut, R = kPutRef, M = kMethod;

TEST_F(NotifierTypeLibrary, LibraryIdentity) {
    TLIBATTR* attr = nullptr;
    ASSERT_EQ(library->GetLibAttr(&attr), S_OK);
    EXPECT_EQ(attr->wMajorVerNum, 1);
    EXPECT_EQ(attr->wMinorVerNum, 0);
    library->ReleaseTLibAttr(attr);
    BSTR name = nullptr;
    library->GetDocumentation(-1, &name, nullptr, nullptr, nullptr);
    EXPECT_STREQ(name, L"CorvaneNotifier");
    SysFreeString(name);
}

TEST_F(NotifierTypeLibrary, IconInterfaces) {
    ExpectMembers(Notifier(0xA26A2E3A),
                  {{L"NewEnum", -4, M, true},
                   {L"Add", 0x60030001, M, false, L"Adds a ListItem object to a ListItems collection only at run time."},
                   {L"Item", 0, G, false, L"Returns a specific member of a Collection object either by position or by key."},
                   {L"Count", 0x68030000, G, false, L"Returns the number of objects in a collection."},
                   {L"Remove", 0x60030006, M, false, L"Removes a specific member from a collection."},
                   {L"Clear", 0x60030007, M, false, L"Removes all objects in a collection."}});
    ExpectMembers(Notifier(0xA26A2E38),
                  {{L"Index", 0x68030006, G, false, L"Returns the position of an object in its collection."},
                   {L"Icon", 0x68030004, G, false, L"Returns/sets the image Icon."},
                   {L"Icon", 0x68030004, R, false},
                   {L"Key", 0x68030002, P, false, L"Returns/sets the unique string of an object in a collection."},
                   {L"Name", 0x68030001, P, false, L"Returns/sets an identiifier for the object."},
                   {L"Tag", 0x68030000, P, false, L"Stores any extra data needed for your program."}});
    ExpectMembers(Notifier(0xA26A2E3C),
                  {{L"IconAdded", 1, M, true}, {L"IconRemoved", 2, M, true}, {L"IconChanged", 3, M, true}});
    EXPECT_TRUE(Flags(Notifier(0xA26A2E3A)) & TYPEFLAG_FDUAL);
    EXPECT_TRUE(Flags(Notifier(0xA26A2E3B)) & TYPEFLAG_FCANCREATE) << "the collection is a creatable class";
}

TEST_F(NotifierTypeLibrary, NotifierInterfaceAndEvents) {
    ExpectMembers(Notifier(0xA26A2E3D),
                  {{L"Animate", 0x68030007, P, false,
                    L"Returns/sets whether or not the icons will iterate through the collection."},
                   {L"AnimationStyle", 0x68030006, P, false, L"Returns/sets the how the icons are animated."},
                   {L"Continuous", 0x68030005, P, false, L"Returns/sets if the icons continuously run."},
                   {L"Enabled", 0x68030004, P, false,
                    L"Returns/sets a value that determines whether an object can respond to user-generated events."},
                   {L"Icons", 0x68030003, G, false, L"Returns an object reference to a VelIcons collection."},
                   {L"Interval", 0x68030002, P, false, L"Returns/Sets the number of milliseconds between Animation cells."},
                   {L"ReverseAnimation", 0x68030001, P, false,
                    L"Returns/sets if the icons animate from the last to the first."},
                   {L"ToolTipText", 0x68030000, P, false,
                    L"Returns/sets the text displayed when the mouse is paused over the control."},
                   {L"ShowAboutBox", -552, M, true},
                   {L"ShowBalloon", 0x60030008, M, false,
                    L"Shows a balloon over the icon in the notification area: a text (an empty one takes the balloon "
                    L"away), a title, a picture and a time-out in milliseconds."}});
    ExpectMembers(Notifier(0xA26A2E40),
                  {{L"Click", 1, M, false, L"Occurs when the user presses and then releases a mouse button over an object."},
                   {L"DblClick", 2, M, false,
                    L"Occurs when the user presses and releases a mouse button and then presses and releases it again "
                    L"over an object."},
                   {L"MouseDown", 3, M, false, L"Occurs when the user presses the mouse button while an object has the focus."},
                   {L"MouseMove", 4, M, false, L"Occurs when the user moves the mouse."},
                   {L"MouseUp", 5, M, false, L"Occurs when the user releases the mouse button while an object has the focus."},
                   {L"BalloonClick", 6, M, false, L"Occurs when the user clicks the balloon shown by ShowBalloon."},
                   {L"BalloonClose", 7, M, false,
                    L"Occurs when the balloon shown by ShowBalloon goes without a click: timed out, closed or replaced."}});
    EXPECT_TRUE(MemberFlags(Notifier(0xA26A2E3D), 0x68030007) & FUNCFLAG_FNONBROWSABLE)
        << "Animate is kept out of the property browser";
    EXPECT_TRUE(Flags(Notifier(0xA26A2E3E)) & TYPEFLAG_FCONTROL);
}

TEST_F(NotifierTypeLibrary, EnumerationConstants) {
    const GUID balloonIcons = {0x0E69B272, 0xD7D9, 0x4D8A, {0x86, 0x59, 0x7D, 0xBE, 0x81, 0x24, 0x25, 0x21}};
    EXPECT_EQ(EnumerationConstants(Info(Notifier(0xA26A2E3F)).Get()), (Constants{{L"velCycle", 0}, {L"velPingPong", 1}}));
    EXPECT_EQ(EnumerationConstants(Info(balloonIcons).Get()),
              (Constants{{L"velBalloonNone", 0},
                         {L"velBalloonInfo", 1},
                         {L"velBalloonWarning", 2},
                         {L"velBalloonError", 3},
                         {L"velBalloonCurrentIcon", 4}}));
}

TEST_F(NotifierTypeLibrary, TheMessageHookTypesCarryThisLibrarysIdentifiers) {
    for (unsigned long first : {0xA26A2E28ul, 0xA26A2E2Bul, 0xA26A2E2Cul, 0xA26A2E2Dul, 0xA26A2E2Eul, 0xA26A2E30ul,
                                0xA26A2E31ul, 0xA26A2E32ul, 0xA26A2E2Aul})
        EXPECT_TRUE(Info(Notifier(first)));
}

// Registering is tested with every library; what is the notifier's own: containers hide it
// at run time.
TEST(NotifierRegistration, TheControlIsMarkedInvisibleAtRunTime) {
    wchar_t misc[16] = L"";
    DWORD size = sizeof misc;
    EXPECT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, (L"CLSID\\" + GuidText(Notifier(0xA26A2E3E)) + L"\\MiscStatus\\1").c_str(),
                           nullptr, RRF_RT_REG_SZ, nullptr, misc, &size),
              ERROR_SUCCESS);
    EXPECT_TRUE(_wtol(misc) & OLEMISC_INVISIBLEATRUNTIME) << "a container hides the control at run time";
}

TEST(NotifierRegistration, TheLibraryImportsSystemLibrariesOnly) {
    auto names = ImportedLibraries(BesideProgram(L"VelNotifier.ocx"));
    EXPECT_FALSE(names.empty());
    for (auto& name : names) EXPECT_TRUE(IsSystemLibrary(name)) << name;
}

}  // namespace
}  // namespace vel::test
