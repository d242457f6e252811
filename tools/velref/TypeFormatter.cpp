#include "TypeFormatter.h"

#include <wrl/client.h>

namespace vel::reference {

namespace {

const wchar_t* BaseName(VARTYPE type) {
    switch (type) {
    case VT_I2: return L"Integer";
    case VT_I4: case VT_INT: return L"Long";
    case VT_R4: return L"Single";
    case VT_R8: return L"Double";
    case VT_CY: return L"Currency";
    case VT_DATE: return L"Date";
    case VT_BSTR: return L"String";
    case VT_DISPATCH: return L"Object";
    case VT_BOOL: return L"Boolean";
    case VT_VARIANT: return L"Variant";
    case VT_UNKNOWN: return L"IUnknown";
    case VT_UI1: return L"Byte";
    case VT_HRESULT: return L"HRESULT";
    case VT_VOID: return L"";
    default: return L"?";
    }
}

}  // namespace

std::wstring TypeName(ITypeInfo* context, const TYPEDESC& type) {
    switch (type.vt) {
    case VT_PTR: return TypeName(context, *type.lptdesc);
    case VT_SAFEARRAY: return TypeName(context, *type.lptdesc) + L"()";
    case VT_USERDEFINED: {
        Microsoft::WRL::ComPtr<ITypeInfo> referenced;
        BSTR name = nullptr;
        if (FAILED(context->GetRefTypeInfo(type.hreftype, &referenced)) ||
            FAILED(referenced->GetDocumentation(MEMBERID_NIL, &name, nullptr, nullptr, nullptr)))
            return L"?";
        std::wstring text = name;
        SysFreeString(name);
        return text;
    }
    default: return BaseName(type.vt);
    }
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
