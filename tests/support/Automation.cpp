#include "Automation.h"

#include "Convert.h"

namespace vel::test {

CallResult Invoke(IDispatch* object, const wchar_t* name, WORD flags, std::vector<Variant> arguments) {
    CallResult result;
    if (!object) {
        result.hr = E_POINTER;
        result.description = L"called on Nothing";
        return result;
    }
    DISPID id = 0;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    result.hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(result.hr)) return result;
    std::vector<VARIANTARG> reversed(arguments.size());
    for (size_t i = 0; i < arguments.size(); ++i) reversed[arguments.size() - 1 - i] = *arguments[i].Ptr();
    DISPID named = DISPID_PROPERTYPUT;
    DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
    if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        params.rgdispidNamedArgs = &named;
        params.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    UINT argError = 0;
    result.hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result.value.Out(), &exception,
                               &argError);
    if (result.hr == DISP_E_EXCEPTION) {
        if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
        result.hr = exception.scode ? exception.scode : MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, exception.wCode);
        if (exception.bstrDescription) result.description = exception.bstrDescription;
        if (exception.bstrSource) result.source = exception.bstrSource;
    }
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrHelpFile);
    return result;
}

CallResult Get(IDispatch* object, const wchar_t* name, std::vector<Variant> arguments) {
    return Invoke(object, name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, std::move(arguments));
}

CallResult Put(IDispatch* object, const wchar_t* name, Variant value, std::vector<Variant> arguments) {
    arguments.push_back(std::move(value));
    return Invoke(object, name, DISPATCH_PROPERTYPUT, std::move(arguments));
}

CallResult Call(IDispatch* object, const wchar_t* name, std::vector<Variant> arguments) {
    return Invoke(object, name, DISPATCH_METHOD | DISPATCH_PROPERTYGET, std::move(arguments));
}

Variant Missing() {
    Variant v;
    v.Ptr()->vt = VT_ERROR;
    v.Ptr()->scode = DISP_E_PARAMNOTFOUND;
    return v;
}

Variant Str(const wchar_t* text) { return Variant::FromString(text); }
Variant Num(long value) { return Variant::FromLong(value); }
Variant Dbl(double value) { return Variant::FromDouble(value); }
Variant Obj(IDispatch* object) { return Variant::FromDispatch(object); }

Variant Null() {
    Variant v;
    v.Ptr()->vt = VT_NULL;
    return v;
}

ComPtr<IDispatch> AsObject(const CallResult& result) {
    if (!result.Ok()) return nullptr;
    return AsObject(result.value);
}

long AsLong(const CallResult& result) { return AsLong(result.value); }
std::wstring AsText(const CallResult& result) { return AsText(result.value); }

ComPtr<IDispatch> AsObject(const Variant& value) {
    if (value.Type() != VT_DISPATCH) return nullptr;
    return ComPtr<IDispatch>(value.Get().pdispVal);
}

long AsLong(const Variant& value) { return com::ToLong(value.Get()); }
std::wstring AsText(const Variant& value) { return std::wstring(com::ToText(value.Get()).View()); }

}  // namespace vel::test
