#pragma once
#include "Variant.h"

namespace vel::roster {

// The value a Key assignment stores: the argument itself, or an object's default
// value. Values without text (Null, arrays, errors) are refused with error 380.
com::Variant KeyValueOf(const VARIANT& argument);

}  // namespace vel::roster
