// Registration, as regsvr32 does it: the run's one registration of every library the tests
// use happens here, before any case, and this program is what every other test waits for.
// Its cases then unregister and register each control library again, which no other test
// could bear to see happen while it runs.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LibraryFile.h"
#include "LibraryImage.h"

namespace vel::test {
namespace {

using Entry = HRESULT(STDAPICALLTYPE*)();

HRESULT Register(const std::wstring& name) {
    HMODULE library = LoadLibraryW(BesideProgram(name.c_str()).c_str());
    if (!library) return HRESULT_FROM_WIN32(GetLastError());
    auto reg = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, "DllRegisterServer")));
    const HRESULT result = reg ? reg() : E_NOINTERFACE;
    FreeLibrary(library);
    return result;
}

// Registers the control libraries and the test libraries (VEL_REGISTER_ALSO) machine-wide.
class RegistersEveryLibrary : public ::testing::Environment {
public:
    void SetUp() override {
        std::vector<std::wstring> names = LibrariesUnderTest();
        for (auto& also : NamesIn(L"VEL_REGISTER_ALSO")) names.push_back(also);
        for (auto& name : names) ASSERT_EQ(Register(name), S_OK) << "registering " << Narrow(name);
    }
};

const auto* const kRegistration = ::testing::AddGlobalTestEnvironment(new RegistersEveryLibrary);

// The list box's and the notifier's identifiers share their last fields, the check frame's have theirs.
GUID Roster(unsigned long first) { return {first, 0x6B79, 0x11D1, {0xBF, 0x3C, 0, 0, 0, 0, 0, 0}}; }
GUID Notifier(unsigned long first) { return Roster(first); }
GUID Latch(unsigned long first) { return {first, 0x73D6, 0x11D1, {0xBF, 0x44, 0, 0, 0, 0, 0, 0}}; }

// What registering a library writes, by its own identifiers, and the ProgID of its control.
struct Registered {
    std::wstring file;
    std::vector<std::wstring> keys;
    std::wstring progId;
    GUID clsid;
};

// A type library is registered under its platform's key: where both widths of a library are
// registered, as on 64-bit Windows, unregistering one leaves the other's, and the library's key.
#ifdef _WIN64
const wchar_t kPlatform[] = L"\\1.0\\0\\win64";
#else
const wchar_t kPlatform[] = L"\\1.0\\0\\win32";
#endif

std::vector<Registered> Expected() {
    auto g = [](const GUID& guid) { return GuidText(guid); };
    return {
        {L"VelRoster.ocx",
         {L"TypeLib\\" + g(Roster(0xA26A2D8F)) + kPlatform, L"Interface\\" + g(Roster(0xA26A2D59)),
          L"Interface\\" + g(Roster(0xA26A2D5C)), L"Interface\\" + g(Roster(0xA26A2D53)),
          L"Interface\\" + g(Roster(0xA26A2D56)), L"CLSID\\" + g(Roster(0xA26A2D79)), L"CorvaneListbox.VelListbox",
          L"CorvaneListbox.VelListbox.1",
          // The property pages General, ColumnHeadersPP and Sort.
          L"CLSID\\" + g(Roster(0xA26A2D81)) + L"\\InprocServer32", L"CLSID\\" + g(Roster(0xA26A2D85)) + L"\\InprocServer32",
          L"CLSID\\" + g(Roster(0xA26A2D87)) + L"\\InprocServer32"},
         L"CorvaneListbox.VelListbox", Roster(0xA26A2D79)},
        {L"VelLatchPanel.ocx",
         {L"TypeLib\\" + g(Latch(0x8BFDBA5B)) + kPlatform, L"Interface\\" + g(Latch(0x8BFDBA4B)),
          L"CLSID\\" + g(Latch(0x8BFDBA4C)),
          L"CLSID\\" + g(Latch(0x8BFDBA36)), L"CorvaneCheckFrame.VelCheckFrame", L"CorvaneCheckFrame.VelCheckFrame.1"},
         L"CorvaneCheckFrame.VelCheckFrame", Latch(0x8BFDBA4C)},
        {L"VelNotifier.ocx",
         {L"TypeLib\\" + g(Notifier(0xA26A2E54)) + kPlatform, L"Interface\\" + g(Notifier(0xA26A2E3A)),
          L"Interface\\" + g(Notifier(0xA26A2E38)), L"Interface\\" + g(Notifier(0xA26A2E3D)),
          L"CLSID\\" + g(Notifier(0xA26A2E3E)), L"CLSID\\" + g(Notifier(0xA26A2E3B)), L"CorvaneNotifier.VelNotifier",
          L"CorvaneNotifier.VelNotifier.1", L"CorvaneNotifier.VelIcons"},
         L"CorvaneNotifier.VelNotifier", Notifier(0xA26A2E3E)},
    };
}

class Registration : public ::testing::TestWithParam<Registered> {};

TEST_P(Registration, UnregisteringRemovesEveryKeyAndRegisteringRestoresThem) {
    const Registered& expected = GetParam();
    HMODULE library = LoadLibraryW(BesideProgram(expected.file.c_str()).c_str());
    ASSERT_TRUE(library);
    auto entry = [&](const char* name) {
        return reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(library, name)));
    };
    auto unregister = entry("DllUnregisterServer"), reg = entry("DllRegisterServer"), canUnload = entry("DllCanUnloadNow");
    ASSERT_TRUE(unregister && reg && canUnload && entry("DllGetClassObject"));

    EXPECT_EQ(unregister(), S_OK);
    for (auto& k : expected.keys) EXPECT_FALSE(ClassesKeyExists(k)) << Narrow(k);
    EXPECT_EQ(reg(), S_OK);
    for (auto& k : expected.keys) EXPECT_TRUE(ClassesKeyExists(k)) << Narrow(k);
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(expected.progId.c_str(), &clsid), S_OK);
    EXPECT_EQ(clsid, expected.clsid);
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

INSTANTIATE_TEST_SUITE_P(Each, Registration, ::testing::ValuesIn(Expected()),
                         [](const auto& info) { return Narrow(info.param.file.substr(0, info.param.file.find(L'.'))); });

}  // namespace
}  // namespace vel::test
