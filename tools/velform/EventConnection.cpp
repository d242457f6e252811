#include "EventConnection.h"

#include <utility>

#include "EventSink.h"

using vel::com::ComPtr;
using vel::com::Make;

namespace velform {
namespace {

struct EventSource {
    IID iid = IID_NULL;
    ComPtr<ITypeInfo> info;
};

// The source interface marked default in the object's class, as its class
// information describes it.
EventSource FromClassInfo(IUnknown* object) {
    EventSource source;
    ComPtr<IProvideClassInfo> classInfo;
    ComPtr<ITypeInfo> coclass;
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(&classInfo))) || FAILED(classInfo->GetClassInfo(&coclass))) {
        return source;
    }
    TYPEATTR* attributes = nullptr;
    if (FAILED(coclass->GetTypeAttr(&attributes))) return source;
    constexpr int kDefaultSource = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
    for (UINT i = 0; i < attributes->cImplTypes && !source.info; ++i) {
        int flags = 0;
        HREFTYPE reference = 0;
        coclass->GetImplTypeFlags(i, &flags);
        if ((flags & kDefaultSource) != kDefaultSource) continue;
        if (SUCCEEDED(coclass->GetRefTypeOfImplType(i, &reference))) coclass->GetRefTypeInfo(reference, &source.info);
    }
    coclass->ReleaseTypeAttr(attributes);
    if (!source.info) return source;
    ComPtr<IProvideClassInfo2> classInfo2;
    if (SUCCEEDED(classInfo.As(&classInfo2))) classInfo2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source.iid);
    if (source.iid == IID_NULL) {
        TYPEATTR* sourceAttributes = nullptr;
        if (SUCCEEDED(source.info->GetTypeAttr(&sourceAttributes))) {
            source.iid = sourceAttributes->guid;
            source.info->ReleaseTypeAttr(sourceAttributes);
        }
    }
    return source;
}

// Without class information: the object's first connection point other than
// property notifications, described by the type library of its IDispatch.
EventSource FromConnectionPoints(IUnknown* object) {
    EventSource source;
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IEnumConnectionPoints> points;
    if (FAILED(object->QueryInterface(IID_PPV_ARGS(&container))) || FAILED(container->EnumConnectionPoints(&points)))
        return source;
    ComPtr<IConnectionPoint> point;
    while (source.iid == IID_NULL && points->Next(1, point.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        IID iid{};
        if (SUCCEEDED(point->GetConnectionInterface(&iid)) && iid != IID_IPropertyNotifySink) source.iid = iid;
    }
    ComPtr<IDispatch> dispatch;
    ComPtr<ITypeInfo> info;
    ComPtr<ITypeLib> library;
    UINT index = 0;
    if (source.iid != IID_NULL && SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&dispatch))) &&
        SUCCEEDED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) &&
        SUCCEEDED(info->GetContainingTypeLib(&library, &index))) {
        library->GetTypeInfoOfGuid(source.iid, &source.info);
    }
    return source;
}

}  // namespace

EventConnection::EventConnection(EventConnection&& other) noexcept
    : point_(std::move(other.point_)), cookie_(std::exchange(other.cookie_, 0)) {}

EventConnection& EventConnection::operator=(EventConnection&& other) noexcept {
    if (this != &other) {
        Disconnect();
        point_ = std::move(other.point_);
        cookie_ = std::exchange(other.cookie_, 0);
    }
    return *this;
}

bool EventConnection::Connect(IUnknown* object, SiteOwner& owner, const std::wstring& prefix) {
    Disconnect();
    if (!object) return false;
    EventSource source = FromClassInfo(object);
    if (source.iid == IID_NULL) source = FromConnectionPoints(object);
    ComPtr<IConnectionPointContainer> container;
    if (source.iid == IID_NULL || FAILED(object->QueryInterface(IID_PPV_ARGS(&container))) ||
        FAILED(container->FindConnectionPoint(source.iid, &point_))) {
        point_.Reset();
        return false;
    }
    auto sink = Make<EventSink>(owner, prefix, source.iid, source.info.Get());
    if (FAILED(point_->Advise(sink->Unknown(), &cookie_))) point_.Reset();
    return Connected();
}

void EventConnection::Disconnect() {
    if (!point_) return;
    ComPtr<IConnectionPoint> point = std::move(point_);
    point->Unadvise(std::exchange(cookie_, 0));
}

}  // namespace velform
