#pragma once
#include <windows.h>
#include <oaidl.h>

#include "Variant.h"

namespace vel::roster {

// Event arguments as the list box hands them to its host: values of the declared
// types, and references that a handler may assign and the control reads back.
namespace EventArguments {

com::Variant Short(short value);
com::Variant Single(float value);
com::Variant Reference(short* value);
com::Variant Reference(long* value);
com::Variant Reference(float* value);
com::Variant BoolReference(VARIANT_BOOL* value);

// The mouse buttons of MK_ flags (a mouse message's or a drag's key state) as the
// host's Button argument: 1 left, 2 right, 4 middle.
short ButtonsOf(DWORD keys);
com::Variant Reference(IDispatch** value);

}  // namespace EventArguments

// An object passed by reference: the slot holds its own reference to whatever the
// handler leaves in it and releases that when it goes.
class ObjectSlot {
public:
    explicit ObjectSlot(IDispatch* object) : object_(object) {
        if (object_) object_->AddRef();
    }
    ObjectSlot(const ObjectSlot&) = delete;
    ObjectSlot& operator=(const ObjectSlot&) = delete;
    ~ObjectSlot() {
        if (object_) object_->Release();
    }
    com::Variant Reference() { return EventArguments::Reference(&object_); }

private:
    IDispatch* object_;
};

}  // namespace vel::roster
