// The registered list box hosted by Wine's ATL container window, a container we did not
// write: created by ProgID, in-place active, painted, persisted through IPersistStreamInit.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include "Automation.h"
#include "HostingSupport.h"

namespace {

using Microsoft::WRL::ComPtr;
using namespace vel::test;

constexpr wchar_t kProgId[] = L"CorvaneListbox.VelListbox";

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

// Wine's ATL with its container window class registered, and a frame holding one control.
class AtlHost {
public:
    AtlHost(int width, int height) : atl_(LoadLibraryW(L"atl.dll")) {
        if (!atl_) return;
        auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxWinInit")));
        getControl_ =
            reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxGetControl")));
        if (init) init();
        frame_ = CreateWindowExW(0, L"STATIC", L"List box host", WS_POPUP | WS_VISIBLE, 10, 10, width + 40, height + 40,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        host_ = CreateWindowExW(0, L"AtlAxWin", kProgId, WS_CHILD | WS_VISIBLE, 20, 20, width, height, frame_, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
    }
    AtlHost(const AtlHost&) = delete;
    AtlHost& operator=(const AtlHost&) = delete;
    ~AtlHost() {
        if (frame_) DestroyWindow(frame_);
        PumpMessages();
        if (atl_) FreeLibrary(atl_);
    }

    ComPtr<IDispatch> Control() const {
        ComPtr<IUnknown> control;
        ComPtr<IDispatch> dispatch;
        if (getControl_ && host_ && SUCCEEDED(getControl_(host_, &control))) control.As(&dispatch);
        return dispatch;
    }
    HWND Host() const { return host_; }

private:
    HMODULE atl_;
    AtlAxGetControlFn getControl_ = nullptr;
    HWND frame_ = nullptr;
    HWND host_ = nullptr;
};

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
        AtlHost host(200, 120);
        auto control = host.Control();
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
