#include "ContainedControlUpdates.h"

#include <oaidl.h>

#include "Variant.h"

namespace vel::checkframe {
namespace {

using Microsoft::WRL::ComPtr;

bool IdOf(IDispatch* object, const wchar_t* name, DISPID& id) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    return SUCCEEDED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id));
}

HRESULT InvokeByName(IUnknown* control, const wchar_t* name, WORD flags, VARIANT* argument, VARIANT* result) {
    ComPtr<IDispatch> object;
    DISPID id = 0;
    if (!control || FAILED(control->QueryInterface(IID_PPV_ARGS(&object))) || !IdOf(object.Get(), name, id))
        return DISP_E_MEMBERNOTFOUND;
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{argument, flags == DISPATCH_PROPERTYPUT ? &named : nullptr, argument ? 1u : 0u,
                      flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

}  // namespace

void ContainedControlUpdates::SetEnabled(const Controls& controls, bool enabled) {
    for (auto& control : controls) {
        com::Variant value = com::Variant::FromBool(enabled);
        InvokeByName(control.Get(), L"Enabled", DISPATCH_PROPERTYPUT, value.Ptr(), nullptr);
    }
}

void ContainedControlUpdates::RefreshWindowless(const Controls& controls) {
    for (auto& control : controls) {
        com::Variant handle;
        if (SUCCEEDED(InvokeByName(control.Get(), L"hWnd", DISPATCH_PROPERTYGET, nullptr, handle.Out()))) continue;
        InvokeByName(control.Get(), L"Refresh", DISPATCH_METHOD, nullptr, nullptr);
    }
}

}  // namespace vel::checkframe
