#include "ConnectionPoint.h"

#include <algorithm>
#include <olectl.h>

#include "SnapshotEnumerator.h"

namespace vel::com {

STDMETHODIMP ConnectionPoint::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
        *out = static_cast<IConnectionPoint*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ConnectionPoint::GetConnectionInterface(IID* iid) {
    if (!iid) return E_POINTER;
    *iid = source_;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
    if (!out) return E_POINTER;
    *out = &container_;
    container_.AddRef();
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    ComPtr<IUnknown> connected;
    if (FAILED(sink->QueryInterface(source_, reinterpret_cast<void**>(connected.GetAddressOf()))) &&
        (!dispinterface_ || FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(connected.GetAddressOf())))))
        return CONNECT_E_CANNOTCONNECT;
    try {
        sinks_.push_back({nextCookie_, connected});
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    *cookie = nextCookie_++;
    return S_OK;
}

STDMETHODIMP ConnectionPoint::Unadvise(DWORD cookie) {
    auto found = std::find_if(sinks_.begin(), sinks_.end(), [&](const Sink& s) { return s.cookie == cookie; });
    if (found == sinks_.end()) return CONNECT_E_NOCONNECTION;
    // Released after the sink leaves the list, in case its release re-enters.
    ComPtr<IUnknown> released = std::move(found->sink);
    sinks_.erase(found);
    return S_OK;
}

STDMETHODIMP ConnectionPoint::EnumConnections(IEnumConnections** out) {
    if (!out) return E_POINTER;
    try {
        std::vector<ConnectionElement::Stored> items;
        for (auto& sink : sinks_) items.push_back({sink.sink, sink.cookie});
        *out = Make<SnapshotEnumerator<IEnumConnections, ConnectionElement>>(std::move(items)).Detach();
        return S_OK;
    } catch (...) {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
}

std::vector<ComPtr<IUnknown>> ConnectionPoint::Snapshot() const {
    std::vector<ComPtr<IUnknown>> targets;
    targets.reserve(sinks_.size());
    for (auto& sink : sinks_) targets.push_back(sink.sink);
    return targets;
}

void ConnectionPoint::Fire(DISPID id, std::vector<Variant> arguments) {
    std::vector<VARIANTARG> reversed(arguments.size());
    for (size_t i = 0; i < arguments.size(); ++i) reversed[arguments.size() - 1 - i] = *arguments[i].Ptr();
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    ForEachSink<IDispatch>([&](IDispatch* target) {
        Variant result;
        target->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.Out(), nullptr, nullptr);
    });
}

STDMETHODIMP ConnectionPointContainerImpl::EnumConnectionPoints(IEnumConnectionPoints** out) {
    if (!out) return E_POINTER;
    try {
        std::vector<ComPtr<IConnectionPoint>> items(points_.begin(), points_.end());
        *out = Make<SnapshotEnumerator<IEnumConnectionPoints, ConnectionPointElement>>(std::move(items)).Detach();
        return S_OK;
    } catch (...) {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP ConnectionPointContainerImpl::FindConnectionPoint(REFIID iid, IConnectionPoint** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (auto* point : points_) {
        if (point->Source() == iid) {
            *out = point;
            point->AddRef();
            return S_OK;
        }
    }
    return CONNECT_E_NOCONNECTION;
}

}  // namespace vel::com
