#include "ControlBase.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "AutomationError.h"
#include "Boundary.h"
#include "Bstr.h"
#include "HostMessage.h"
#include "Module.h"
#include "OffscreenSurface.h"
#include "SelectedObject.h"
#include "SnapshotEnumerator.h"

namespace vel::hosting {
namespace {

LONG PixelsToHimetric(LONG pixels, bool horizontal) {
    double himetric = horizontal ? DrawingSurface::ScaleX(pixels, ScaleUnit::Pixel, ScaleUnit::Himetric)
                                 : DrawingSurface::ScaleY(pixels, ScaleUnit::Pixel, ScaleUnit::Himetric);
    return static_cast<LONG>(himetric + 0.5);
}

ScaleUnit UnitNamed(const std::wstring& name) {
    static const struct {
        const wchar_t* name;
        ScaleUnit unit;
    } units[] = {{L"Twip", ScaleUnit::Twip}, {L"Point", ScaleUnit::Point}, {L"Pixel", ScaleUnit::Pixel},
                 {L"Character", ScaleUnit::Character}, {L"Inch", ScaleUnit::Inch},
                 {L"Millimeter", ScaleUnit::Millimeter}, {L"Centimeter", ScaleUnit::Centimeter},
                 {L"Himetric", ScaleUnit::Himetric}};
    for (auto& u : units)
        if (CompareStringOrdinal(u.name, -1, name.c_str(), -1, TRUE) == CSTR_EQUAL) return u.unit;
    return ScaleUnit::Pixel;
}

// One verb of the control's menu in a container; the enumerator hands each name
// out in task memory, which the caller frees.
struct VerbElement {
    struct Stored {
        LONG verb;
        std::wstring name;
        DWORD attributes;
    };
    using Out = OLEVERB;
    static void Copy(const Stored& from, Out* to) {
        size_t bytes = (from.name.size() + 1) * sizeof(wchar_t);
        auto* name = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
        if (!name) throw std::bad_alloc();
        memcpy(name, from.name.c_str(), bytes);
        *to = {from.verb, name, MF_STRING | MF_ENABLED, from.attributes};
    }
};

// BeginPaint and EndPaint around one WM_PAINT.
class PaintScope {
public:
    explicit PaintScope(HWND window) : window_(window) { BeginPaint(window, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    ~PaintScope() { EndPaint(window_, &paint_); }
    HDC Dc() const { return paint_.hdc; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
};

}  // namespace

ControlBase::ControlBase(const CLSID& clsid, const IID& dual, const IID& events)
    : clsid_(clsid), dual_(dual), streamPersistence_(*this), events_(*this, events), propertyNotify_(*this, IID_IPropertyNotifySink, false) {}

ControlBase::~ControlBase() = default;

// Runs a notification of the control; an error it throws stops there and no further.
template <class Body>
void ControlBase::Notify(Body&& body) {
    com::Guarded(dual_, std::forward<Body>(body));
}

void ControlBase::Initialize() {
    if (initialized_) return;
    surface_.emplace(static_cast<ControlWindow::Listener&>(*this));
    activation_.emplace(surface_->Window(), static_cast<IOleInPlaceActiveObject&>(*this));
    initialized_ = true;
    OnInitialize();
}

void ControlBase::Terminate() {
    if (terminated_ || !initialized_) return;
    terminated_ = true;
    Notify([&] { OnTerminate(); });
    activation_->Deactivate();
    if (dropRegistered_) RevokeDragDrop(surface_->Hwnd());
    dropRegistered_ = false;
    events_.DisconnectAll();
    propertyNotify_.DisconnectAll();
    viewSink_.Reset();
    adviseHolder_.Reset();
    clientSite_.Reset();
    activation_.reset();
    surface_.reset();
}

bool ControlBase::QueryControlInterface(REFIID iid, void** out) {
    if (iid == IID_IOleObject) *out = static_cast<IOleObject*>(this);
    else if (iid == IID_IOleInPlaceObject || iid == IID_IOleWindow) *out = static_cast<IOleInPlaceObject*>(this);
    else if (iid == IID_IOleInPlaceActiveObject) *out = static_cast<IOleInPlaceActiveObject*>(this);
    else if (iid == IID_IOleControl) *out = static_cast<IOleControl*>(this);
    else if (iid == IID_IViewObject || iid == IID_IViewObject2) *out = static_cast<IViewObject2*>(this);
    else if (iid == IID_IPersist || iid == IID_IPersistPropertyBag) *out = static_cast<IPersistPropertyBag*>(this);
    else if (iid == IID_IPersistStreamInit || iid == IID_IPersistStream) *out = &streamPersistence_;
    else if (iid == IID_ISpecifyPropertyPages) *out = static_cast<ISpecifyPropertyPages*>(this);
    else if (iid == IID_IConnectionPointContainer) *out = static_cast<IConnectionPointContainer*>(this);
    else return false;
    return true;
}

// ---- persistence ----------------------------------------------------------------

HRESULT ControlBase::InitProperties() {
    if (configured_) return E_UNEXPECTED;
    configured_ = true;
    Notify([&] { OnInitProperties(); });
    dirty_ = false;
    return S_OK;
}

HRESULT ControlBase::ReadProperties(IPropertyBag* bag) {
    if (!bag) return E_POINTER;
    if (configured_) return E_UNEXPECTED;
    configured_ = true;
    PropertyBag properties(bag);
    HRESULT hr = com::Guarded(dual_, [&] { OnReadProperties(properties); });
    dirty_ = false;
    return hr;
}

HRESULT ControlBase::WriteProperties(IPropertyBag* bag, bool clearDirty) {
    if (!bag) return E_POINTER;
    EnsureConfigured();
    PropertyBag properties(bag);
    HRESULT hr = com::Guarded(dual_, [&] { OnWriteProperties(properties); });
    if (SUCCEEDED(hr) && clearDirty) dirty_ = false;
    return hr;
}

void ControlBase::EnsureConfigured() {
    // A container that never called InitNew or Load gets a new control's defaults.
    if (!configured_) InitProperties();
}

STDMETHODIMP ControlBase::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

STDMETHODIMP ControlBase::InitNew() {
    OnContainerCall(L"IPersistPropertyBag::InitNew");
    return InitProperties();
}

STDMETHODIMP ControlBase::Load(IPropertyBag* bag, IErrorLog*) {
    OnContainerCall(L"IPersistPropertyBag::Load");
    return ReadProperties(bag);
}

STDMETHODIMP ControlBase::Save(IPropertyBag* bag, BOOL clearDirty, BOOL) {
    OnContainerCall(L"IPersistPropertyBag::Save");
    return WriteProperties(bag, clearDirty != FALSE);
}

// ---- IOleObject -----------------------------------------------------------------

STDMETHODIMP ControlBase::SetClientSite(IOleClientSite* site) {
    OnContainerCall(L"IOleObject::SetClientSite");
    if (!site && activation_) activation_->Deactivate();
    clientSite_ = site;
    return S_OK;
}

STDMETHODIMP ControlBase::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    *site = clientSite_.Get();
    if (*site) (*site)->AddRef();
    return S_OK;
}

STDMETHODIMP ControlBase::SetHostNames(LPCOLESTR, LPCOLESTR) {
    OnContainerCall(L"IOleObject::SetHostNames");
    return S_OK;
}

STDMETHODIMP ControlBase::Close(DWORD saveOption) {
    OnContainerCall(L"IOleObject::Close");
    if (!activation_) return S_OK;
    if (saveOption == OLECLOSE_SAVEIFDIRTY && dirty_ && clientSite_) clientSite_->SaveObject();
    activation_->Deactivate();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

HRESULT ControlBase::Activate(bool ui) {
    if (!activation_) return E_UNEXPECTED;
    EnsureConfigured();
    bool wasActive = activation_->Active();
    ApplyRunTimeVisibility();
    HRESULT hr = activation_->Activate(clientSite_.Get());
    if (FAILED(hr)) return hr;
    if (!wasActive) Notify([&] { OnShow(); });
    return ui ? activation_->ActivateUI() : S_OK;
}

STDMETHODIMP ControlBase::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent, LPCRECT position) {
    OnContainerCall(L"IOleObject::DoVerb");
    if (site && !clientSite_) clientSite_ = site;
    if (position && activation_ && !activation_->Active()) activation_->Move(*position);
    switch (verb) {
    case OLEIVERB_INPLACEACTIVATE: return Activate(false);
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_OPEN:
    case OLEIVERB_UIACTIVATE: return Activate(true);
    case OLEIVERB_HIDE:
        if (activation_) activation_->Deactivate();
        return S_OK;
    case OLEIVERB_PROPERTIES: return ShowPropertyPages(parent);
    default: return OLEOBJ_S_INVALIDVERB;
    }
}

bool ControlBase::HasPropertyPages() {
    bool any = false;
    com::Guarded(dual_, [&] { any = !PropertyPages().empty(); });
    return any;
}

// The container's own property frame where it has one, else the system's.
HRESULT ControlBase::ShowPropertyPages(HWND owner) {
    std::vector<CLSID> pages;
    HRESULT hr = com::Guarded(dual_, [&] { pages = PropertyPages(); });
    if (FAILED(hr) || pages.empty()) return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
    ComPtr<IUnknown> keepAlive(Self());
    ComPtr<IOleControlSite> site;
    if (clientSite_ && SUCCEEDED(clientSite_.As(&site)) && SUCCEEDED(site->ShowPropertyFrame())) return S_OK;
    if (!owner && activation_ && activation_->Active()) owner = GetAncestor(surface_->Hwnd(), GA_ROOT);
    std::wstring caption = Ambient().DisplayName();
    IUnknown* objects[] = {Self()};
    return OleCreatePropertyFrame(owner, 0, 0, caption.c_str(), 1, objects, static_cast<ULONG>(pages.size()),
                                  pages.data(), LOCALE_USER_DEFAULT, 0, nullptr);
}

// A control with property pages offers them as its Properties verb; others answer
// the verbs registered for their class.
STDMETHODIMP ControlBase::EnumVerbs(IEnumOLEVERB** verbs) {
    if (!verbs) return E_POINTER;
    *verbs = nullptr;
    if (!HasPropertyPages()) return OleRegEnumVerbs(clsid_, verbs);
    try {
        std::vector<VerbElement::Stored> list{{OLEIVERB_PROPERTIES, L"&Properties...", OLEVERBATTRIB_ONCONTAINERMENU}};
        *verbs = com::Make<com::SnapshotEnumerator<IEnumOLEVERB, VerbElement>>(std::move(list)).Detach();
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP ControlBase::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

STDMETHODIMP ControlBase::GetUserType(DWORD form, LPOLESTR* type) { return OleRegGetUserType(clsid_, form, type); }

STDMETHODIMP ControlBase::SetExtent(DWORD aspect, SIZEL* size) {
    OnContainerCall(L"IOleObject::SetExtent");
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    return S_OK;
}

STDMETHODIMP ControlBase::GetExtent(DWORD aspect, SIZEL* size) {
    OnContainerCall(L"IOleObject::GetExtent");
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP ControlBase::Advise(IAdviseSink* sink, DWORD* cookie) {
    OnContainerCall(L"IOleObject::Advise");
    if (!adviseHolder_) {
        HRESULT hr = CreateOleAdviseHolder(&adviseHolder_);
        if (FAILED(hr)) return hr;
    }
    return adviseHolder_->Advise(sink, cookie);
}

STDMETHODIMP ControlBase::Unadvise(DWORD cookie) {
    return adviseHolder_ ? adviseHolder_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP ControlBase::EnumAdvise(IEnumSTATDATA** advises) {
    if (!advises) return E_POINTER;
    *advises = nullptr;
    return adviseHolder_ ? adviseHolder_->EnumAdvise(advises) : S_OK;
}

STDMETHODIMP ControlBase::GetMiscStatus(DWORD, DWORD* status) {
    OnContainerCall(L"IOleObject::GetMiscStatus");
    if (!status) return E_POINTER;
    *status = kControlMiscStatus | (InvisibleAtRunTime() ? OLEMISC_INVISIBLEATRUNTIME : 0);
    return S_OK;
}

void ControlBase::ApplyRunTimeVisibility() {
    if (activation_) activation_->SetWindowShown(!(InvisibleAtRunTime() && Ambient().UserMode()));
}

// ---- in-place activation ---------------------------------------------------------

STDMETHODIMP ControlBase::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = surface_.has_value() ? surface_->Hwnd() : nullptr;
    return *window ? S_OK : E_FAIL;
}

STDMETHODIMP ControlBase::InPlaceDeactivate() {
    OnContainerCall(L"IOleInPlaceObject::InPlaceDeactivate");
    if (activation_) activation_->Deactivate();
    return S_OK;
}

STDMETHODIMP ControlBase::UIDeactivate() {
    OnContainerCall(L"IOleInPlaceObject::UIDeactivate");
    if (activation_) activation_->DeactivateUI();
    return S_OK;
}

STDMETHODIMP ControlBase::SetObjectRects(LPCRECT position, LPCRECT) {
    OnContainerCall(L"IOleInPlaceObject::SetObjectRects");
    if (!position) return E_POINTER;
    if (!activation_) return E_UNEXPECTED;
    // Some containers pass a wrong extent; the rectangle given here is the control's size.
    extent_ = {PixelsToHimetric(position->right - position->left, true),
               PixelsToHimetric(position->bottom - position->top, false)};
    activation_->Move(*position);
    return S_OK;
}

// ---- IOleControl ------------------------------------------------------------------

STDMETHODIMP ControlBase::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    if (info->cb < sizeof(CONTROLINFO)) return E_INVALIDARG;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP ControlBase::OnAmbientPropertyChange(DISPID id) {
    OnContainerCall(L"IOleControl::OnAmbientPropertyChange");
    if (!configured_) return S_OK;
    static const DISPID all[] = {DISPID_AMBIENT_USERMODE,  DISPID_AMBIENT_FONT,       DISPID_AMBIENT_FORECOLOR,
                                 DISPID_AMBIENT_BACKCOLOR, DISPID_AMBIENT_SCALEUNITS, DISPID_AMBIENT_DISPLAYNAME};
    if (id == DISPID_UNKNOWN || id == DISPID_AMBIENT_USERMODE) ApplyRunTimeVisibility();
    for (DISPID ambient : all) {
        if (id != DISPID_UNKNOWN && id != ambient) continue;
        Notify([&] { OnAmbientChanged(AmbientProperties::NameOf(ambient)); });
    }
    return S_OK;
}

STDMETHODIMP ControlBase::FreezeEvents(BOOL freeze) {
    OnContainerCall(L"IOleControl::FreezeEvents");
    if (freeze) ++freezeCount_;
    else if (freezeCount_ > 0) --freezeCount_;
    return S_OK;
}

// ---- IViewObject2 -----------------------------------------------------------------

STDMETHODIMP ControlBase::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds, LPCRECTL,
                               BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    OnContainerCall(L"IViewObject::Draw");
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!dc || !bounds) return E_INVALIDARG;
    if (!surface_) return E_UNEXPECTED;
    EnsureConfigured();
    int width = surface_->ScaleWidth(), height = surface_->ScaleHeight();
    if (width <= 0 || height <= 0) {
        width = bounds->right - bounds->left;
        height = bounds->bottom - bounds->top;
    }
    // The picture's bitmap is at least one pixel each way, so a bitmap is always selected.
    drawing::OffscreenSurface picture(surface_->Dc(), std::max(width, 1), std::max(height, 1));
    SetTextColor(picture.DC(), GetTextColor(surface_->Dc()));
    SetBkColor(picture.DC(), GetBkColor(surface_->Dc()));
    SetBkMode(picture.DC(), GetBkMode(surface_->Dc()));
    drawing::SelectedObject font(picture.DC(), GetCurrentObject(surface_->Dc(), OBJ_FONT));
    surface_->FillBackground(picture.DC());
    Notify([&] { OnPaint(picture.DC()); });
    StretchBlt(dc, bounds->left, bounds->top, bounds->right - bounds->left, bounds->bottom - bounds->top,
               picture.DC(), 0, 0, width, height, SRCCOPY);
    return S_OK;
}

STDMETHODIMP ControlBase::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    OnContainerCall(L"IViewObject::SetAdvise");
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = sink;
    return S_OK;
}

STDMETHODIMP ControlBase::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) {
        *sink = viewSink_.Get();
        if (*sink) (*sink)->AddRef();
    }
    return S_OK;
}

STDMETHODIMP ControlBase::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

// ---- pages and connection points ----------------------------------------------------

STDMETHODIMP ControlBase::GetPages(CAUUID* pages) {
    if (!pages) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = nullptr;
    std::vector<CLSID> list;
    HRESULT hr = com::Guarded(IID_ISpecifyPropertyPages, [&] { list = PropertyPages(); });
    if (FAILED(hr) || list.empty()) return hr;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(list.size() * sizeof(GUID)));
    if (!pages->pElems) return E_OUTOFMEMORY;
    std::copy(list.begin(), list.end(), pages->pElems);
    pages->cElems = static_cast<ULONG>(list.size());
    return S_OK;
}

STDMETHODIMP ControlBase::EnumConnectionPoints(IEnumConnectionPoints** points) {
    if (!points) return E_POINTER;
    try {
        std::vector<ComPtr<IConnectionPoint>> items{&events_, &propertyNotify_};
        *points = com::Make<com::SnapshotEnumerator<IEnumConnectionPoints, com::ConnectionPointElement>>(std::move(items))
                      .Detach();
        return S_OK;
    } catch (...) {
        *points = nullptr;
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP ControlBase::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
    if (!point) return E_POINTER;
    *point = nullptr;
    if (iid == events_.Source()) *point = &events_;
    else if (iid == IID_IPropertyNotifySink) *point = &propertyNotify_;
    else return CONNECT_E_NOCONNECTION;
    (*point)->AddRef();
    return S_OK;
}

// ---- window -------------------------------------------------------------------------

std::optional<LRESULT> ControlBase::OnWindowMessage(HWND window, UINT message, WPARAM w, LPARAM l) {
    ComPtr<IUnknown> keepAlive(Self());
    switch (message) {
    case WM_PAINT:
        PaintWindow();
        return 0;
    case WM_ERASEBKGND:
        surface_->FillBackground(reinterpret_cast<HDC>(w));
        return 1;
    case WM_SIZE:
        if (configured_ && !terminated_) Notify([&] { OnResize(); });
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return OnFocusChange(message == WM_SETFOCUS);
    case WM_MOUSEACTIVATE:
        if (activation_ && activation_->Active() && !activation_->UIActive()) activation_->ActivateUI();
        return MA_ACTIVATE;
    case WM_SETCURSOR:
        if (LOWORD(l) == HTCLIENT && reinterpret_cast<HWND>(w) == window && surface_->ApplyCursor()) return TRUE;
        break;
    default:
        break;
    }
    if (!configured_ || terminated_) return std::nullopt;
    std::optional<LRESULT> answer;
    Notify([&] { answer = OnMessage(message, w, l); });
    return answer;
}

std::optional<LRESULT> ControlBase::OnFocusChange(bool gained) {
    if (gained && activation_->Active() && !activation_->UIActive()) activation_->ActivateUI();
    ComPtr<IOleControlSite> site;
    if (clientSite_ && SUCCEEDED(clientSite_.As(&site))) site->OnFocus(gained);
    if (configured_ && !terminated_) Notify([&] { gained ? OnGotFocus() : OnLostFocus(); });
    return 0;
}

void ControlBase::PaintWindow() {
    PaintScope paint(surface_->Hwnd());
    if (configured_ && !terminated_) Notify([&] { OnPaint(paint.Dc()); });
}

// ---- facilities -----------------------------------------------------------------------

DISPID ControlBase::DispatchIdOf(std::wstring_view name) const {
    DISPID id = DISPID_UNKNOWN;
    std::wstring text(name);
    LPOLESTR names[] = {text.data()};
    com::Guarded(dual_, [&] {
        if (FAILED(com::Module::TypeInfo(dual_)->GetIDsOfNames(names, 1, &id))) id = DISPID_UNKNOWN;
    });
    return id;
}

void ControlBase::PropertyChanged(std::wstring_view name) {
    dirty_ = true;
    const DISPID id = DispatchIdOf(name);
    propertyNotify_.ForEachSink<IPropertyNotifySink>([id](IPropertyNotifySink* sink) { sink->OnChanged(id); });
}

void ControlBase::RaiseEvent(DISPID id, std::vector<com::Variant> arguments) {
    if (freezeCount_ > 0 || terminated_) return;
    events_.Fire(id, std::move(arguments));
}

ComPtr<IVelHostServices> ControlBase::HostServices() const { return HostMessage::ServicesOf(clientSite_.Get()); }

std::wstring ControlBase::ApplicationTitle() { return HostMessage::ApplicationTitle(); }

int ControlBase::ShowMessage(std::wstring_view text, UINT style, const wchar_t* title) {
    HWND owner = surface_ && activation_ && activation_->Active() ? GetAncestor(surface_->Hwnd(), GA_ROOT) : nullptr;
    return HostMessage::Show(clientSite_.Get(), owner, text, style, title);
}

std::vector<ComPtr<IUnknown>> ControlBase::ContainedControls() {
    std::vector<ComPtr<IUnknown>> controls;
    ComPtr<IEnumUnknown> items;
    auto services = HostServices();
    if (!services || FAILED(services->ContainedControls(Self(), &items)) || !items) return controls;
    ComPtr<IUnknown> item;
    while (items->Next(1, item.ReleaseAndGetAddressOf(), nullptr) == S_OK) controls.push_back(item);
    return controls;
}

ScaleUnit ControlBase::ContainerUnit() const { return UnitNamed(Ambient().ScaleUnits()); }

double ControlBase::ContainerScaleWidth() const {
    RECT r{};
    GetClientRect(GetParent(surface_->Hwnd()), &r);
    return DrawingSurface::ScaleX(r.right - r.left, ScaleUnit::Pixel, ContainerUnit());
}

double ControlBase::ContainerScaleHeight() const {
    RECT r{};
    GetClientRect(GetParent(surface_->Hwnd()), &r);
    return DrawingSurface::ScaleY(r.bottom - r.top, ScaleUnit::Pixel, ContainerUnit());
}

void ControlBase::SetOleDropMode(short mode) {
    if (mode != 0 && mode != 1) com::Raise(com::StandardError::InvalidPropertyValue);
    if (dropRegistered_ && mode == 0) {
        RevokeDragDrop(surface_->Hwnd());
        dropRegistered_ = false;
    }
    if (mode == 1 && !dropRegistered_ && DropTarget()) {
        HRESULT hr = RegisterDragDrop(surface_->Hwnd(), DropTarget());
        if (FAILED(hr)) throw com::AutomationError(hr, L"The control could not become a drop target.");
        dropRegistered_ = true;
    }
    oleDropMode_ = mode;
}

HRESULT ControlBase::StartOleDrag(IDataObject* data, IDropSource* source, DWORD allowedEffects, DWORD* effect) {
    DWORD ignored = 0;
    return DoDragDrop(data, source, allowedEffects, effect ? effect : &ignored);
}

}  // namespace vel::hosting
