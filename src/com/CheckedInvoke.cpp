#include "CheckedInvoke.h"

#include <vector>
#include <wrl/client.h>

#include "Variant.h"

namespace vel::com {
namespace {

// A member's description, released with the scope.
class FuncDescription {
public:
    FuncDescription(ITypeInfo* info, FUNCDESC* desc) : info_(info), desc_(desc) {}
    FuncDescription(const FuncDescription&) = delete;
    FuncDescription& operator=(const FuncDescription&) = delete;
    ~FuncDescription() {
        if (desc_) info_->ReleaseFuncDesc(desc_);
    }
    const FUNCDESC* operator->() const { return desc_; }
    const FUNCDESC& operator*() const { return *desc_; }
    explicit operator bool() const { return desc_ != nullptr; }

    // The member the system's Invoke would call for `id` and `flags`: the first with
    // that id whose kind is among the flags.
    static FUNCDESC* Find(ITypeInfo* info, DISPID id, WORD flags) {
        TYPEATTR* attr = nullptr;
        if (FAILED(info->GetTypeAttr(&attr))) return nullptr;
        WORD count = attr->cFuncs;
        info->ReleaseTypeAttr(attr);
        for (WORD i = 0; i < count; ++i) {
            FUNCDESC* desc = nullptr;
            if (FAILED(info->GetFuncDesc(i, &desc))) continue;
            if (desc->memid == id && (desc->invkind & flags) != 0) return desc;
            info->ReleaseFuncDesc(desc);
        }
        return nullptr;
    }

private:
    ITypeInfo* info_;
    FUNCDESC* desc_;
};

// Arguments a caller passes: every parameter but the return value and the locale.
UINT DeclaredArguments(const FUNCDESC& desc) {
    UINT count = 0;
    for (SHORT i = 0; i < desc.cParams; ++i)
        if (!(desc.lprgelemdescParam[i].paramdesc.wParamFlags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID))) ++count;
    return count;
}

// Whether a parameter is declared as an object (an interface pointer or IDispatch).
bool TakesObject(ITypeInfo* info, const TYPEDESC& type) {
    if (type.vt == VT_DISPATCH) return true;
    if (type.vt != VT_PTR || !type.lptdesc || type.lptdesc->vt != VT_USERDEFINED) return false;
    Microsoft::WRL::ComPtr<ITypeInfo> target;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetRefTypeInfo(type.lptdesc->hreftype, &target)) || FAILED(target->GetTypeAttr(&attr))) return false;
    bool object = attr->typekind == TKIND_DISPATCH || attr->typekind == TKIND_INTERFACE;
    target->ReleaseTypeAttr(attr);
    return object;
}

// The arguments as the system's Invoke takes them without a conversion of its own: an
// IUnknown given for an object parameter becomes that object's IDispatch, a reference
// this copy holds and releases.
class ObjectArguments {
public:
    ObjectArguments(ITypeInfo* info, const FUNCDESC& desc, const DISPPARAMS& params) : params_(params) {
        std::vector<SHORT> positions;  // declared parameter of each argument, first argument first
        for (SHORT i = 0; i < desc.cParams; ++i)
            if (!(desc.lprgelemdescParam[i].paramdesc.wParamFlags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)))
                positions.push_back(i);
        for (UINT slot = 0; slot < params.cArgs; ++slot) {
            const VARIANT& argument = params.rgvarg[slot];
            if (argument.vt != VT_UNKNOWN) continue;
            // Named arguments come first in rgvarg; the put value is the last parameter.
            SHORT parameter = -1;
            if (slot < params.cNamedArgs) {
                if (params.rgdispidNamedArgs[slot] == DISPID_PROPERTYPUT && !positions.empty()) parameter = positions.back();
            } else {
                UINT order = params.cArgs - 1 - slot;  // 0 for the first positional argument
                if (order < positions.size()) parameter = positions[order];
            }
            if (parameter < 0 || !TakesObject(info, desc.lprgelemdescParam[parameter].tdesc)) continue;
            IDispatch* dispatch = nullptr;
            if (argument.punkVal && FAILED(argument.punkVal->QueryInterface(IID_PPV_ARGS(&dispatch)))) continue;
            if (copy_.empty()) copy_.assign(params.rgvarg, params.rgvarg + params.cArgs);
            copy_[slot].vt = VT_DISPATCH;
            copy_[slot].pdispVal = dispatch;
            held_.push_back(dispatch);
        }
        if (!copy_.empty()) params_.rgvarg = copy_.data();
    }
    ObjectArguments(const ObjectArguments&) = delete;
    ObjectArguments& operator=(const ObjectArguments&) = delete;
    ~ObjectArguments() {
        for (IDispatch* dispatch : held_)
            if (dispatch) dispatch->Release();
    }
    DISPPARAMS* Params() { return &params_; }

private:
    DISPPARAMS params_;
    std::vector<VARIANT> copy_;
    std::vector<IDispatch*> held_;
};

bool IsPut(WORD flags) { return (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0; }

// A property get given more arguments than it takes: the value is read with the declared
// arguments, and the rest go to the default member of the object it returns, as
// `List1.ListItems(1)` means. Without an object to take them, the count is wrong.
HRESULT ForwardSurplus(ITypeInfo* info, void* instance, DISPID id, WORD flags, DISPPARAMS& params, UINT declared,
                       VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    UINT surplus = params.cArgs - declared;
    DISPPARAMS own{params.rgvarg + surplus, nullptr, declared, 0};
    Variant value;
    HRESULT hr = info->Invoke(instance, id, DISPATCH_PROPERTYGET, &own, value.Ptr(), exception, argError);
    if (FAILED(hr)) return hr;
    if (value.Type() != VT_DISPATCH || !value.Get().pdispVal) return DISP_E_BADPARAMCOUNT;
    DISPPARAMS rest{params.rgvarg, nullptr, surplus, 0};
    return value.Get().pdispVal->Invoke(DISPID_VALUE, IID_NULL, LOCALE_USER_DEFAULT, flags, &rest, result, exception,
                                        argError);
}

}  // namespace

HRESULT CheckedInvoke::Invoke(ITypeInfo* info, void* instance, DISPID id, WORD flags, DISPPARAMS* params,
                              VARIANT* result, EXCEPINFO* exception, UINT* argError) {
    DISPPARAMS none{};
    if (!params) params = &none;
    if (params->cArgs > 0 && !params->rgvarg) return E_INVALIDARG;
    if (params->cNamedArgs > params->cArgs || (params->cNamedArgs > 0 && !params->rgdispidNamedArgs))
        return E_INVALIDARG;
    FuncDescription desc(info, FuncDescription::Find(info, id, flags));
    if (!desc) return info->Invoke(instance, id, flags, params, result, exception, argError);
    UINT declared = DeclaredArguments(*desc);
    if (desc->cParamsOpt != -1 && params->cArgs > declared) {
        bool plainGet = desc->invkind == INVOKE_PROPERTYGET && !IsPut(flags) && params->cNamedArgs == 0;
        if (!plainGet) return DISP_E_BADPARAMCOUNT;
        return ForwardSurplus(info, instance, id, flags, *params, declared, result, exception, argError);
    }
    ObjectArguments arguments(info, *desc, *params);
    return info->Invoke(instance, id, flags, arguments.Params(), result, exception, argError);
}

}  // namespace vel::com
