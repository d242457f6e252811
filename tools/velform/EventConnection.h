#pragma once
#include <ocidl.h>
#include <string>

#include "ComObject.h"
#include "SiteOwner.h"

namespace velform {

// The events of one object on its default source interface, connected to an
// EventSink that logs them and calls `Sub <Prefix>_<Event>` of the form code.
// The connection ends with Disconnect or with the object of this class.
class EventConnection {
public:
    EventConnection() = default;
    EventConnection(EventConnection&& other) noexcept;
    EventConnection& operator=(EventConnection&& other) noexcept;
    EventConnection(const EventConnection&) = delete;
    EventConnection& operator=(const EventConnection&) = delete;
    ~EventConnection() { Disconnect(); }

    // False when the object has no source interface that can be connected.
    bool Connect(IUnknown* object, SiteOwner& owner, const std::wstring& prefix);
    void Disconnect();
    bool Connected() const { return point_ != nullptr; }

private:
    vel::com::ComPtr<IConnectionPoint> point_;
    DWORD cookie_ = 0;
};

}  // namespace velform
