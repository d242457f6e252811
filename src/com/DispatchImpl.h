#pragma once
#include <windows.h>
#include <oaidl.h>

#include "Boundary.h"
#include "CheckedInvoke.h"
#include "Module.h"

namespace vel::com {

// IDispatch for the dual interface `Dual`, served from the embedded type library so
// that late-bound callers see exactly the declared names, ids and argument types, with
// every call's argument count checked against the declaration first.
template <class Dual>
class DispatchImpl : public Dual {
public:
    using Interface = Dual;

    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }

    STDMETHODIMP GetTypeInfo(UINT index, LCID, ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        return Guarded(__uuidof(Dual), [&] {
            *info = Module::TypeInfo(__uuidof(Dual));
            (*info)->AddRef();
        });
    }

    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        ITypeInfo* info = nullptr;
        HRESULT hr = Guarded(__uuidof(Dual), [&] { info = Module::TypeInfo(__uuidof(Dual)); });
        return FAILED(hr) ? hr : info->GetIDsOfNames(names, count, ids);
    }

    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override {
        ITypeInfo* info = nullptr;
        HRESULT hr = Guarded(__uuidof(Dual), [&] { info = Module::TypeInfo(__uuidof(Dual)); });
        if (FAILED(hr)) return hr;
        return CheckedInvoke::Invoke(info, static_cast<Dual*>(this), id, flags, params, result, exception, argError);
    }
};

}  // namespace vel::com
