#include "TypeLibraryConstants.h"

#include <algorithm>

#include "Bstr.h"

using vel::com::Bstr;
using vel::com::ComPtr;
using vel::com::Variant;

namespace velform {
namespace {

// The type library of an object: from its class information, else from its IDispatch.
ComPtr<ITypeLib> LibraryOf(IUnknown* object) {
    ComPtr<ITypeInfo> info;
    ComPtr<IProvideClassInfo> classInfo;
    ComPtr<IDispatch> dispatch;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&classInfo)))) classInfo->GetClassInfo(&info);
    if (!info && SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&dispatch))))
        dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info);
    ComPtr<ITypeLib> library;
    UINT index = 0;
    if (info) info->GetContainingTypeLib(&library, &index);
    return library;
}

}  // namespace

std::wstring TypeLibraryConstants::Folded(const wchar_t* name) {
    std::wstring folded(name ? name : L"");
    if (!folded.empty()) CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

void TypeLibraryConstants::AddLibraryOf(IUnknown* object) {
    if (!object) return;
    if (auto library = LibraryOf(object)) AddLibrary(library.Get());
}

void TypeLibraryConstants::AddLibrary(ITypeLib* library) {
    TLIBATTR* attributes = nullptr;
    if (FAILED(library->GetLibAttr(&attributes))) return;
    GUID id = attributes->guid;
    library->ReleaseTLibAttr(attributes);
    if (std::find(libraries_.begin(), libraries_.end(), id) != libraries_.end()) return;
    libraries_.push_back(id);
    for (UINT i = 0, count = library->GetTypeInfoCount(); i < count; ++i) {
        TYPEKIND kind{};
        ComPtr<ITypeInfo> info;
        if (SUCCEEDED(library->GetTypeInfoType(i, &kind)) && (kind == TKIND_ENUM || kind == TKIND_MODULE) &&
            SUCCEEDED(library->GetTypeInfo(i, &info))) {
            AddConstants(info.Get());
        }
    }
}

void TypeLibraryConstants::AddConstants(ITypeInfo* info) {
    TYPEATTR* attributes = nullptr;
    if (FAILED(info->GetTypeAttr(&attributes))) return;
    WORD count = attributes->cVars;
    info->ReleaseTypeAttr(attributes);
    for (WORD i = 0; i < count; ++i) {
        VARDESC* variable = nullptr;
        if (FAILED(info->GetVarDesc(i, &variable))) continue;
        Bstr name;
        UINT found = 0;
        if (variable->varkind == VAR_CONST && variable->lpvarValue &&
            SUCCEEDED(info->GetNames(variable->memid, name.Out(), 1, &found)) && found == 1) {
            auto [entry, added] = ids_.emplace(Folded(name.Get()), static_cast<DISPID>(values_.size() + 1));
            if (added) values_.emplace_back(*variable->lpvarValue);
        }
        info->ReleaseVarDesc(variable);
    }
}

STDMETHODIMP TypeLibraryConstants::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP TypeLibraryConstants::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_POINTER;
    std::fill(ids, ids + count, DISPID_UNKNOWN);
    auto found = ids_.find(Folded(names[0]));
    if (found == ids_.end()) return DISP_E_UNKNOWNNAME;
    ids[0] = found->second;
    return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
}

STDMETHODIMP TypeLibraryConstants::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                          EXCEPINFO*, UINT*) {
    if (id < 1 || static_cast<size_t>(id) > values_.size()) return DISP_E_MEMBERNOTFOUND;
    if (!(flags & (DISPATCH_PROPERTYGET | DISPATCH_METHOD)) || (params && params->cArgs != 0))
        return DISP_E_MEMBERNOTFOUND;
    if (result) values_[id - 1].CopyTo(result);
    return S_OK;
}

}  // namespace velform
