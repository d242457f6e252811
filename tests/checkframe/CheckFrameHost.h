#pragma once
// A check frame sited in the test container, initialised new or from a bag, in-place
// active and sized, with its composed frame readable pixel by pixel.
#include <gtest/gtest.h>
#include <windows.h>
#include <ocidl.h>

#include <string>

#include "Automation.h"
#include "HostingSupport.h"
#include "MemoryPropertyBag.h"
#include "Module.h"
#include "TestContainer.h"
#include "VelCheckFrame.h"

namespace vel::test {

using checkframe::VelCheckFrame;

class CheckFrameHost {
public:
    // userMode false hosts the frame in a designer; `bag` restores it instead of InitNew.
    explicit CheckFrameHost(bool userMode = true, IPropertyBag* bag = nullptr, long width = 200, long height = 100,
                            const wchar_t* name = L"CheckFrame1") {
        site = com::Make<TestContainer>();
        site->ambients[DISPID_AMBIENT_USERMODE] = com::Variant::FromBool(userMode);
        site->ambients[DISPID_AMBIENT_DISPLAYNAME] = com::Variant::FromString(name);
        control = hosting::MakeControl<VelCheckFrame>();
        control.As(&object);
        object->SetClientSite(site.Get());
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
        ComPtr<IOleInPlaceObject> inPlace;
        control.As(&inPlace);
        RECT rect{0, 0, width, height};
        inPlace->SetObjectRects(&rect, &rect);
        PumpMessages();
    }
    CheckFrameHost(const CheckFrameHost&) = delete;
    CheckFrameHost& operator=(const CheckFrameHost&) = delete;
    ~CheckFrameHost() {
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        PumpMessages();
    }

    IDispatch* Disp() const { return static_cast<_VelCheckFrame*>(control.Get()); }

    // A pixel of the frame after a full repaint.
    COLORREF Pixel(int x, int y) const {
        control->RepaintParts(checkframe::rdAll);
        return GetPixel(control->FrameDC(), x, y);
    }

    ComPtr<hosting::MemoryPropertyBag> Save() const {
        auto bag = com::Make<hosting::MemoryPropertyBag>();
        ComPtr<IPersistPropertyBag> persist;
        control.As(&persist);
        EXPECT_HRESULT_SUCCEEDED(persist->Save(bag.Get(), TRUE, FALSE));
        return bag;
    }

    ComPtr<TestContainer> site;
    ComPtr<VelCheckFrame> control;
    ComPtr<IOleObject> object;
};

// A bitmap picture of `width` x `height` pixels filled by `colour(x, y)`.
template <class Colour>
ComPtr<IPictureDisp> MakeBitmapPicture(int width, int height, Colour colour) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int x = 0; x < width; ++x)
        for (int y = 0; y < height; ++y) SetPixel(dc, x, y, colour(x, y));
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    PICTDESC description{sizeof(PICTDESC), PICTYPE_BITMAP};
    description.bmp.hbitmap = bitmap;
    ComPtr<IPictureDisp> picture;
    OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

inline ComPtr<IPictureDisp> MakeIconPicture() {
    PICTDESC description{sizeof(PICTDESC), PICTYPE_ICON};
    description.icon.hicon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    ComPtr<IPictureDisp> picture;
    OleCreatePictureIndirect(&description, IID_IPictureDisp, TRUE, reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

// An object argument set by reference, as `Set x.Picture = p` passes it.
inline CallResult PutRef(IDispatch* object, const wchar_t* name, IDispatch* value) {
    return Invoke(object, name, DISPATCH_PROPERTYPUTREF, {Obj(value)});
}

inline COLORREF Sys(int index) { return GetSysColor(index); }

// OLE colours travel as unsigned 32-bit values (system colours have the high bit set).
inline Variant Colour(unsigned long colour) {
    VARIANT raw{};
    raw.vt = VT_UI4;
    raw.ulVal = colour;
    return Variant(raw);
}

inline unsigned long ColourOf(const CallResult& result) {
    VARIANT converted{};
    if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&result.value.Get()), 0, VT_UI4))) return 0xFFFFFFFF;
    return converted.ulVal;
}

// Every test ends with its objects released and no GDI object left behind (counted
// from each test's second run).
using CheckFrameTest = HostingTest;

}  // namespace vel::test
