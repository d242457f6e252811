#pragma once
#include <windows.h>
#include <ocidl.h>

namespace vel::hosting {

class ControlBase;

// IPersistStreamInit (and IPersistStream) of a control: the control's properties in
// a stream, through the same reading and writing as its property bag. A nested
// object, because its InitNew and the property bag's InitNew share one signature; it
// shares the control's reference count.
class StreamPersistence : public IPersistStreamInit {
public:
    explicit StreamPersistence(ControlBase& control) : control_(control) {}
    StreamPersistence(const StreamPersistence&) = delete;
    StreamPersistence& operator=(const StreamPersistence&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(IStream* stream) override;
    STDMETHODIMP Save(IStream* stream, BOOL clearDirty) override;
    STDMETHODIMP GetSizeMax(ULARGE_INTEGER* size) override;
    STDMETHODIMP InitNew() override;

private:
    ControlBase& control_;
};

}  // namespace vel::hosting
