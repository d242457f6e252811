#include "AccessibleImpl.h"

namespace vel::hosting {

ITypeInfo* AccessibleImpl::TypeInfo() {
    if (typeInfo_) return typeInfo_.Get();
    com::ComPtr<ITypeLib> library;
    if (FAILED(LoadRegTypeLib(LIBID_Accessibility, 1, 1, LOCALE_NEUTRAL, &library)) &&
        FAILED(LoadTypeLibEx(L"oleacc.dll", REGKIND_NONE, &library)))
        return nullptr;
    library->GetTypeInfoOfGuid(IID_IAccessible, &typeInfo_);
    return typeInfo_.Get();
}

STDMETHODIMP AccessibleImpl::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = TypeInfo() ? 1 : 0;
    return S_OK;
}

STDMETHODIMP AccessibleImpl::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    if (!TypeInfo()) return TYPE_E_ELEMENTNOTFOUND;
    *info = TypeInfo();
    (*info)->AddRef();
    return S_OK;
}

STDMETHODIMP AccessibleImpl::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!TypeInfo()) return E_NOTIMPL;
    return DispGetIDsOfNames(TypeInfo(), names, count, ids);
}

STDMETHODIMP AccessibleImpl::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* parameters, VARIANT* result,
                                    EXCEPINFO* exception, UINT* argumentError) {
    if (iid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    if (!TypeInfo()) return E_NOTIMPL;
    return DispInvoke(static_cast<IAccessible*>(this), TypeInfo(), id, flags, parameters, result, exception,
                      argumentError);
}

}  // namespace vel::hosting
