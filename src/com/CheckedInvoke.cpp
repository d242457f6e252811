#include "CheckedInvoke.h"

#include <deque>
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

// Whether a parameter is declared as an object (an interface pointer or IDispatch). A
// type may name its interface through aliases, as the standard library's IFontDisp and
// IPictureDisp name their dispinterfaces.
bool TakesObject(ITypeInfo* info, const TYPEDESC& type, int depth = 0) {
    if (type.vt == VT_DISPATCH) return true;
    const TYPEDESC* named = type.vt == VT_PTR ? type.lptdesc : depth > 0 ? &type : nullptr;
    if (!named || named->vt != VT_USERDEFINED || depth > 4) return false;
    Microsoft::WRL::ComPtr<ITypeInfo> target;
    TYPEATTR* attr = nullptr;
    if (FAILED(info->GetRefTypeInfo(named->hreftype, &target)) || FAILED(target->GetTypeAttr(&attr))) return false;
    bool object = attr->typekind == TKIND_DISPATCH || attr->typekind == TKIND_INTERFACE;
    if (attr->typekind == TKIND_ALIAS) object = TakesObject(target.Get(), attr->tdescAlias, depth + 1);
    target->ReleaseTypeAttr(attr);
    return object;
}

// Whether a parameter is passed by value as a plain type the system converts to (not a
// VARIANT, which takes any argument as it is, and not a pointer the callee writes through).
bool TakesPlainValue(const TYPEDESC& type) {
    return type.vt != VT_VARIANT && type.vt != VT_PTR && type.vt != VT_SAFEARRAY && type.vt != VT_CARRAY;
}

// Whether a parameter is a pointer to a plain type (a by-reference Single, Long, String...),
// and which type.
bool PointsToPlain(const TYPEDESC& type, VARTYPE& target) {
    if (type.vt != VT_PTR || !type.lptdesc) return false;
    switch (type.lptdesc->vt) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_INT: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BOOL: case VT_BSTR:
        target = type.lptdesc->vt;
        return true;
    default: return false;
    }
}

// The innermost value of an argument passed as a reference to a VARIANT, as script engines
// pass variables (and a handler's own by-reference arguments, a reference to a reference).
const VARIANT* Innermost(const VARIANT& argument) {
    const VARIANT* value = &argument;
    for (int depth = 0; depth < 8 && value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal; ++depth)
        value = value->pvarVal;
    return value;
}

// The arguments as the system's Invoke takes them without a conversion of its own:
// - an IUnknown given for an object parameter becomes that object's IDispatch, a
//   reference this copy holds and releases;
// - a reference to a VARIANT given for a plain parameter becomes the value it refers to
//   (or, for a by-reference parameter, a reference to that value), since the system's
//   conversion does not follow a reference to a reference.
class PreparedArguments {
public:
    PreparedArguments(ITypeInfo* info, const FUNCDESC& desc, const DISPPARAMS& params) : params_(params) {
        std::vector<SHORT> positions;  // declared parameter of each argument, first argument first
        for (SHORT i = 0; i < desc.cParams; ++i)
            if (!(desc.lprgelemdescParam[i].paramdesc.wParamFlags & (PARAMFLAG_FRETVAL | PARAMFLAG_FLCID)))
                positions.push_back(i);
        for (UINT slot = 0; slot < params.cArgs; ++slot) {
            // Named arguments come first in rgvarg; the put value is the last parameter.
            SHORT parameter = -1;
            if (slot < params.cNamedArgs) {
                if (params.rgdispidNamedArgs[slot] == DISPID_PROPERTYPUT && !positions.empty()) parameter = positions.back();
            } else {
                UINT order = params.cArgs - 1 - slot;  // 0 for the first positional argument
                if (order < positions.size()) parameter = positions[order];
            }
            if (parameter < 0) continue;
            const TYPEDESC& type = desc.lprgelemdescParam[parameter].tdesc;
            const VARIANT& argument = params.rgvarg[slot];
            if (argument.vt == VT_UNKNOWN && TakesObject(info, type)) {
                IDispatch* dispatch = nullptr;
                if (argument.punkVal && FAILED(argument.punkVal->QueryInterface(IID_PPV_ARGS(&dispatch)))) continue;
                Replace(slot, VT_DISPATCH).pdispVal = dispatch;
                held_.push_back(dispatch);
            } else if (argument.vt == (VT_BYREF | VT_VARIANT) && TakesPlainValue(type)) {
                Variant value;
                if (FAILED(VariantCopyInd(value.Ptr(), const_cast<VARIANT*>(Innermost(argument))))) continue;
                values_.push_back(std::move(value));
                Replace(slot, VT_EMPTY) = values_.back().Get();
            } else if (VARTYPE target = VT_EMPTY;
                       argument.vt == (VT_BYREF | VT_VARIANT) && PointsToPlain(type, target)) {
                // A variable of the parameter's type is passed by reference to its value; one of
                // another type gives a converted copy, which the callee may change.
                VARIANT* inner = const_cast<VARIANT*>(Innermost(argument));
                if (inner->vt == (VT_BYREF | target)) {
                    Replace(slot, inner->vt).byref = inner->byref;
                } else if (inner->vt == target) {
                    Replace(slot, VT_BYREF | target).byref = &inner->llVal;
                } else {
                    Variant value;
                    if (FAILED(VariantChangeType(value.Ptr(), inner, 0, target))) continue;
                    values_.push_back(std::move(value));
                    Replace(slot, VT_BYREF | target).byref = &values_.back().Ptr()->llVal;
                }
            }
        }
        if (!copy_.empty()) params_.rgvarg = copy_.data();
    }
    PreparedArguments(const PreparedArguments&) = delete;
    PreparedArguments& operator=(const PreparedArguments&) = delete;
    ~PreparedArguments() {
        for (IDispatch* dispatch : held_)
            if (dispatch) dispatch->Release();
    }
    DISPPARAMS* Params() { return &params_; }

private:
    // The copy's argument at `slot`, of type `type`; the caller's arguments stay as given.
    VARIANT& Replace(UINT slot, VARTYPE type) {
        if (copy_.empty()) copy_.assign(params_.rgvarg, params_.rgvarg + params_.cArgs);
        copy_[slot].vt = type;
        return copy_[slot];
    }

    DISPPARAMS params_;
    std::vector<VARIANT> copy_;
    std::vector<IDispatch*> held_;
    std::deque<Variant> values_;  // owns what the copy's dereferenced arguments hold
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
    PreparedArguments arguments(info, *desc, *params);
    return info->Invoke(instance, id, flags, arguments.Params(), result, exception, argError);
}

}  // namespace vel::com
