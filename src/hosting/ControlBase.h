#pragma once
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <wrl/client.h>

#include "AmbientProperties.h"
#include "ConnectionPoint.h"
#include "DrawingSurface.h"
#include "HostServices_h.h"
#include "InPlaceActivation.h"
#include "PropertyBag.h"
#include "StreamPersistence.h"
#include "Variant.h"

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// OLEMISC flags every control registers and answers.
constexpr DWORD kControlMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
                                     OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;

// The OLE control protocol shared by every control, and the facilities a control
// builds on: lifecycle notifications, the property bag, property-changed
// notification, ambient properties, the drawing surface, events and the host's
// message box. A control derives from Control<...> (Control.h), which adds COM
// identity; this part carries no type of its own.
//
// Lifecycle: Initialize comes first (the window exists from here on), then exactly
// one of InitProperties and ReadProperties; Resize, Paint, focus, Show and
// AmbientChanged only after that; WriteProperties whenever the container saves;
// Terminate last, when the final reference goes.
class ControlBase : public IOleObject,
                    public IOleInPlaceObject,
                    public IOleInPlaceActiveObject,
                    public IOleControl,
                    public IViewObject2,
                    public IPersistPropertyBag,
                    public ISpecifyPropertyPages,
                    public IConnectionPointContainer,
                    private ControlWindow::Listener {
public:
    using Interface = IOleObject;

    // IOleObject
    STDMETHODIMP SetClientSite(IOleClientSite* site) override;
    STDMETHODIMP GetClientSite(IOleClientSite** site) override;
    STDMETHODIMP SetHostNames(LPCOLESTR, LPCOLESTR) override;
    STDMETHODIMP Close(DWORD saveOption) override;
    STDMETHODIMP SetMoniker(DWORD, IMoniker*) override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    STDMETHODIMP InitFromData(IDataObject*, BOOL, DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP GetClipboardData(DWORD, IDataObject**) override { return E_NOTIMPL; }
    STDMETHODIMP DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT position) override;
    STDMETHODIMP EnumVerbs(IEnumOLEVERB** verbs) override;
    STDMETHODIMP Update() override { return S_OK; }
    STDMETHODIMP IsUpToDate() override { return S_OK; }
    STDMETHODIMP GetUserClassID(CLSID* clsid) override;
    STDMETHODIMP GetUserType(DWORD form, LPOLESTR* type) override;
    STDMETHODIMP SetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP GetExtent(DWORD aspect, SIZEL* size) override;
    STDMETHODIMP Advise(IAdviseSink* sink, DWORD* cookie) override;
    STDMETHODIMP Unadvise(DWORD cookie) override;
    STDMETHODIMP EnumAdvise(IEnumSTATDATA** advises) override;
    STDMETHODIMP GetMiscStatus(DWORD aspect, DWORD* status) override;
    STDMETHODIMP SetColorScheme(LOGPALETTE*) override { return E_NOTIMPL; }

    // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP InPlaceDeactivate() override;
    STDMETHODIMP UIDeactivate() override;
    STDMETHODIMP SetObjectRects(LPCRECT position, LPCRECT clip) override;
    STDMETHODIMP ReactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(LPMSG) override { return S_FALSE; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }

    // IOleControl
    STDMETHODIMP GetControlInfo(CONTROLINFO* info) override;
    STDMETHODIMP OnMnemonic(MSG*) override { return E_NOTIMPL; }
    STDMETHODIMP OnAmbientPropertyChange(DISPID id) override;
    STDMETHODIMP FreezeEvents(BOOL freeze) override;

    // IViewObject2
    STDMETHODIMP Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                      BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) override;
    STDMETHODIMP GetColorSet(DWORD, LONG, void*, DVTARGETDEVICE*, HDC, LOGPALETTE**) override { return S_FALSE; }
    STDMETHODIMP Freeze(DWORD, LONG, void*, DWORD*) override { return E_NOTIMPL; }
    STDMETHODIMP Unfreeze(DWORD) override { return E_NOTIMPL; }
    STDMETHODIMP SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    STDMETHODIMP GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    STDMETHODIMP GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) override;

    // IPersistPropertyBag
    STDMETHODIMP GetClassID(CLSID* clsid) override;
    STDMETHODIMP InitNew() override;
    STDMETHODIMP Load(IPropertyBag* bag, IErrorLog* log) override;
    STDMETHODIMP Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;

    // ISpecifyPropertyPages
    STDMETHODIMP GetPages(CAUUID* pages) override;

    // IConnectionPointContainer: the control's events and IPropertyNotifySink.
    STDMETHODIMP EnumConnectionPoints(IEnumConnectionPoints** points) override;
    STDMETHODIMP FindConnectionPoint(REFIID iid, IConnectionPoint** point) override;

    // Lifecycle, driven by the control's creation and final release (Control.h).
    void Initialize();
    void Terminate();
    bool QueryControlInterface(REFIID iid, void** out);

    // Persistence shared by the property bag and the stream.
    HRESULT InitProperties();
    HRESULT ReadProperties(IPropertyBag* bag);
    HRESULT WriteProperties(IPropertyBag* bag, bool clearDirty);
    bool Dirty() const { return dirty_; }
    void MarkClean() { dirty_ = false; }
    void ContainerCall(const wchar_t* method) { OnContainerCall(method); }

protected:
    ControlBase(const CLSID& clsid, const IID& dual, const IID& events);
    virtual ~ControlBase();

    // Notifications to the control. Errors thrown from them are contained.
    virtual void OnInitialize() {}
    virtual void OnInitProperties() {}
    virtual void OnReadProperties(PropertyBag&) {}
    virtual void OnWriteProperties(PropertyBag&) {}
    virtual void OnShow() {}
    virtual void OnResize() {}
    // Draws the control on `dc` (the window's own DC, or a memory DC for a container
    // that asks for a picture), sized ScaleWidth x ScaleHeight.
    virtual void OnPaint(HDC) {}
    virtual void OnAmbientChanged(std::wstring_view) {}
    virtual void OnGotFocus() {}
    virtual void OnLostFocus() {}
    virtual void OnTerminate() {}
    // Input and other window messages; answer a result to stop default processing.
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }
    virtual std::vector<CLSID> PropertyPages() const { return {}; }
    // The drop target registered while the OLE drop mode is manual.
    virtual IDropTarget* DropTarget() { return nullptr; }
    // Each container call as it enters the control, for diagnostics.
    virtual void OnContainerCall(const wchar_t*) {}
    // A control without a face of its own at run time: it answers
    // OLEMISC_INVISIBLEATRUNTIME and keeps its window hidden in user mode.
    virtual bool InvisibleAtRunTime() const { return false; }

    // Facilities.
    DrawingSurface& Surface() { return *surface_; }
    const DrawingSurface& Surface() const { return *surface_; }
    AmbientProperties Ambient() const { return AmbientProperties(clientSite_.Get()); }
    ComPtr<IOleClientSite> ClientSite() const { return clientSite_; }
    // Tells the container that a property (or a persisted aspect such as "Columns")
    // changed: IPropertyNotifySink::OnChanged, and the control becomes dirty.
    void PropertyChanged(std::wstring_view name);
    // Raises event `id` to every connected sink, unless the container froze events.
    void RaiseEvent(DISPID id, std::vector<com::Variant> arguments);
    // A message box through the container's IVelHostServices (which gives it the
    // application's title unless `title` is given), else the system's.
    int ShowMessage(std::wstring_view text, UINT style, const wchar_t* title = nullptr);
    static std::wstring ApplicationTitle();
    std::vector<ComPtr<IUnknown>> ContainedControls();
    // Container units (the ambient ScaleUnits) and the container's client size in them.
    ScaleUnit ContainerUnit() const;
    double ContainerScaleWidth() const;
    double ContainerScaleHeight() const;
    // OLE drag and drop: 0 none, 1 manual (the control's DropTarget is registered).
    short OleDropMode() const { return oleDropMode_; }
    void SetOleDropMode(short mode);
    HRESULT StartOleDrag(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect);
    bool Configured() const { return configured_; }
    bool EventsFrozen() const { return freezeCount_ > 0; }

private:
    std::optional<LRESULT> OnWindowMessage(HWND window, UINT message, WPARAM w, LPARAM l) override;
    std::optional<LRESULT> OnFocusChange(bool gained);
    void PaintWindow();
    void EnsureConfigured();
    HRESULT Activate(bool ui);
    void ApplyRunTimeVisibility();
    bool HasPropertyPages();
    HRESULT ShowPropertyPages(HWND owner);
    DISPID DispatchIdOf(std::wstring_view name) const;
    ComPtr<IVelHostServices> HostServices() const;
    IUnknown* Self() { return static_cast<IOleObject*>(this); }
    template <class Body>
    void Notify(Body&& body);

    CLSID clsid_;
    IID dual_;
    StreamPersistence streamPersistence_;
    com::ConnectionPoint events_;
    com::ConnectionPoint propertyNotify_;
    std::optional<DrawingSurface> surface_;
    std::optional<InPlaceActivation> activation_;
    ComPtr<IOleClientSite> clientSite_;
    ComPtr<IOleAdviseHolder> adviseHolder_;
    ComPtr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    SIZEL extent_{2540, 2540};
    long freezeCount_ = 0;
    short oleDropMode_ = 0;
    bool dropRegistered_ = false;
    bool initialized_ = false;
    bool configured_ = false;
    bool terminated_ = false;
    bool dirty_ = false;
};

}  // namespace vel::hosting
