#pragma once
#include "AccessibleImpl.h"
#include "ListAccessSource.h"

namespace vel::roster {

// What the list box's two accessible objects, the list and its header band, answer alike.
// Both answer from the list box while connected and fail every call with
// RPC_E_DISCONNECTED once it has disconnected them. Neither has help, a help topic or a
// keyboard shortcut; a value, a description and selecting are not there either unless the
// object answers them itself (DISP_E_MEMBERNOTFOUND). `Derived` resolves a child id into
// its own Target (Resolve). A mixin for com::ComObject.
template <class Derived>
class ListAccessibleImpl : public hosting::AccessibleImpl {
public:
    bool Connected() const { return source_ != nullptr; }

    STDMETHODIMP get_accValue(VARIANT, BSTR* value) override { return NotFound(value); }
    STDMETHODIMP get_accDescription(VARIANT, BSTR* description) override { return NotFound(description); }
    STDMETHODIMP get_accHelp(VARIANT, BSTR* help) override { return NotFound(help); }
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT, LONG*) override {
        if (file) *file = nullptr;
        return NotFound();
    }
    STDMETHODIMP get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override { return NotFound(shortcut); }
    STDMETHODIMP accSelect(LONG, VARIANT) override { return NotFound(); }

protected:
    ~ListAccessibleImpl() = default;

    // The list box's view and `child` resolved in it, or why not: RPC_E_DISCONNECTED, or
    // Resolve's E_INVALIDARG.
    template <class Target>
    HRESULT Find(const VARIANT& child, ListboxView& view, Target& target) const {
        if (!source_) return RPC_E_DISCONNECTED;
        view = source_->AccessView();
        return static_cast<const Derived*>(this)->Resolve(child, view, target);
    }
    // A member the object does not answer.
    HRESULT NotFound() const { return source_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED; }
    HRESULT NotFound(BSTR* out) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        return NotFound();
    }

    // Set by the derived object when it is made; nullptr once disconnected.
    ListAccessSource* source_ = nullptr;
};

}  // namespace vel::roster
