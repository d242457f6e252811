#pragma once
#include <cstdint>

#include "AutomationError.h"

namespace vel::com {

// Integer arithmetic of a given width that raises error 6 (overflow) instead of
// wrapping, as automation callers expect of 16- and 32-bit products.
inline long Fit32(int64_t value) {
    if (value < INT32_MIN || value > INT32_MAX) Raise(StandardError::Overflow);
    return static_cast<long>(value);
}

inline short Fit16(int64_t value) {
    if (value < INT16_MIN || value > INT16_MAX) Raise(StandardError::Overflow);
    return static_cast<short>(value);
}

// Refuses a value outside an enumeration's or setting's range with error 380.
inline void RequireRange(long value, long low, long high) {
    if (value < low || value > high) Raise(StandardError::InvalidPropertyValue);
}

inline long Mul32(int64_t a, int64_t b) { return Fit32(a * b); }
inline long Add32(int64_t a, int64_t b) { return Fit32(a + b); }
inline short Mul16(int64_t a, int64_t b) { return Fit16(a * b); }

}  // namespace vel::com
