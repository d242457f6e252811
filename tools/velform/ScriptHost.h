#pragma once
#include <activscp.h>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ComObject.h"
#include "ScriptFailure.h"

namespace velform {

// Runs the code behind a form in the VBScript engine, with named items for the
// controls and the Host object. Errors the engine reports are kept, the first of
// them as the failure of the running code. In test mode the engine shows no UI.
class ScriptHost : public vel::com::ComObject<ScriptHost, IActiveScriptSite, IActiveScriptSiteWindow,
                                              IActiveScriptSiteUIControl> {
public:
    ScriptHost(HWND window, bool testMode) : window_(window), testMode_(testMode) {}

    // `globalMembers`: the code sees the item's members as global names.
    void AddItem(const std::wstring& name, IUnknown* object, bool globalMembers = false);
    // Starts the engine on `code` and runs its global statements.
    bool Start(const std::wstring& code);
    // Calls a Sub without arguments; false when it failed.
    bool Call(const std::wstring& name);
    vel::com::ComPtr<IDispatch> Dispatch() const;
    void Close();

    // An assertion of the Host that failed: it becomes the message of the failure
    // the engine reports next.
    void NoteAssertion(std::wstring message) { assertion_ = std::move(message); }
    const std::optional<ScriptFailure>& Failure() const { return failure_; }

    // IActiveScriptSite
    STDMETHODIMP GetLCID(LCID* locale) override;
    STDMETHODIMP GetItemInfo(LPCOLESTR name, DWORD mask, IUnknown** item, ITypeInfo** info) override;
    STDMETHODIMP GetDocVersionString(BSTR* version) override;
    STDMETHODIMP OnScriptTerminate(const VARIANT*, const EXCEPINFO*) override { return S_OK; }
    STDMETHODIMP OnStateChange(SCRIPTSTATE) override { return S_OK; }
    STDMETHODIMP OnScriptError(IActiveScriptError* error) override;
    STDMETHODIMP OnEnterScript() override { return S_OK; }
    STDMETHODIMP OnLeaveScript() override { return S_OK; }

    // IActiveScriptSiteWindow
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IActiveScriptSiteUIControl
    STDMETHODIMP GetUIBehavior(SCRIPTUICITEM item, SCRIPTUICHANDLING* handling) override;

private:
    void RecordFailure(std::wstring message, unsigned long line);

    HWND window_;
    bool testMode_;
    vel::com::ComPtr<IActiveScript> engine_;
    struct Item {
        std::wstring name;
        vel::com::ComPtr<IUnknown> object;
        DWORD flags;
    };
    std::vector<Item> items_;
    std::optional<std::wstring> assertion_;
    std::optional<ScriptFailure> failure_;
};

}  // namespace velform
