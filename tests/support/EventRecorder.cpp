#include "EventRecorder.h"

#include <ocidl.h>
#include <stdexcept>

namespace vel::test {

void EventRecorder::Connect(IUnknown* source, REFIID events) {
    com::ComPtr<IConnectionPointContainer> container;
    if (FAILED(source->QueryInterface(IID_PPV_ARGS(&container)))) throw std::runtime_error("no connection points");
    if (FAILED(container->FindConnectionPoint(events, &point_))) throw std::runtime_error("no such event interface");
    if (FAILED(point_->Advise(Unknown(), &cookie_))) throw std::runtime_error("Advise failed");
}

void EventRecorder::Disconnect() {
    if (point_) point_->Unadvise(cookie_);
    point_.Reset();
}

std::vector<DISPID> EventRecorder::Ids() const {
    std::vector<DISPID> ids;
    for (auto& e : events_) ids.push_back(e.id);
    return ids;
}

STDMETHODIMP EventRecorder::GetTypeInfoCount(UINT* count) {
    *count = 0;
    return S_OK;
}

STDMETHODIMP EventRecorder::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }

STDMETHODIMP EventRecorder::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return DISP_E_UNKNOWNNAME; }

STDMETHODIMP EventRecorder::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    // The handler gets the arguments as raised (a by-reference argument points into the
    // raiser, for the handler to change); the log keeps their values, taken after the
    // handler, since such a reference is gone once the event returns.
    RecordedEvent live{id, {}};
    for (UINT i = params->cArgs; i > 0; --i) live.arguments.emplace_back(params->rgvarg[i - 1]);
    auto values = [&] {
        RecordedEvent kept{id, {}};
        for (auto& argument : live.arguments) kept.arguments.push_back(com::Variant::Dereferenced(argument.Get()));
        return kept;
    };
    const size_t index = events_.size();
    events_.push_back(values());
    if (handler_) handler_(live);
    if (index < events_.size()) events_[index] = values();  // unless the handler cleared the log
    return S_OK;
}

}  // namespace vel::test
