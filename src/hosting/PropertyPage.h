#pragma once
#include "ComObject.h"
#include "PropertyPageBase.h"

namespace vel::hosting {

// COM identity of a property page class; the page itself derives from this.
template <class Derived>
class PropertyPage : public com::ComObject<Derived, PropertyPageBase> {
protected:
    bool QueryExtra(REFIID iid, void** out) override {
        if (iid != IID_IPropertyPage) return false;
        *out = static_cast<IPropertyPage*>(this);
        return true;
    }
};

// The ClassFactory creator of a property page class.
template <class T>
HRESULT CreatePage(IUnknown** object) {
    try {
        *object = static_cast<IPropertyPage2*>(com::Make<T>().Detach());
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace vel::hosting
