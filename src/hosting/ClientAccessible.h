#pragma once
#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string>

#include "AccessibleImpl.h"
#include "ComObject.h"

namespace vel::hosting {

// The accessible object of a control's client area whose children are plain windows:
// the system's own client object answers navigation, children, hit tests and location,
// and a derived class answers what the control itself knows of its client area (name,
// role, state, shortcut, default action). It holds no reference to the control: the
// control disconnects it when its window goes, and every call after that fails with
// RPC_E_DISCONNECTED.
class ClientAccessible : public com::ComObject<ClientAccessible, AccessibleImpl> {
public:
    explicit ClientAccessible(HWND window);

    // The control is going: the object answers nothing from now on.
    void Disconnect();
    bool Connected() const { return standard_ != nullptr; }

    // The system's answers.
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(LONG* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override;
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override;
    // The control's own answers for the client area itself, where it has them.
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;

protected:
    // What the control says of its client area; nullopt leaves the system's answer.
    virtual std::optional<std::wstring> Name() { return std::nullopt; }
    virtual std::optional<LONG> Role() { return std::nullopt; }
    virtual std::optional<LONG> State() { return std::nullopt; }
    virtual std::optional<std::wstring> KeyboardShortcut() { return std::nullopt; }
    virtual std::optional<std::wstring> DefaultAction() { return std::nullopt; }
    // Carries out the default action; false when the control has none now.
    virtual bool DoDefaultAction() { return false; }

private:
    static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }
    // The system object's `member`, once it is there.
    template <class Member, class... Args>
    HRESULT Forward(Member member, Args... args) {
        if (!standard_) return RPC_E_DISCONNECTED;
        return (standard_.Get()->*member)(args...);
    }
    HRESULT Text(const VARIANT& child, BSTR* out, std::optional<std::wstring> (ClientAccessible::*own)(),
                 HRESULT (STDMETHODCALLTYPE IAccessible::*standard)(VARIANT, BSTR*));

    com::ComPtr<IAccessible> standard_;
};

}  // namespace vel::hosting
