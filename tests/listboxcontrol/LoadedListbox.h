#pragma once
// A list box in a designer, loaded from a stream or a property bag (whether or not the
// load succeeds), then activated and painted like any sited control.
#include "ListboxHost.h"

namespace vel::test {

inline ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    return stream;
}

// A control's properties in their stream form, as it saves them now.
inline std::vector<BYTE> SavedStream(IUnknown* control) {
    ComPtr<IPersistStreamInit> persist;
    control->QueryInterface(IID_PPV_ARGS(&persist));
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (!persist || FAILED(persist->Save(stream.Get(), FALSE))) return {};
    ULARGE_INTEGER size{};
    stream->Seek({}, STREAM_SEEK_CUR, &size);
    stream->Seek({}, STREAM_SEEK_SET, nullptr);
    std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    return bytes;
}

// A control loaded from a stream or a bag, then activated and painted.
struct LoadedListbox {
    explicit LoadedListbox(const std::vector<BYTE>& bytes) {
        Create();
        ComPtr<IPersistStreamInit> persist;
        control.As(&persist);
        result = persist->Load(StreamOf(bytes).Get());
        Show();
    }
    explicit LoadedListbox(IPropertyBag* bag) {
        Create();
        ComPtr<IPersistPropertyBag> persist;
        control.As(&persist);
        result = persist->Load(bag, nullptr);
        Show();
    }
    ~LoadedListbox() {
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        PumpMessages();
    }
    IDispatch* Disp() const { return static_cast<_VelListbox*>(control.Get()); }
    std::vector<BYTE> Saved() const { return SavedStream(control->Unknown()); }
    long Columns() const { return AsLong(Get(AsObject(Get(Disp(), L"ColumnHeaders")).Get(), L"Count")); }

    ComPtr<TestContainer> site = com::Make<TestContainer>();
    ComPtr<roster::VelListbox> control;
    ComPtr<IOleObject> object;
    HRESULT result = E_FAIL;

private:
    void Create() {
        // At design time, so that what it loaded is saved whole again.
        site->ambients[DISPID_AMBIENT_USERMODE] = Variant::FromBool(false);
        site->ambients[DISPID_AMBIENT_SCALEUNITS] = Variant::FromString(L"Pixel");
        control = hosting::MakeControl<roster::VelListbox>();
        control.As(&object);
        object->SetClientSite(site.Get());
    }
    void Show() {
        object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site.Get(), 0, site->Window(), nullptr);
        ComPtr<IOleInPlaceObject> inPlace;
        control.As(&inPlace);
        RECT rect{0, 0, 160, 100};
        inPlace->SetObjectRects(&rect, &rect);
        control->PaintControl(roster::PaintPart::All);
        PumpMessages();
    }
};

}  // namespace vel::test
