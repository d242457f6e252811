#include "LateBound.h"

#include <algorithm>
#include <string>

#include "AutomationError.h"
#include "Bstr.h"

namespace vel::hosting {
namespace {

// The error of a failed Invoke: the object's own (EXCEPINFO), or the standard
// run-time error for what the dispatch layer refused (an argument's conversion).
com::AutomationError FailureOf(HRESULT hr, EXCEPINFO& info) {
    if (hr == DISP_E_EXCEPTION) {
        if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
        com::Bstr description = com::Bstr::Attach(info.bstrDescription);
        SysFreeString(info.bstrSource);
        SysFreeString(info.bstrHelpFile);
        HRESULT code = info.scode ? info.scode : com::RuntimeErrorResult(info.wCode);
        return com::AutomationError(code, description.Empty() ? L"Automation error" : std::wstring(description.View()));
    }
    switch (hr) {
        case DISP_E_TYPEMISMATCH: return com::MakeStandardError(com::StandardError::TypeMismatch);
        case DISP_E_OVERFLOW: return com::MakeStandardError(com::StandardError::Overflow);
        case E_OUTOFMEMORY: return com::MakeStandardError(com::StandardError::OutOfMemory);
        case DISP_E_UNKNOWNNAME:
        case DISP_E_MEMBERNOTFOUND: return com::AutomationError(hr, L"Object doesn't support this property or method");
        default: return com::AutomationError(hr, L"Automation error");
    }
}

}  // namespace

com::Variant LateBound::Invoke(const wchar_t* name, WORD flags, std::vector<com::Variant> arguments) const {
    if (!object_) throw com::AutomationError(E_POINTER, L"Object variable not set");
    std::wstring text(name);
    LPOLESTR names[] = {text.data()};
    DISPID id = DISPID_UNKNOWN;
    HRESULT hr = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    EXCEPINFO info{};
    if (FAILED(hr)) throw FailureOf(hr, info);
    // Invoke takes the arguments last to first.
    std::vector<VARIANT> reversed;
    for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) reversed.push_back(it->Get());
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags == DISPATCH_PROPERTYPUT) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    com::Variant result;
    UINT argError = 0;
    hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                         flags == DISPATCH_PROPERTYPUT ? nullptr : result.Out(), &info, &argError);
    if (FAILED(hr)) throw FailureOf(hr, info);
    return result;
}

com::Variant LateBound::Get(const wchar_t* name, std::vector<com::Variant> arguments) const {
    return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(arguments));
}

LateBound LateBound::GetObject(const wchar_t* name, std::vector<com::Variant> arguments) const {
    com::Variant value = com::Variant::Dereferenced(Get(name, std::move(arguments)).Get());
    Microsoft::WRL::ComPtr<IDispatch> object;
    if (value.Type() == VT_DISPATCH) object = value.Get().pdispVal;
    else if (value.Type() == VT_UNKNOWN && value.Get().punkVal) value.Get().punkVal->QueryInterface(IID_PPV_ARGS(&object));
    return LateBound(object);
}

void LateBound::Put(const wchar_t* name, com::Variant value) const {
    Invoke(name, DISPATCH_PROPERTYPUT, {std::move(value)});
}

com::Variant LateBound::Call(const wchar_t* name, std::vector<com::Variant> arguments) const {
    return Invoke(name, DISPATCH_METHOD, std::move(arguments));
}

}  // namespace vel::hosting
