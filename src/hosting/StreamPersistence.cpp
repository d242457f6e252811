#include "StreamPersistence.h"

#include "ComObject.h"
#include "ControlBase.h"
#include "MemoryPropertyBag.h"

namespace vel::hosting {

STDMETHODIMP StreamPersistence::QueryInterface(REFIID iid, void** out) {
    return static_cast<IOleObject&>(control_).QueryInterface(iid, out);
}

STDMETHODIMP_(ULONG) StreamPersistence::AddRef() { return static_cast<IOleObject&>(control_).AddRef(); }
STDMETHODIMP_(ULONG) StreamPersistence::Release() { return static_cast<IOleObject&>(control_).Release(); }

STDMETHODIMP StreamPersistence::GetClassID(CLSID* clsid) { return control_.GetClassID(clsid); }

STDMETHODIMP StreamPersistence::IsDirty() { return control_.Dirty() ? S_OK : S_FALSE; }

STDMETHODIMP StreamPersistence::InitNew() {
    control_.ContainerCall(L"IPersistStreamInit::InitNew");
    return control_.InitProperties();
}

STDMETHODIMP StreamPersistence::Load(IStream* stream) {
    control_.ContainerCall(L"IPersistStreamInit::Load");
    if (!stream) return E_POINTER;
    try {
        auto bag = com::Make<MemoryPropertyBag>();
        HRESULT hr = bag->Load(stream);
        return FAILED(hr) ? hr : control_.ReadProperties(bag.Get());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP StreamPersistence::Save(IStream* stream, BOOL clearDirty) {
    control_.ContainerCall(L"IPersistStreamInit::Save");
    if (!stream) return E_POINTER;
    try {
        auto bag = com::Make<MemoryPropertyBag>();
        HRESULT hr = control_.WriteProperties(bag.Get(), false);
        if (SUCCEEDED(hr)) hr = bag->Save(stream);
        // The control is clean only once its properties are really in the stream.
        if (SUCCEEDED(hr) && clearDirty) control_.MarkClean();
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP StreamPersistence::GetSizeMax(ULARGE_INTEGER* size) {
    if (!size) return E_POINTER;
    try {
        auto bag = com::Make<MemoryPropertyBag>();
        HRESULT hr = control_.WriteProperties(bag.Get(), false);
        if (SUCCEEDED(hr)) size->QuadPart = bag->SizeInStream();
        return hr;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace vel::hosting
