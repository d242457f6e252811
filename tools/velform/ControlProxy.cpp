#include "ControlProxy.h"

#include "ControlSite.h"

using vel::com::ComPtr;

namespace velform {

ControlProxy::ControlProxy(ControlSite& site) : site_(&site) {}

STDMETHODIMP ControlProxy::GetTypeInfoCount(UINT* count) {
    IDispatch* control = site_->Dispatch();
    if (!control) return E_UNEXPECTED;
    return control->GetTypeInfoCount(count);
}

STDMETHODIMP ControlProxy::GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) {
    IDispatch* control = site_->Dispatch();
    if (!control) return E_UNEXPECTED;
    return control->GetTypeInfo(index, locale, info);
}

STDMETHODIMP ControlProxy::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) {
    IDispatch* control = site_->Dispatch();
    if (!control) return E_UNEXPECTED;
    return control->GetIDsOfNames(iid, names, count, locale, ids);
}

STDMETHODIMP ControlProxy::Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params,
                                  VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    ComPtr<IDispatch> control(site_->Dispatch());
    if (!control) return E_UNEXPECTED;
    return control->Invoke(id, iid, locale, flags, params, result, exception, argError);
}

}  // namespace velform
