#pragma once
#include <windows.h>
#include <ocidl.h>

#include "Boundary.h"
#include "Module.h"

namespace vel::com {

// IProvideClassInfo2 for the coclass `*Class` whose default source is `*Source`.
template <const CLSID* Class, const IID* Source>
class ProvideClassInfo : public IProvideClassInfo2 {
public:
    using Interface = IProvideClassInfo2;

    STDMETHODIMP GetClassInfo(ITypeInfo** info) override {
        if (!info) return E_POINTER;
        *info = nullptr;
        return Guarded(IID_IProvideClassInfo, [&] {
            *info = Module::TypeInfo(*Class);
            (*info)->AddRef();
        });
    }

    STDMETHODIMP GetGUID(DWORD kind, GUID* guid) override {
        if (!guid) return E_POINTER;
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
            *guid = GUID_NULL;
            return E_INVALIDARG;
        }
        *guid = *Source;
        return S_OK;
    }
};

}  // namespace vel::com
