#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string_view>

namespace vel::com {

// Owns one VARIANT; copies deeply, clears on destruction.
class Variant {
public:
    Variant() { VariantInit(&value_); }
    Variant(const VARIANT& other);  // copies (without dereferencing)
    Variant(const Variant& other) : Variant(other.value_) {}
    Variant(Variant&& other) noexcept;
    Variant& operator=(Variant other) noexcept;
    ~Variant() { VariantClear(&value_); }

    static Variant FromLong(long value);
    static Variant FromDouble(double value);
    static Variant FromBool(bool value);
    static Variant FromString(std::wstring_view text);
    // Holds a reference to the object (nullptr gives Nothing).
    static Variant FromDispatch(IDispatch* object);
    // A copy of the value behind any VT_BYREF.
    static Variant Dereferenced(const VARIANT& value);

    const VARIANT& Get() const { return value_; }
    VARIANT* Ptr() { return &value_; }
    VARIANT* Out();
    VARTYPE Type() const { return value_.vt; }
    void CopyTo(VARIANT* out) const;

private:
    VARIANT value_;
};

// An optional argument left out by the caller.
inline bool IsMissing(const VARIANT& v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

// An optional argument left out, or passed as Empty or Null (also through a reference, as
// a script passes a variable): how JScript's `undefined` and `null` arrive, and how a
// caller says "no value" for an argument that takes a default.
inline bool IsOmitted(const VARIANT& v) {
    const VARIANT& value = v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal ? *v.pvarVal : v;
    return IsMissing(value) || value.vt == VT_EMPTY || value.vt == VT_NULL;
}

}  // namespace vel::com
