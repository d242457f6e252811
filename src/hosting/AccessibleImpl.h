#pragma once
#include <windows.h>
#include <oleacc.h>

namespace vel::hosting {

// The parts of IAccessible every accessible object of the controls answers alike: no
// type information of its own (clients call IAccessible directly), and names and values
// that clients may not write. A mixin for com::ComObject.
class AccessibleImpl : public IAccessible {
public:
    using Interface = IAccessible;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
        if (info) *info = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

protected:
    ~AccessibleImpl() = default;
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
