#pragma once
#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string_view>

#include "ComObject.h"

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

// A number out-parameter (a role, state bits).
inline void SetLong(VARIANT* out, LONG value) {
    out->vt = VT_I4;
    out->lVal = value;
}

// Out-parameters of IAccessible that return a child: an id, an object, or none.
inline void SetChildId(VARIANT* out, LONG id) { SetLong(out, id); }

// A text out-parameter: S_FALSE and no string for an empty text.
inline HRESULT SetText(std::wstring_view text, BSTR* out) {
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

// accLocation's out-parameters: `rect`, in `window`'s client coordinates, on the screen.
inline void SetLocation(HWND window, RECT rect, LONG* left, LONG* top, LONG* width, LONG* height) {
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    *left = rect.left;
    *top = rect.top;
    *width = rect.right - rect.left;
    *height = rect.bottom - rect.top;
}

// A control's answer to WM_GETOBJECT for its client area (OBJID_CLIENT): the object `held`,
// made by `make` for the first client that asks. Any other object id is left to the system
// (nullopt).
template <class T, class Make>
std::optional<LRESULT> AnswerClientObject(com::ComPtr<T>& held, WPARAM w, LPARAM l, Make&& make) {
    if (static_cast<LONG>(l) != OBJID_CLIENT) return std::nullopt;
    if (!held) held = make();
    return LresultFromObject(__uuidof(IAccessible), w, held->Unknown());
}

}  // namespace vel::hosting
