#include "Bstr.h"

#include <utility>

#include "AutomationError.h"

namespace vel::com {
namespace {

BSTR Allocate(std::wstring_view text) {
    if (text.size() > 0x3FFFFFF0u) Raise(StandardError::OutOfMemory);
    BSTR value = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!value) Raise(StandardError::OutOfMemory);
    return value;
}

}  // namespace

Bstr::Bstr(std::wstring_view text) : value_(Allocate(text)) {}
Bstr::Bstr(const Bstr& other) : value_(other.value_ ? Allocate(other.View()) : nullptr) {}

Bstr& Bstr::operator=(Bstr other) noexcept {
    std::swap(value_, other.value_);
    return *this;
}

Bstr Bstr::Attach(BSTR value) {
    Bstr result;
    result.value_ = value;
    return result;
}

BSTR Bstr::Detach() { return std::exchange(value_, nullptr); }

BSTR Bstr::Copy() const { return Allocate(View()); }

BSTR* Bstr::Out() {
    SysFreeString(std::exchange(value_, nullptr));
    return &value_;
}

}  // namespace vel::com
