// The registered check frame hosted by Wine's ATL container window, a container we did
// not write: created by ProgID, in-place active, painted, persisted through a stream.
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

constexpr wchar_t kProgId[] = L"CorvaneCheckFrame.VelCheckFrame";

HRESULT LibraryCanUnload() {
    HMODULE library = GetModuleHandleW(L"VelLatchPanel.ocx");
    if (!library) return S_OK;
    auto canUnload =
        reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(library, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
}

TEST(CheckFrameInAtl, IsCreatedByProgIdPaintsAndPersistsThroughAStream) {
    ComPtr<IStream> saved;
    {
        AtlLibrary atl;
        ASSERT_TRUE(atl.Ready());
        AtlHostWindow host(kProgId, 200, 120);
        ComPtr<IDispatch> control;
        if (auto created = atl.ControlOf(host.Host())) created.As(&control);
        ASSERT_NE(control, nullptr) << "the ATL container did not create the check frame";
        HWND surface = reinterpret_cast<HWND>(static_cast<LONG_PTR>(AsLong(Get(control.Get(), L"hWnd"))));
        EXPECT_EQ(GetParent(surface), host.Host());
        ASSERT_TRUE(Put(control.Get(), L"Value", Num(1)).Ok());
        ASSERT_TRUE(Put(control.Get(), L"Caption", Str(L"In ATL")).Ok());
        RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        PumpMessages();
        EXPECT_EQ(PixelOf(surface, 0, 80), GetSysColor(COLOR_BTNSHADOW)) << "the etched frame line";
        EXPECT_EQ(PixelOf(surface, 100, 80), GetSysColor(COLOR_BTNFACE)) << "the body";

        ComPtr<IPersistStreamInit> persist;
        ASSERT_HRESULT_SUCCEEDED(control.As(&persist));
        ASSERT_HRESULT_SUCCEEDED(CreateStreamOnHGlobal(nullptr, TRUE, &saved));
        ASSERT_HRESULT_SUCCEEDED(persist->Save(saved.Get(), TRUE));
        saved->Seek({}, STREAM_SEEK_SET, nullptr);
    }
    PumpMessages();
    EXPECT_EQ(LibraryCanUnload(), S_OK) << "the container released the check frame";
    {
        CLSID clsid{};
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(kProgId, &clsid));
        ComPtr<IDispatch> restored;
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&restored)));
        ComPtr<IPersistStreamInit> persist;
        ASSERT_HRESULT_SUCCEEDED(restored.As(&persist));
        ASSERT_HRESULT_SUCCEEDED(persist->Load(saved.Get()));
        EXPECT_EQ(AsLong(Get(restored.Get(), L"Value")), 1);
        EXPECT_EQ(AsText(Get(restored.Get(), L"Caption")), L"In ATL");
        ComPtr<IOleObject> object;
        restored.As(&object);
        object->Close(OLECLOSE_NOSAVE);
    }
    saved.Reset();
    EXPECT_EQ(LibraryCanUnload(), S_OK);
}

}  // namespace
