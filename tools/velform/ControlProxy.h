#pragma once
#include <oaidl.h>

#include "ComObject.h"

namespace velform {

class ControlSite;

// The object form code knows a control by: it forwards every call to the
// control currently in the site, so the code's names stay valid when the form
// rebuilds its controls (reloading saved properties).
class ControlProxy : public vel::com::ComObject<ControlProxy, IDispatch> {
public:
    explicit ControlProxy(ControlSite& site);

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                        EXCEPINFO* exception, UINT* argError) override;

private:
    vel::com::ComPtr<ControlSite> site_;
};

}  // namespace velform
