#pragma once
#include <windows.h>
#include <ocidl.h>
#include <vector>
#include <wrl/client.h>

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// The IPropertyNotifySink connection point of a control. It lives inside the control
// and shares the control's reference count.
class PropertyNotifyPoint : public IConnectionPoint {
public:
    explicit PropertyNotifyPoint(IConnectionPointContainer& container) : container_(container) {}
    PropertyNotifyPoint(const PropertyNotifyPoint&) = delete;
    PropertyNotifyPoint& operator=(const PropertyNotifyPoint&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return container_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return container_.Release(); }

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    // Tells every sink connected when the call starts that property `id` changed.
    void Changed(DISPID id);
    void DisconnectAll() { sinks_.clear(); }

private:
    struct Sink {
        DWORD cookie;
        ComPtr<IPropertyNotifySink> sink;
    };
    IConnectionPointContainer& container_;
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
};

}  // namespace vel::hosting
