#pragma once
// A list box sited in the test container, initialised new or from a bag, in-place
// active and sized, with its frame readable pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include "Automation.h"
#include "HostingSupport.h"
#include "Module.h"
#include "MemoryPropertyBag.h"
#include "TestContainer.h"
#include "VelListbox.h"

namespace vel::test {

using roster::VelListbox;

class ListboxHost {
public:
    // userMode false hosts the control in a designer; `bag` restores it instead of InitNew.
    explicit ListboxHost(bool userMode = true, IPropertyBag* bag = nullptr, long width = 180, long height = 130,
                         const wchar_t* name = L"VelListbox1") {
        site = com::Make<TestContainer>();
        site->ambients[DISPID_AMBIENT_USERMODE] = com::Variant::FromBool(userMode);
        site->ambients[DISPID_AMBIENT_DISPLAYNAME] = com::Variant::FromString(name);
        site->ambients[DISPID_AMBIENT_SCALEUNITS] = com::Variant::FromString(L"Pixel");
        control = hosting::MakeControl<VelListbox>();
        control.As(&object);
        object->SetClientSite(site.Get());
        ComPtr<IConnectionPointContainer> points;
        control.As(&points);
        points->FindConnectionPoint(IID_IPropertyNotifySink, &notify_);
        notify_->Advise(static_cast<IPropertyNotifySink*>(site.Get()), &cookie_);
        if (bag) {
            ComPtr<IPersistPropertyBag> persist;
            control.As(&persist);
            EXPECT_HRESULT_SUCCEEDED(persist->Load(bag, nullptr));
        } else {
            ComPtr<IPersistStreamInit> stream;
            control.As(&stream);
            EXPECT_HRESULT_SUCCEEDED(stream->InitNew());
        }
        EXPECT_HRESULT_SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, site->Window(), nullptr));
        Resize(width, height);
    }
    ListboxHost(const ListboxHost&) = delete;
    ListboxHost& operator=(const ListboxHost&) = delete;
    ~ListboxHost() {
        notify_->Unadvise(cookie_);
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        PumpMessages();
    }

    IDispatch* Disp() const { return static_cast<_VelListbox*>(control.Get()); }
    ComPtr<IDispatch> Items() const { return AsObject(Get(Disp(), L"ListItems")); }
    ComPtr<IDispatch> Columns() const { return AsObject(Get(Disp(), L"ColumnHeaders")); }
    HWND Window() const { return control->WindowHandle(); }

    void Resize(long width, long height) {
        ComPtr<IOleInPlaceObject> inPlace;
        control.As(&inPlace);
        RECT rect{0, 0, width, height};
        inPlace->SetObjectRects(&rect, &rect);
        PumpMessages();
    }

    // `count` columns of `width` pixels with texts "C1"...
    void AddColumns(int count, long width) {
        for (int i = 1; i <= count; ++i) {
            std::wstring text = L"C" + std::to_wstring(i);
            EXPECT_TRUE(Call(Columns().Get(), L"Add", {Missing(), Missing(), Str(text.c_str()), Num(width)}).Ok());
        }
    }

    void AddRows(long count, const wchar_t* prefix = L"Row ") {
        auto items = Items();
        for (long i = 1; i <= count; ++i) {
            std::wstring text = prefix + std::to_wstring(i);
            Call(items.Get(), L"Add", {Missing(), Missing(), Str(text.c_str())});
        }
    }

    ComPtr<IDispatch> Row(long index) const { return AsObject(Get(Items().Get(), L"Item", {Num(index)})); }

    // A pixel of the last composed frame.
    COLORREF Pixel(int x, int y) const {
        control->PaintControl(roster::PaintPart::All);
        return GetPixel(control->FrameDC(), x, y);
    }

    ComPtr<TestContainer> site;
    ComPtr<VelListbox> control;
    ComPtr<IOleObject> object;

private:
    ComPtr<IConnectionPoint> notify_;
    DWORD cookie_ = 0;
};

inline COLORREF Sys(int index) { return GetSysColor(index); }

// An OLE colour argument.
inline Variant ColorArg(unsigned long color) {
    VARIANT raw{};
    raw.vt = VT_UI4;
    raw.ulVal = color;
    return Variant(raw);
}

// An OLE colour result (unsigned: system colours have the high bit set).
inline unsigned long AsColor(const CallResult& result) {
    VARIANT converted{};
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&result.value.Get()), 0, VT_UI4))) return 0xFFFFFFFF;
    return converted.ulVal;
}

// Every test ends with its objects released and no GDI object left behind. The
// system's first scroll bars, focus rectangles and frame controls create objects it
// keeps for the process, so one control shows all of them before any test, and every
// run of every test counts its GDI objects.
class ListboxTest : public HostingTest {
public:
    static void SetUpTestSuite() {
        static bool warmed = false;
        if (warmed) return;
        warmed = true;
        ListboxHost host;
        host.AddColumns(3, 100);
        host.AddRows(30);
        SendMessageW(host.Window(), WM_SETFOCUS, 0, 0);
        Put(host.Row(2).Get(), L"Selected", Variant::FromBool(true));
        host.Resize(200, 150);
        host.Pixel(0, 0);
        SendMessageW(host.Window(), WM_KILLFOCUS, 0, 0);
        ListboxHost designer(false);
        designer.Pixel(0, 0);
    }

protected:
    bool CountsGdi() const override { return true; }
};

}  // namespace vel::test
