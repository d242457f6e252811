#pragma once
#include <windows.h>
#include <unknwn.h>

#include "ComObject.h"

namespace vel::com {

// Creates one class: `create` returns a new object's IUnknown (one reference).
class ClassFactory : public ComObject<ClassFactory, IClassFactory> {
public:
    using Creator = HRESULT (*)(IUnknown** object);
    explicit ClassFactory(Creator create) : create_(create) {}

    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    Creator create_;
};

// Answers DllGetClassObject for the classes in `classes`.
struct CreatableClass {
    const CLSID* clsid;
    ClassFactory::Creator create;
};
HRESULT GetClassObject(const CreatableClass* classes, size_t count, REFCLSID clsid, REFIID iid, void** out);

}  // namespace vel::com
