#pragma once
// A sink for any source dispinterface: records every event with its arguments and
// can run a handler, as a host's event procedure would.
#include <windows.h>
#include <ocidl.h>
#include <functional>
#include <string>
#include <vector>

#include "ComObject.h"
#include "Variant.h"

namespace vel::test {

struct RecordedEvent {
    DISPID id;
    std::vector<com::Variant> arguments;  // declaration order
};

class EventRecorder : public com::ComObject<EventRecorder, IDispatch> {
public:
    using Handler = std::function<void(const RecordedEvent&)>;

    // Connects to `source`'s connection point for `events`; disconnects on Disconnect().
    void Connect(IUnknown* source, REFIID events);
    void Disconnect();
    void OnEvent(Handler handler) { handler_ = std::move(handler); }
    const std::vector<RecordedEvent>& Events() const { return events_; }
    void ClearLog() { events_.clear(); }
    // The ids of the recorded events, in order.
    std::vector<DISPID> Ids() const;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override;

private:
    std::vector<RecordedEvent> events_;
    Handler handler_;
    com::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace vel::test
