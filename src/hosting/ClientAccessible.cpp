#include "ClientAccessible.h"

namespace vel::hosting {

ClientAccessible::ClientAccessible(HWND window) {
    CreateStdAccessibleObject(window, OBJID_CLIENT, IID_PPV_ARGS(&standard_));
}

void ClientAccessible::Disconnect() { standard_.Reset(); }

HRESULT ClientAccessible::Text(const VARIANT& child, BSTR* out, std::optional<std::wstring> (ClientAccessible::*own)(),
                               HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*)) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!standard_) return RPC_E_DISCONNECTED;
    if (IsSelf(child))
        if (auto text = (this->*own)()) return SetText(*text, out);
    return (standard_.Get()->*standard)(child, out);
}

STDMETHODIMP ClientAccessible::get_accParent(IDispatch** parent) {
    return Forward(&IAccessible::get_accParent, parent);
}

STDMETHODIMP ClientAccessible::get_accChildCount(LONG* count) {
    return Forward(&IAccessible::get_accChildCount, count);
}

STDMETHODIMP ClientAccessible::get_accChild(VARIANT child, IDispatch** object) {
    return Forward(&IAccessible::get_accChild, child, object);
}

STDMETHODIMP ClientAccessible::get_accName(VARIANT child, BSTR* name) {
    return Text(child, name, &ClientAccessible::Name, &IAccessible::get_accName);
}

STDMETHODIMP ClientAccessible::get_accValue(VARIANT child, BSTR* value) {
    return Forward(&IAccessible::get_accValue, child, value);
}

STDMETHODIMP ClientAccessible::get_accDescription(VARIANT child, BSTR* description) {
    return Forward(&IAccessible::get_accDescription, child, description);
}

STDMETHODIMP ClientAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    if (!standard_) return RPC_E_DISCONNECTED;
    if (IsSelf(child))
        if (auto own = Role()) {
            SetLong(role, *own);
            return S_OK;
        }
    return standard_->get_accRole(child, role);
}

// The system's state bits of the window (focus, visibility) with the control's own.
STDMETHODIMP ClientAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    if (!standard_) return RPC_E_DISCONNECTED;
    HRESULT hr = standard_->get_accState(child, state);
    if (IsSelf(child) && SUCCEEDED(hr) && state->vt == VT_I4)
        if (auto own = State()) state->lVal = (state->lVal & ~(STATE_SYSTEM_UNAVAILABLE)) | *own;
    return hr;
}

STDMETHODIMP ClientAccessible::get_accHelp(VARIANT child, BSTR* help) {
    return Forward(&IAccessible::get_accHelp, child, help);
}

STDMETHODIMP ClientAccessible::get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) {
    return Forward(&IAccessible::get_accHelpTopic, file, child, topic);
}

STDMETHODIMP ClientAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return Text(child, shortcut, &ClientAccessible::KeyboardShortcut, &IAccessible::get_accKeyboardShortcut);
}

STDMETHODIMP ClientAccessible::get_accFocus(VARIANT* child) {
    return Forward(&IAccessible::get_accFocus, child);
}

STDMETHODIMP ClientAccessible::get_accSelection(VARIANT* children) {
    return Forward(&IAccessible::get_accSelection, children);
}

STDMETHODIMP ClientAccessible::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Text(child, action, &ClientAccessible::DefaultAction, &IAccessible::get_accDefaultAction);
}

STDMETHODIMP ClientAccessible::accSelect(LONG flags, VARIANT child) {
    return Forward(&IAccessible::accSelect, flags, child);
}

STDMETHODIMP ClientAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    return Forward(&IAccessible::accLocation, left, top, width, height, child);
}

STDMETHODIMP ClientAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    return Forward(&IAccessible::accNavigate, direction, start, end);
}

STDMETHODIMP ClientAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    return Forward(&IAccessible::accHitTest, x, y, child);
}

// The control's own action on the client area itself; the system's on a child window.
STDMETHODIMP ClientAccessible::accDoDefaultAction(VARIANT child) {
    if (!standard_) return RPC_E_DISCONNECTED;
    if (!IsSelf(child)) return standard_->accDoDefaultAction(child);
    // The action may release the last reference a client held.
    com::ComPtr<IAccessible> self(this);
    return DoDefaultAction() ? S_OK : DISP_E_MEMBERNOTFOUND;
}

}  // namespace vel::hosting
