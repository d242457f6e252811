#pragma once
// A minimal container of our own for driving a control directly: a client site that
// answers chosen ambient properties, an in-place site inside a real window, the host
// services, and a property-change sink that records what it hears.
#include <windows.h>
#include <ocidl.h>
#include <map>
#include <string>
#include <vector>

#include "ComObject.h"
#include "HostServices_h.h"
#include "Variant.h"

namespace vel::test {

class TestContainer : public com::ComObject<TestContainer, IOleClientSite, IOleInPlaceSite, IDispatch,
                                            IPropertyNotifySink, IVelHostServices> {
public:
    TestContainer();
    ~TestContainer() override;

    // Ambient properties answered by DISPID; others fail as from a container without them.
    std::map<DISPID, com::Variant> ambients;
    std::vector<DISPID> changes;
    std::vector<std::wstring> messages;  // "text|title" of each message box shown through the host
    std::vector<long> messageStyles;
    HWND Window() const { return window_; }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer**) override { return E_NOINTERFACE; }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleInPlaceSite
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP CanInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override;
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return S_OK; }
    STDMETHODIMP DeactivateAndUndo() override { return S_OK; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }
    // IDispatch (ambient properties)
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override;
    // IPropertyNotifySink
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }
    // IVelHostServices
    STDMETHODIMP ShowMessage(BSTR text, BSTR title, long style, long* answer) override;
    STDMETHODIMP ContainedControls(IUnknown*, IEnumUnknown**) override { return E_NOTIMPL; }

private:
    HWND window_ = nullptr;
};

}  // namespace vel::test
