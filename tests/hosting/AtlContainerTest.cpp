// The fixture hosted by Wine's ATL container window, a container we did not write:
// created by ProgID, in-place activated, driven through IDispatch, persisted through
// IPersistStreamInit, and checked on screen.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>
#include <cstdio>

#include "AtlHostWindow.h"
#include "AtlLibrary.h"
#include "Automation.h"
#include "HostingSupport.h"

namespace {

using Microsoft::WRL::ComPtr;
using namespace vel::test;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr wchar_t kProgId[] = L"VelFixture.Fixture";

ComPtr<IStream> SaveToStream(IUnknown* control) {
    ComPtr<IPersistStreamInit> persist;
    ComPtr<IStream> stream;
    if (FAILED(control->QueryInterface(IID_PPV_ARGS(&persist))) || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(persist->Save(stream.Get(), TRUE)))
        return nullptr;
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    return stream;
}

HRESULT FixtureCanUnload() {
    HMODULE fixture = GetModuleHandleW(L"VelFixture.ocx");
    if (!fixture) return S_OK;
    auto canUnload =
        reinterpret_cast<HRESULT(WINAPI*)()>(reinterpret_cast<void*>(GetProcAddress(fixture, "DllCanUnloadNow")));
    return canUnload ? canUnload() : E_FAIL;
}

// Run twice by the suite; GDI objects are counted in the second run (see HostingTest).
TEST(AtlContainer, HostsTheFixtureInPlaceAndPersistsWhatIsSetThroughIDispatch) {
    static int runs = 0;
    const bool counted = ++runs > 1;
    AtlLibrary atl;
    ASSERT_TRUE(atl.Ready());
    long gdiBefore = GdiObjectCount();
    ComPtr<IStream> saved;
    {
        AtlHostWindow window(kProgId, 120, 90);
        ASSERT_NE(window.Host(), nullptr);
        ComPtr<IUnknown> control = atl.ControlOf(window.Host());
        ASSERT_NE(control, nullptr) << "the ATL container did not create the fixture";
        ComPtr<IDispatch> fixture;
        ASSERT_HRESULT_SUCCEEDED(control.As(&fixture));

        // In-place active: the fixture's window lives inside the container's window.
        HWND surface = reinterpret_cast<HWND>(static_cast<LONG_PTR>(AsLong(Get(fixture.Get(), L"hWnd"))));
        EXPECT_EQ(GetParent(surface), window.Host());
        EXPECT_TRUE(IsWindowVisible(surface));
        RECT client{};
        GetClientRect(surface, &client);
        EXPECT_EQ(client.right, 120);
        EXPECT_EQ(client.bottom, 90);
        // ATL answers no ambient properties: the fixture sees a run-time host.
        EXPECT_EQ(AsLong(Get(fixture.Get(), L"UserMode")), -1);

        ASSERT_TRUE(Put(fixture.Get(), L"BackColor", Num(kRed)).Ok());
        ASSERT_TRUE(Put(fixture.Get(), L"Caption", Str(L"In ATL")).Ok());
        RedrawWindow(surface, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        PumpMessages();
        EXPECT_EQ(PixelOf(surface, 60, 45), kRed);
        EXPECT_EQ(PixelOf(window.Host(), 5, 5), kRed) << "the container shows the painted control";

        saved = SaveToStream(control.Get());
        ASSERT_NE(saved, nullptr);
        std::printf("ATL container calls: %ls\n", AsText(Get(fixture.Get(), L"ContainerCalls")).c_str());
        std::printf("Lifecycle under ATL: %ls\n", AsText(Get(fixture.Get(), L"Lifecycle")).c_str());
    }
    PumpMessages();
    EXPECT_EQ(FixtureCanUnload(), S_OK) << "the container released the fixture";

    // A second instance loaded from the stream has the values set through IDispatch.
    {
        ComPtr<IDispatch> restored;
        CLSID clsid{};
        ASSERT_HRESULT_SUCCEEDED(CLSIDFromProgID(kProgId, &clsid));
        ASSERT_HRESULT_SUCCEEDED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&restored)));
        ComPtr<IPersistStreamInit> persist;
        ASSERT_HRESULT_SUCCEEDED(restored.As(&persist));
        ASSERT_HRESULT_SUCCEEDED(persist->Load(saved.Get()));
        EXPECT_EQ(AsLong(Get(restored.Get(), L"BackColor")), static_cast<long>(kRed));
        EXPECT_EQ(AsText(Get(restored.Get(), L"Caption")), L"In ATL");
        EXPECT_EQ(AsText(Get(restored.Get(), L"Lifecycle")), L"Initialize,ReadProperties");
    }
    saved.Reset();
    EXPECT_EQ(FixtureCanUnload(), S_OK);
    if (counted) {
        EXPECT_EQ(GdiObjectCount(), gdiBefore);
    }
}

}  // namespace
