#include "PropertyNotifyPoint.h"

#include <algorithm>
#include <olectl.h>

#include "ComObject.h"
#include "SnapshotEnumerator.h"

namespace vel::hosting {

STDMETHODIMP PropertyNotifyPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP PropertyNotifyPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = IID_IPropertyNotifySink;
    return S_OK;
}

STDMETHODIMP PropertyNotifyPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = &container_;
    container_.AddRef();
    return S_OK;
}

STDMETHODIMP PropertyNotifyPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IPropertyNotifySink> notify;
    if (FAILED(sink->QueryInterface(IID_PPV_ARGS(&notify)))) return CONNECT_E_CANNOTCONNECT;
    try {
        sinks_.push_back({nextCookie_, notify});
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

STDMETHODIMP PropertyNotifyPoint::Unadvise(DWORD cookie) {
    auto found = std::find_if(sinks_.begin(), sinks_.end(), [&](const Sink& s) { return s.cookie == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    ComPtr<IPropertyNotifySink> released = std::move(found->sink);
    sinks_.erase(found);
    return S_OK;
}

STDMETHODIMP PropertyNotifyPoint::EnumConnections(IEnumConnections** out) {
    if (!out) return E_POINTER;
    try {
        std::vector<com::ConnectionElement::Stored> items;
        for (auto& s : sinks_) items.push_back({ComPtr<IUnknown>(s.sink.Get()), s.cookie});
        *out = com::Make<com::SnapshotEnumerator<IEnumConnections, com::ConnectionElement>>(std::move(items)).Detach();
        return S_OK;
    } catch (...) {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
}

void PropertyNotifyPoint::Changed(DISPID id) {
    if (sinks_.empty()) return;
    ComPtr<IConnectionPointContainer> keepAlive(&container_);
    std::vector<ComPtr<IPropertyNotifySink>> targets;
    for (auto& s : sinks_) targets.push_back(s.sink);
    for (auto& target : targets) target->OnChanged(id);
}

}  // namespace vel::hosting
