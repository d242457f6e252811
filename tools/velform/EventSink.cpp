#include "EventSink.h"

#include <vector>

#include "Bstr.h"
#include "Variant.h"

using vel::com::Bstr;
using vel::com::ComPtr;
using vel::com::Variant;

namespace velform {
namespace {

std::wstring ArgumentText(const VARIANT& argument) {
    Variant value;
    if (FAILED(VariantCopyInd(value.Ptr(), const_cast<VARIANT*>(&argument)))) return L"?";
    switch (value.Type()) {
        case VT_EMPTY: return L"Empty";
        case VT_NULL: return L"Null";
        case VT_DISPATCH:
        case VT_UNKNOWN: return value.Get().punkVal ? L"[object]" : L"Nothing";
        case VT_BSTR: return L"\"" + std::wstring(value.Get().bstrVal ? value.Get().bstrVal : L"") + L"\"";
        case VT_BOOL: return value.Get().boolVal ? L"True" : L"False";
        default: break;
    }
    Variant text;
    if (FAILED(VariantChangeTypeEx(text.Ptr(), value.Ptr(), LOCALE_INVARIANT, 0, VT_BSTR))) return L"?";
    return text.Get().bstrVal;
}

// Stores `value` into the typed reference `target` (VT_BYREF|type), converting it
// to that type; the previous content of the reference is released.
void WriteBack(VARIANT& target, const VARIANT& value) {
    VARTYPE type = target.vt & ~VT_BYREF;
    Variant converted;
    if (FAILED(VariantChangeType(converted.Ptr(), const_cast<VARIANT*>(&value), 0, type))) return;
    VARIANT& v = *converted.Ptr();
    switch (type) {
        case VT_BSTR:
            SysFreeString(*target.pbstrVal);
            *target.pbstrVal = std::exchange(v.bstrVal, nullptr);
            break;
        case VT_DISPATCH:
        case VT_UNKNOWN:
            if (*target.ppunkVal) (*target.ppunkVal)->Release();
            *target.ppunkVal = std::exchange(v.punkVal, nullptr);
            break;
        case VT_I1: case VT_UI1: *target.pbVal = v.bVal; break;
        case VT_I2: case VT_UI2: case VT_BOOL: *target.piVal = v.iVal; break;
        case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_ERROR: *target.plVal = v.lVal; break;
        case VT_R4: *target.pfltVal = v.fltVal; break;
        case VT_R8: case VT_DATE: *target.pdblVal = v.dblVal; break;
        case VT_CY: *target.pcyVal = v.cyVal; break;
        default: break;
    }
    v.vt = VT_EMPTY;
}

}  // namespace

bool EventSink::QueryExtra(REFIID iid, void** out) {
    if (iid != source_) return false;
    *out = static_cast<IDispatch*>(this);
    return true;
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

std::wstring EventSink::EventName(DISPID id) const {
    Bstr name;
    UINT found = 0;
    if (sourceInfo_ && SUCCEEDED(sourceInfo_->GetNames(id, name.Out(), 1, &found)) && found == 1) {
        return std::wstring(name.View());
    }
    return L"Event" + std::to_wstring(id);
}

std::wstring EventSink::Describe(const std::wstring& handler, const DISPPARAMS& params) const {
    std::wstring line = handler;
    // Arguments arrive last first.
    for (UINT i = params.cArgs; i-- > 0;) {
        line += (i + 1 == params.cArgs ? L" " : L", ") + ArgumentText(params.rgvarg[i]);
    }
    return line;
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
    ComPtr<EventSink> self(this);  // a handler may close the form meanwhile
    DISPPARAMS none{};
    DISPPARAMS& arguments = params ? *params : none;
    std::wstring handler = controlName_ + L"_" + EventName(id);
    owner_.Journal().RecordEvent(Describe(handler, arguments));
    CallHandler(handler, arguments);
    return S_OK;
}

void EventSink::CallHandler(const std::wstring& handler, DISPPARAMS& params) {
    ComPtr<IDispatch> script = owner_.ScriptDispatch();
    if (!script) return;
    LPOLESTR names[] = {const_cast<LPOLESTR>(handler.c_str())};
    DISPID handlerId = DISPID_UNKNOWN;
    if (FAILED(script->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &handlerId))) return;

    std::vector<Variant> values(params.cArgs);
    std::vector<VARIANT> passed(params.cArgs);
    for (UINT i = 0; i < params.cArgs; ++i) {
        const VARIANT& argument = params.rgvarg[i];
        passed[i] = argument;  // borrowed, not owned
        bool typedReference = (argument.vt & VT_BYREF) && argument.vt != (VT_BYREF | VT_VARIANT);
        if (!typedReference) continue;
        values[i] = Variant::Dereferenced(argument);
        passed[i].vt = VT_BYREF | VT_VARIANT;
        passed[i].pvarVal = values[i].Ptr();
    }
    DISPPARAMS call{passed.data(), nullptr, params.cArgs, 0};
    Variant result;
    EXCEPINFO exception{};
    script->Invoke(handlerId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &call, result.Ptr(), &exception,
                   nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    for (UINT i = 0; i < params.cArgs; ++i) {
        if (passed[i].pvarVal == values[i].Ptr() && passed[i].vt == (VT_BYREF | VT_VARIANT)) {
            WriteBack(params.rgvarg[i], values[i].Get());
        }
    }
}

}  // namespace velform
