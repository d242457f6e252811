// The registered list box hosted by Wine's ATL container window, a container we did not
// write: created by ProgID, in-place active, painted, persisted through IPersistStreamInit.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include "AtlHostWindow.h"
#include "AtlLibrary.h"
#include "Automation.h"
#include "HostingSupport.h"

namespace {

using Microsoft::WRL::ComPtr;
using namespace vel::test;

constexpr wchar_t kProgId[] = L"CorvaneListbox.VelListbox";

HRESULT LibraryCanUnload() {
    HMODULE library = GetModuleHandleW(L"VelRoster.ocx");
    if (!library) return S_OK;
    auto canUnload =
        reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
}

TEST(ListboxInAtl, IsCreatedByProgIdPaintsAndPersistsThroughAStream) {
    ComPtr<IStream> saved;
    {
        AtlLibrary atl;
        ASSERT_TRUE(atl.Ready());
        AtlHostWindow host(kProgId, 200, 120);
        ComPtr<IDispatch> control;
        if (auto created = atl.ControlOf(host.Host())) created.As(&control);
        ASSERT_NE(control, nullptr) << "the ATL container did not create the list box";
        HWND surface = reinterpret_cast<HWND>(static_cast<LONG_PTR>(AsLong(Get(control.Get(), L"hWnd"))));
        EXPECT_EQ(GetParent(surface), host.Host());
        RECT client{};
        GetClientRect(surface, &client);
        EXPECT_EQ(client.right, 200);
        EXPECT_EQ(client.bottom, 120);

        auto columns = AsObject(Get(control.Get(), L"ColumnHeaders"));
        ASSERT_TRUE(Call(columns.Get(), L"Add", {Missing(), Str(L"a"), Str(L"Name"), Num(80)}).Ok());
        auto items = AsObject(Get(control.Get(), L"ListItems"));
        ASSERT_TRUE(Call(items.Get(), L"Add", {Missing(), Missing(), Str(L"First")}).Ok());
        ASSERT_TRUE(Put(control.Get(), L"Appearance", Num(0)).Ok());
        RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages();
        EXPECT_EQ(PixelOf(surface, 0, 0), RGB(0, 0, 0)) << "flat border";
        EXPECT_EQ(PixelOf(surface, 150, 5), GetSysColor(COLOR_BTNFACE)) << "header band";
        EXPECT_EQ(PixelOf(surface, 150, 100), GetSysColor(COLOR_WINDOW)) << "row area";

        ComPtr<IPersistStreamInit> persist;
        ASSERT_HRESULT_SUCCEEDED(control.As(&persist));
        ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &saved));
        ASSERT_HRESULT_SUCCEEDED(persist->Save(saved.Get(), TRUE));
        saved->Seek({}, STREAM_SEEK_SET, nullptr);
    }
    PumpMessages();
    EXPECT_EQ(LibraryCanUnload(), S_OK) << "the container released the list box";
    {
        CLSID clsid{};
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(kProgId, &clsid));
        ComPtr<IDispatch> restored;
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&restored)));
        ComPtr<IPersistStreamInit> persist;
        ASSERT_HRESULT_SUCCEEDED(restored.As(&persist));
        ASSERT_HRESULT_SUCCEEDED(persist->Load(saved.Get()));
        EXPECT_EQ(AsLong(Get(restored.Get(), L"Appearance")), 0);
        // ATL answers no UserMode, so the control ran at run time: no columns were saved.
        EXPECT_EQ(AsLong(Get(AsObject(Get(restored.Get(), L"ColumnHeaders")).Get(), L"Count")), 0);
    }
    saved.Reset();
    EXPECT_EQ(LibraryCanUnload(), S_OK);
}

}  // namespace
