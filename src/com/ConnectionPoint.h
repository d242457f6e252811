#pragma once
#include <windows.h>
#include <ocidl.h>
#include <vector>

#include "ComObject.h"
#include "Variant.h"

namespace vel::com {

// One outgoing (source) interface of an object: an event dispinterface, or a plain
// interface such as IPropertyNotifySink. It lives inside its owner and shares the
// owner's reference count, so a sink connection never outlives it.
class ConnectionPoint : public IConnectionPoint {
public:
    // A dispinterface source also accepts sinks that answer only IDispatch.
    ConnectionPoint(IConnectionPointContainer& container, REFIID source, bool dispinterface = true)
        : container_(container), source_(source), dispinterface_(dispinterface) {}
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override { return container_.AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return container_.Release(); }

    STDMETHODIMP GetConnectionInterface(IID* iid) override;
    STDMETHODIMP GetConnectionPointContainer(IConnectionPointContainer** out) override;
    STDMETHODIMP Advise(IUnknown* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumConnections(IEnumConnections** out) override;

    REFIID Source() const { return source_; }
    bool HasSinks() const { return !sinks_.empty(); }
    // Calls `id` on every sink connected when the call starts, with the arguments in
    // declaration order (dispinterface sources). Sinks may connect, disconnect or
    // release anything meanwhile.
    void Fire(DISPID id, std::vector<Variant> arguments);
    // Calls `notify` with every sink connected when the call starts, as the source
    // interface `Source` (the interface this point was made for).
    template <class Source, class Notify>
    void ForEachSink(Notify notify) {
        if (sinks_.empty()) return;
        ComPtr<IConnectionPointContainer> keepAlive(&container_);
        for (auto& sink : Snapshot()) notify(reinterpret_cast<Source*>(sink.Get()));
    }
    void DisconnectAll() { sinks_.clear(); }

private:
    // Each sink is held as the interface pointer it gave for the source interface
    // (IDispatch for a dispinterface).
    struct Sink {
        DWORD cookie;
        ComPtr<IUnknown> sink;
    };
    std::vector<ComPtr<IUnknown>> Snapshot() const;

    IConnectionPointContainer& container_;
    IID source_;
    bool dispinterface_;
    std::vector<Sink> sinks_;
    DWORD nextCookie_ = 1;
};

// IConnectionPointContainer over the connection points the derived object registers.
class ConnectionPointContainerImpl : public IConnectionPointContainer {
public:
    using Interface = IConnectionPointContainer;
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** out) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** out) override;

protected:
    void RegisterConnectionPoint(ConnectionPoint& point) { points_.push_back(&point); }

private:
    std::vector<ConnectionPoint*> points_;
};

}  // namespace vel::com
