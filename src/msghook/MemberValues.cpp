#include "MemberValues.h"

#include <wrl/client.h>

#include "Convert.h"
#include "HookErrors.h"

namespace vel::msghook {

using Microsoft::WRL::ComPtr;

namespace {

bool IsObject(const VARIANT& value) { return value.vt == VT_DISPATCH || value.vt == VT_UNKNOWN; }

ComPtr<IUnknown> IdentityOf(const VARIANT& value) {
    ComPtr<IUnknown> identity;
    if (value.punkVal) value.punkVal->QueryInterface(IID_PPV_ARGS(&identity));
    return identity;
}

}  // namespace

com::Variant KeyArgument(const VARIANT& argument) {
    com::Variant value = com::Variant::Dereferenced(argument);
    if (IsObject(value.Get())) {
        com::Variant text;
        if (FAILED(VariantChangeType(text.Ptr(), const_cast<VARIANT*>(&value.Get()), 0, VT_BSTR)))
            throw HookErrors::InvalidKey();
        return text;
    }
    if (value.Type() != VT_EMPTY && !com::TextOf(value.Get())) throw HookErrors::InvalidKey();
    return value;
}

bool ValueDiffers(const VARIANT& storedArgument, const VARIANT& assignedArgument) {
    com::Variant stored = com::Variant::Dereferenced(storedArgument);
    com::Variant assigned = com::Variant::Dereferenced(assignedArgument);
    const VARIANT& a = stored.Get();
    const VARIANT& b = assigned.Get();
    if (a.vt == VT_NULL || b.vt == VT_NULL) return a.vt != b.vt;
    if (IsObject(a) || IsObject(b)) return !(IsObject(a) && IsObject(b) && IdentityOf(a) == IdentityOf(b));
    HRESULT compared = VarCmp(const_cast<VARIANT*>(&a), const_cast<VARIANT*>(&b), LOCALE_USER_DEFAULT, 0);
    return compared != static_cast<HRESULT>(VARCMP_EQ);
}

}  // namespace vel::msghook
