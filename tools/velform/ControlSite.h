#pragma once
#include <ocidl.h>
#include <servprov.h>
#include <string>

#include "ComObject.h"
#include "EventConnection.h"
#include "FormFile.h"
#include "HostServices_h.h"
#include "PropertyBag.h"
#include "SiteOwner.h"

namespace velform {

// The site of one control on a form: client site, in-place site, control site,
// ambient properties (through its IDispatch), property-change sink and the
// host services. It creates the control, in-place activates it in its parent
// window, connects its events and saves and loads its properties.
class ControlSite
    : public vel::com::ComObject<ControlSite, IOleClientSite, IOleInPlaceSiteEx, IOleControlSite, IDispatch,
                                 IPropertyNotifySink, IVelHostServices, IServiceProvider> {
public:
    ControlSite(SiteOwner& owner, ControlDeclaration declaration);

    // Creates the control; with `saved` it loads those properties, else it starts new.
    void Create(HWND parent, PropertyBag* saved);
    void Close();
    vel::com::ComPtr<PropertyBag> Save();
    void AmbientChanged(DISPID id);
    // New bounds in the parent window, in pixels: the control gets its new extent and rectangles.
    void Move(const RECT& bounds);
    // The DisplayName ambient: the control's name unless form code gave another.
    const std::wstring& DisplayName() const { return displayName_.empty() ? Name() : displayName_; }
    void SetDisplayName(std::wstring name);

    const std::wstring& Name() const { return declaration_.name; }
    const ControlDeclaration& Declaration() const { return declaration_; }
    IDispatch* Dispatch() const { return dispatch_.Get(); }
    IUnknown* Object() const { return object_.Get(); }
    // The control's own window (its in-place window), or null before activation.
    HWND Window() const { return window_; }
    // The window the controls inside this one are placed in.
    HWND ContainerWindow() const { return window_ ? window_ : parent_; }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return S_OK; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP GetContainer(IOleContainer** container) override;
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleInPlaceSiteEx
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
    STDMETHODIMP OnPosRectChange(LPCRECT position) override;
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD) override;
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL) override { return S_OK; }
    STDMETHODIMP RequestUIActivate() override { return S_OK; }

    // IOleControlSite
    STDMETHODIMP OnControlInfoChanged() override { return S_OK; }
    STDMETHODIMP LockInPlaceActive(BOOL) override { return S_OK; }
    STDMETHODIMP GetExtendedControl(IDispatch**) override { return E_NOTIMPL; }
    STDMETHODIMP TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) override;
    STDMETHODIMP TranslateAccelerator(MSG*, DWORD) override { return S_FALSE; }
    STDMETHODIMP OnFocus(BOOL) override { return S_OK; }
    STDMETHODIMP ShowPropertyFrame() override;

    // IDispatch: the ambient properties.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                        UINT*) override;

    // IPropertyNotifySink
    STDMETHODIMP OnChanged(DISPID id) override;
    STDMETHODIMP OnRequestEdit(DISPID) override { return S_OK; }

    // IVelHostServices
    STDMETHODIMP ShowMessage(BSTR text, BSTR title, long style, long* result) override;
    STDMETHODIMP ContainedControls(IUnknown* control, IEnumUnknown** controls) override;

    // IServiceProvider: the host services by service id as well.
    STDMETHODIMP QueryService(REFGUID service, REFIID iid, void** out) override;

protected:
    // The in-place site's base interfaces, answered by IOleInPlaceSiteEx.
    bool QueryExtra(REFIID iid, void** out) override;

private:
    void StartProperties(PropertyBag* saved);
    void ConnectEvents();
    void ConnectPropertyNotifications();
    void Activate();
    void SetExtent();
    std::wstring PropertyName(DISPID id) const;

    SiteOwner& owner_;
    ControlDeclaration declaration_;
    std::wstring displayName_;
    HWND parent_ = nullptr;
    HWND window_ = nullptr;
    vel::com::ComPtr<IOleObject> object_;
    vel::com::ComPtr<IDispatch> dispatch_;
    EventConnection events_;
    vel::com::ComPtr<IConnectionPoint> notifyPoint_;
    DWORD notifyCookie_ = 0;
};

}  // namespace velform
