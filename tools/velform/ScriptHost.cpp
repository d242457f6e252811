#include "ScriptHost.h"

#include "Bstr.h"
#include "FormError.h"
#include "Variant.h"

using vel::com::Bstr;
using vel::com::ComPtr;
using vel::com::Variant;

namespace velform {
namespace {

// The system's text for an error when it has one, and its number in any case.
std::wstring HresultText(HRESULT hr) {
    switch (hr) {
        case DISP_E_DIVBYZERO: return L"Division by zero";
        case DISP_E_OVERFLOW: return L"Overflow";
        case DISP_E_TYPEMISMATCH: return L"Type mismatch";
        case DISP_E_UNKNOWNNAME: return L"Object doesn't support this property or method";
        default: break;
    }
    wchar_t code[32];
    if (HRESULT_FACILITY(hr) == FACILITY_CONTROL) {
        wsprintfW(code, L"run-time error %u", static_cast<unsigned>(HRESULT_CODE(hr)));
    } else {
        wsprintfW(code, L"error 0x%08lX", static_cast<unsigned long>(hr));
    }
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                  static_cast<DWORD>(hr), 0, text, 512, nullptr);
    while (length > 0 && (text[length - 1] == L'\n' || text[length - 1] == L'\r' || text[length - 1] == L'.')) {
        text[--length] = 0;
    }
    return length ? std::wstring(text) + L" (" + code + L")" : std::wstring(code);
}

std::wstring ExceptionText(const EXCEPINFO& exception) {
    if (exception.bstrDescription && *exception.bstrDescription) return exception.bstrDescription;
    HRESULT hr = exception.scode ? exception.scode : MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, exception.wCode);
    return HresultText(hr);
}

void ClearException(EXCEPINFO& exception) {
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    exception = EXCEPINFO{};
}

}  // namespace

void ScriptHost::AddItem(const std::wstring& name, IUnknown* object, bool globalMembers) {
    items_.push_back({name, object, SCRIPTITEM_ISVISIBLE | (globalMembers ? SCRIPTITEM_GLOBALMEMBERS : 0u)});
}

bool ScriptHost::Start(const std::wstring& code) {
    CLSID vbscript{};
    if (FAILED(CLSIDFromProgID(L"VBScript", &vbscript)) ||
        FAILED(CoCreateInstance(vbscript, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&engine_)))) {
        throw FormError(L"the VBScript engine is not available");
    }
    ComPtr<IActiveScriptParse> parse;
    HRESULT hr = engine_->QueryInterface(__uuidof(IActiveScriptParse), &parse);
    if (SUCCEEDED(hr)) hr = engine_->SetScriptSite(this);
    if (SUCCEEDED(hr)) hr = parse->InitNew();
    for (auto& item : items_) {
        // Not SCRIPTITEM_ISSOURCE: the host connects the events itself, whatever the engine.
        if (SUCCEEDED(hr)) hr = engine_->AddNamedItem(item.name.c_str(), item.flags);
    }
    if (FAILED(hr)) throw FormError(L"the VBScript engine did not start: " + HresultText(hr));
    EXCEPINFO exception{};
    hr = parse->ParseScriptText(code.c_str(), nullptr, nullptr, nullptr, 0, 0, SCRIPTTEXT_ISVISIBLE, nullptr,
                                &exception);
    if (FAILED(hr) && !failure_) RecordFailure(ExceptionText(exception), 0);
    if (FAILED(hr)) failure_->message = L"the code does not compile: " + failure_->message;
    ClearException(exception);
    if (SUCCEEDED(hr)) hr = engine_->SetScriptState(SCRIPTSTATE_CONNECTED);
    return SUCCEEDED(hr) && !failure_;
}

bool ScriptHost::Call(const std::wstring& name) {
    ComPtr<IDispatch> script = Dispatch();
    if (!script) return false;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name.c_str())};
    DISPID id = DISPID_UNKNOWN;
    if (FAILED(script->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
        RecordFailure(L"there is no Sub " + name, 0);
        return false;
    }
    DISPPARAMS none{};
    Variant result;
    EXCEPINFO exception{};
    HRESULT hr = script->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, result.Ptr(), &exception,
                                nullptr);
    if (FAILED(hr) && !failure_) {
        RecordFailure(hr == DISP_E_EXCEPTION ? ExceptionText(exception) : HresultText(hr), 0);
    }
    ClearException(exception);
    return SUCCEEDED(hr) && !failure_;
}

ComPtr<IDispatch> ScriptHost::Dispatch() const {
    ComPtr<IDispatch> script;
    if (engine_) engine_->GetScriptDispatch(nullptr, &script);
    return script;
}

void ScriptHost::Close() {
    if (engine_) {
        engine_->Close();
        engine_.Reset();
    }
    items_.clear();
}

void ScriptHost::RecordFailure(std::wstring message, unsigned long line) {
    if (failure_) return;
    if (assertion_) message = *std::exchange(assertion_, std::nullopt);
    failure_ = ScriptFailure{std::move(message), line};
}

STDMETHODIMP ScriptHost::GetLCID(LCID* locale) {
    if (!locale) return E_POINTER;
    *locale = GetUserDefaultLCID();
    return S_OK;
}

STDMETHODIMP ScriptHost::GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) {
    if (item) *item = nullptr;
    if (info) *info = nullptr;
    for (auto& [itemName, object, flags] : items_) {
        if (lstrcmpiW(itemName.c_str(), name) != 0) continue;
        if ((mask & SCRIPTINFO_IUNKNOWN) && item) object.CopyTo(item);
        if ((mask & SCRIPTINFO_ITYPEINFO) && info) {
            ComPtr<IDispatch> dispatch;
            if (SUCCEEDED(object.As(&dispatch))) dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, info);
        }
        return S_OK;
    }
    return TYPE_E_ELEMENTNOTFOUND;
}

STDMETHODIMP ScriptHost::GetDocVersionString(BSTR* version) {
    if (!version) return E_POINTER;
    *version = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP ScriptHost::OnScriptError(IActiveScriptError* error) {
    if (!error) return E_POINTER;
    EXCEPINFO exception{};
    error->GetExceptionInfo(&exception);
    if (exception.pfnDeferredFillIn) exception.pfnDeferredFillIn(&exception);
    DWORD context = 0;
    ULONG line = 0;
    LONG column = 0;
    bool placed = SUCCEEDED(error->GetSourcePosition(&context, &line, &column));
    RecordFailure(ExceptionText(exception), placed ? line + 1 : 0);
    ClearException(exception);
    return S_OK;
}

STDMETHODIMP ScriptHost::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = window_;
    return S_OK;
}

STDMETHODIMP ScriptHost::GetUIBehavior(SCRIPTUICITEM, SCRIPTUICHANDLING* handling) {
    if (!handling) return E_POINTER;
    *handling = testMode_ ? SCRIPTUICHANDLING_NOUIDEFAULT : SCRIPTUICHANDLING_ALLOW;
    return S_OK;
}

}  // namespace velform
