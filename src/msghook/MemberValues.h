#pragma once
#include "Variant.h"

namespace vel::msghook {

// The value a Key assignment stores: the argument itself, or an object's default
// value, so that the stored key cannot change behind the collection's back. Values
// without text (Null, arrays, errors) are refused with error 380.
com::Variant KeyArgument(const VARIANT& argument);

// Whether assigning `assigned` to a property holding `stored` changes it, by variant
// comparison (case-sensitive). Null equals only Null; objects are compared by identity;
// values that do not compare (arrays, mismatched types) count as a change.
bool ValueDiffers(const VARIANT& stored, const VARIANT& assigned);

}  // namespace vel::msghook
