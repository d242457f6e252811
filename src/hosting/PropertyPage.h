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

}  // namespace vel::hosting
