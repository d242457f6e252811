#include "ClassFactory.h"

namespace vel::com {

STDMETHODIMP ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    ComPtr<IUnknown> object;
    HRESULT hr = create_(object.GetAddressOf());
    return FAILED(hr) ? hr : object->QueryInterface(iid, out);
}

STDMETHODIMP ClassFactory::LockServer(BOOL lock) {
    Module::LockServer(lock != FALSE);
    return S_OK;
}

HRESULT GetClassObject(const CreatableClass* classes, size_t count, REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (size_t i = 0; i < count; ++i) {
        if (*classes[i].clsid != clsid) continue;
        try {
            return Make<ClassFactory>(classes[i].create)->QueryInterface(iid, out);
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace vel::com
