#include "Variant.h"

#include <utility>

#include "AutomationError.h"
#include "Bstr.h"

namespace vel::com {
namespace {

void Check(HRESULT hr) {
    if (hr == E_OUTOFMEMORY) Raise(StandardError::OutOfMemory);
    if (FAILED(hr)) Raise(StandardError::TypeMismatch);
}

}  // namespace

Variant::Variant(const VARIANT& other) {
    VariantInit(&value_);
    Check(VariantCopy(&value_, const_cast<VARIANT*>(&other)));
}

Variant::Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }

Variant& Variant::operator=(Variant other) noexcept {
    std::swap(value_, other.value_);
    return *this;
}

Variant Variant::FromLong(long value) {
    Variant v;
    v.value_.vt = VT_I4;
    v.value_.lVal = value;
    return v;
}

Variant Variant::FromDouble(double value) {
    Variant v;
    v.value_.vt = VT_R8;
    v.value_.dblVal = value;
    return v;
}

Variant Variant::FromBool(bool value) {
    Variant v;
    v.value_.vt = VT_BOOL;
    v.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

Variant Variant::FromString(std::wstring_view text) {
    Variant v;
    v.value_.bstrVal = Bstr(text).Detach();
    v.value_.vt = VT_BSTR;
    return v;
}

Variant Variant::FromDispatch(IDispatch* object) {
    Variant v;
    v.value_.vt = VT_DISPATCH;
    v.value_.pdispVal = object;
    if (object) object->AddRef();
    return v;
}

Variant Variant::Dereferenced(const VARIANT& value) {
    Variant v;
    Check(VariantCopyInd(&v.value_, const_cast<VARIANT*>(&value)));
    return v;
}

VARIANT* Variant::Out() {
    VariantClear(&value_);
    return &value_;
}

void Variant::CopyTo(VARIANT* out) const {
    VariantInit(out);
    Check(VariantCopy(out, const_cast<VARIANT*>(&value_)));
}

}  // namespace vel::com
