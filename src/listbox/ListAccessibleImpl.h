#pragma once
#include "AccessibleImpl.h"
#include "ListAccessSource.h"

namespace vel::roster {

// What the list box's two accessible objects, the list and its header band, answer alike.
// Both answer from the list box while connected and fail every call with
// RPC_E_DISCONNECTED once it has disconnected them. Neither has help, a help topic or a
// keyboard shortcut; a value, a description and selecting are not there either unless the
// object answers them itself (DISP_E_MEMBERNOTFOUND). Both are lists: their items have the
// role Derived::kItemRole and the default action Derived::kItemAction (ItemAction carries it
// out); the object itself and its other children are lists with no default action.
// `Derived` resolves a child id into its own Target (Resolve) and says whether a target is
// an item (IsItem). A mixin for com::ComObject.
template <class Derived>
class ListAccessibleImpl : public hosting::AccessibleImpl {
public:
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override {
        ListboxView view;
        typename Derived::Target target;
        if (HRESULT hr = Begin(role, child, view, target); FAILED(hr)) return hr;
        hosting::SetLong(role, Derived::IsItem(target) ? Derived::kItemRole : ROLE_SYSTEM_LIST);
        return S_OK;
    }
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override {
        ListboxView view;
        typename Derived::Target target;
        if (HRESULT hr = Begin(action, child, view, target); FAILED(hr)) return hr;
        return Derived::IsItem(target) ? hosting::SetText(Derived::kItemAction, action) : S_FALSE;
    }
    STDMETHODIMP accDoDefaultAction(VARIANT child) override {
        ListboxView view;
        typename Derived::Target target;
        if (HRESULT hr = Find(child, view, target); FAILED(hr)) return hr;
        if (!Derived::IsItem(target)) return DISP_E_MEMBERNOTFOUND;
        // The action may release the last reference a client held.
        com::ComPtr<IAccessible> self(this);
        static_cast<Derived*>(this)->ItemAction(target);
        return S_OK;
    }
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

    // The list box's view, or RPC_E_DISCONNECTED.
    HRESULT View(ListboxView& view) const {
        if (!source_) return RPC_E_DISCONNECTED;
        view = source_->AccessView();
        return S_OK;
    }
    // The view and `child` resolved in it, or why not: RPC_E_DISCONNECTED, or Resolve's
    // E_INVALIDARG.
    template <class Target>
    HRESULT Find(const VARIANT& child, ListboxView& view, Target& target) const {
        if (HRESULT hr = View(view); FAILED(hr)) return hr;
        return static_cast<const Derived*>(this)->Resolve(child, view, target);
    }
    // Find for a member that answers in `out`: E_POINTER without it, else `out` emptied first.
    template <class Out, class Target>
    HRESULT Begin(Out* out, const VARIANT& child, ListboxView& view, Target& target) const {
        if (!out) return E_POINTER;
        Empty(out);
        return Find(child, view, target);
    }
    // The same for a member that names no child: the view alone.
    template <class Out>
    HRESULT Begin(Out* out, ListboxView& view) const {
        if (!out) return E_POINTER;
        Empty(out);
        return View(view);
    }
    // A point on the screen in the list box's client coordinates.
    POINT ClientPoint(LONG x, LONG y) const {
        POINT point{x, y};
        ScreenToClient(source_->AccessWindow(), &point);
        return point;
    }
    static void Empty(BSTR* out) { *out = nullptr; }
    static void Empty(IDispatch** out) { *out = nullptr; }
    static void Empty(VARIANT* out) { VariantInit(out); }
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
