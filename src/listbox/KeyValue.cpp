#include "KeyValue.h"

#include "Convert.h"
#include "RosterErrors.h"

namespace vel::roster {

com::Variant KeyValueOf(const VARIANT& argument) {
    com::Variant value = com::Variant::Dereferenced(argument);
    if (value.Type() == VT_DISPATCH || value.Type() == VT_UNKNOWN) {
        com::Variant plain;
        if (FAILED(VariantChangeType(plain.Ptr(), const_cast<VARIANT*>(&value.Get()), 0, VT_BSTR))) throw RosterErrors::InvalidKey();
        return plain;
    }
    if (value.Type() != VT_EMPTY && !com::TextOf(value.Get())) throw RosterErrors::InvalidKey();
    return value;
}

}  // namespace vel::roster
