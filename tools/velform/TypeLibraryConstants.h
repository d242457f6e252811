#pragma once
#include <ocidl.h>
#include <map>
#include <string>
#include <vector>

#include "ComObject.h"
#include "Variant.h"

namespace velform {

// The enumeration constants of the controls' type libraries by name, for the
// form code: a named item whose members the script engine sees as global names
// (Wine's VBScript does not import a control's type library itself). Names the
// code declares itself take precedence over these.
class TypeLibraryConstants : public vel::com::ComObject<TypeLibraryConstants, IDispatch> {
public:
    // Adds the constants of the type library that describes `object` (once per library).
    void AddLibraryOf(IUnknown* object);
    size_t Count() const { return values_.size(); }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

private:
    void AddLibrary(ITypeLib* library);
    void AddConstants(ITypeInfo* info);
    static std::wstring Folded(const wchar_t* name);

    std::vector<GUID> libraries_;
    std::map<std::wstring, DISPID> ids_;  // by upper-cased name
    std::vector<vel::com::Variant> values_;  // DISPID n is values_[n - 1]
};

}  // namespace velform
