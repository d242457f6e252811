#pragma once
#include <windows.h>
#include <oleacc.h>

#include "ComObject.h"

namespace vel::hosting {

// The parts of IAccessible every accessible object of the controls answers alike:
// IDispatch served from the system's accessibility type library (clients may call
// IAccessible late-bound), and names and values that clients may not write. A mixin for
// com::ComObject.
class AccessibleImpl : public IAccessible {
public:
    using Interface = IAccessible;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                        EXCEPINFO* exception, UINT* argumentError) override;
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

protected:
    ~AccessibleImpl() = default;

private:
    // IAccessible's type information, loaded on first use; nullptr where it is missing.
    ITypeInfo* TypeInfo();

    com::ComPtr<ITypeInfo> typeInfo_;
};

// A child id argument: CHILDID_SELF or a child's id; anything else is no child id.
inline bool ChildIdOf(const VARIANT& child, LONG* id) {
    if (child.vt != VT_I4) return false;
    *id = child.lVal;
    return true;
}

// Out-parameters of IAccessible that return a child: an id, an object, or none.
inline void SetChildId(VARIANT* out, LONG id) {
    out->vt = VT_I4;
    out->lVal = id;
}

}  // namespace vel::hosting
