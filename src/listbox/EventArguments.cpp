#include "EventArguments.h"

namespace vel::roster::EventArguments {
namespace {

template <class Fill>
com::Variant Made(VARTYPE type, Fill fill) {
    VARIANT raw{};
    raw.vt = type;
    fill(raw);
    return com::Variant(raw);
}

}  // namespace

com::Variant Short(short value) {
    return Made(VT_I2, [&](VARIANT& v) { v.iVal = value; });
}

com::Variant Single(float value) {
    return Made(VT_R4, [&](VARIANT& v) { v.fltVal = value; });
}

com::Variant Reference(short* value) {
    return Made(VT_BYREF | VT_I2, [&](VARIANT& v) { v.piVal = value; });
}

com::Variant Reference(long* value) {
    return Made(VT_BYREF | VT_I4, [&](VARIANT& v) { v.plVal = reinterpret_cast<LONG*>(value); });
}

com::Variant Reference(float* value) {
    return Made(VT_BYREF | VT_R4, [&](VARIANT& v) { v.pfltVal = value; });
}

com::Variant BoolReference(VARIANT_BOOL* value) {
    return Made(VT_BYREF | VT_BOOL, [&](VARIANT& v) { v.pboolVal = value; });
}

com::Variant Reference(IDispatch** value) {
    return Made(VT_BYREF | VT_DISPATCH, [&](VARIANT& v) { v.ppdispVal = value; });
}

short ButtonsOf(DWORD keys) {
    return static_cast<short>(((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) |
                              ((keys & MK_MBUTTON) ? 4 : 0));
}

}  // namespace vel::roster::EventArguments
