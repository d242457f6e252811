#include "TypeFormatter.h"

#include <wrl/client.h>

namespace vel::reference {

namespace {

// nullptr for a type form code has no name for.
const wchar_t* BaseName(VARTYPE type) {
    switch (type) {
    case VT_I2: case VT_UI2: return L"Integer";
    case VT_I4: case VT_INT: case VT_UI4: case VT_UINT: case VT_ERROR: return L"Long";
    case VT_I8: case VT_UI8: return L"LongLong";
    case VT_DECIMAL: return L"Decimal";
    case VT_R4: return L"Single";
    case VT_R8: return L"Double";
    case VT_CY: return L"Currency";
    case VT_DATE: return L"Date";
    case VT_BSTR: return L"String";
    case VT_DISPATCH: return L"Object";
    case VT_BOOL: return L"Boolean";
    case VT_VARIANT: return L"Variant";
    case VT_UNKNOWN: return L"IUnknown";
    case VT_UI1: case VT_I1: return L"Byte";
    case VT_LPSTR: case VT_LPWSTR: return L"String";
    case VT_HRESULT: return L"HRESULT";
    case VT_VOID: return L"";
    default: return nullptr;
    }
}

}  // namespace

std::optional<std::wstring> TypeName(ITypeInfo* context, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR: return TypeName(context, *type.lptdesc);
    case VT_SAFEARRAY: {
        auto element = TypeName(context, *type.lptdesc);
        return element ? std::optional(*element + L"()") : std::nullopt;
    }
    case VT_USERDEFINED: {
        Microsoft::WRL::ComPtr<ITypeInfo> referenced = Referenced(context, type);
        BSTR name = nullptr;
        if (!referenced || FAILED(referenced->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)) || !name)
            return std::nullopt;
        std::wstring text = name;
        SysFreeString(name);
        return text;
    }
    default: {
        const wchar_t* name = BaseName(type.vt);
        return name ? std::optional<std::wstring>(name) : std::nullopt;
    }
    }
}

Microsoft::WRL::ComPtr<ITypeInfo> Referenced(ITypeInfo* context, const TYPEDESC& type) {
    const TYPEDESC* named = &type;
    while (named->vt == VT_PTR) named = named->lptdesc;
    Microsoft::WRL::ComPtr<ITypeInfo> referenced;
    if (named->vt != VT_USERDEFINED || FAILED(context->GetRefTypeInfo(named->hreftype, &referenced))) return nullptr;
    return referenced;
}

std::wstring ValueText(const VARIANT& value) {
    VARIANT text;
    VariantInit(&text);
    std::wstring result = L"?";
    if (SUCCEEDED(VariantChangeTypeEx(&text, const_cast<VARIANT*>(&value), LOCALE_INVARIANT, 0, VT_BSTR)))
        result = text.bstrVal;
    VariantClear(&text);
    return result;
}

}  // namespace vel::reference
