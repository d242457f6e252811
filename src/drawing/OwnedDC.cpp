#include "OwnedDC.h"

#include <utility>

namespace vel::drawing {

OwnedDC& OwnedDC::operator=(OwnedDC&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
}

OwnedDC OwnedDC::CompatibleWith(HDC reference) { return OwnedDC(CreateCompatibleDC(reference)); }

void OwnedDC::Reset(HDC dc) {
    if (dc_ && dc_ != dc) DeleteDC(dc_);
    dc_ = dc;
}

HDC OwnedDC::Release() { return std::exchange(dc_, nullptr); }

}  // namespace vel::drawing
