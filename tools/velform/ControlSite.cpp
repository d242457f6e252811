#include "ControlSite.h"

#include <olectl.h>

#include "Bstr.h"
#include "FormError.h"
#include "SnapshotEnumerator.h"
#include "Variant.h"
#include "WindowDC.h"

using vel::com::Bstr;
using vel::com::ComPtr;
using vel::com::Make;
using vel::com::Variant;
using vel::drawing::WindowDC;

namespace velform {
namespace {

constexpr long kHimetricPerInch = 2540;

struct AmbientName {
    DISPID id;
    const wchar_t* name;
};

constexpr AmbientName kAmbients[] = {
    {DISPID_AMBIENT_USERMODE, L"UserMode"},     {DISPID_AMBIENT_FONT, L"Font"},
    {DISPID_AMBIENT_FORECOLOR, L"ForeColor"},   {DISPID_AMBIENT_BACKCOLOR, L"BackColor"},
    {DISPID_AMBIENT_SCALEUNITS, L"ScaleUnits"}, {DISPID_AMBIENT_DISPLAYNAME, L"DisplayName"},
    {DISPID_AMBIENT_LOCALEID, L"LocaleID"},     {DISPID_AMBIENT_MESSAGEREFLECT, L"MessageReflect"},
    {DISPID_AMBIENT_SHOWGRABHANDLES, L"ShowGrabHandles"}, {DISPID_AMBIENT_SHOWHATCHING, L"ShowHatching"},
    {DISPID_AMBIENT_UIDEAD, L"UIDead"},         {DISPID_AMBIENT_SUPPORTSMNEMONICS, L"SupportsMnemonics"},
};

HRESULT Check(HRESULT hr, const std::wstring& what) {
    if (FAILED(hr)) {
        wchar_t code[16];
        wsprintfW(code, L"0x%08lX", static_cast<unsigned long>(hr));
        throw FormError(what + L" (" + code + L")");
    }
    return hr;
}

// Hands out the controls of a ContainedControls answer.
struct UnknownElement {
    using Stored = ComPtr<IUnknown>;
    using Out = IUnknown*;
    static void Copy(const Stored& from, Out* to) {
        *to = from.Get();
        (*to)->AddRef();
    }
};
using UnknownEnumerator = vel::com::SnapshotEnumerator<IEnumUnknown, UnknownElement>;

}  // namespace

bool ControlSite::QueryExtra(REFIID iid, void** out) {
    if (iid != IID_IOleInPlaceSite && iid != IID_IOleWindow) return false;
    *out = static_cast<IOleInPlaceSiteEx*>(this);
    return true;
}

ControlSite::ControlSite(SiteOwner& owner, ControlDeclaration declaration)
    : owner_(owner), declaration_(std::move(declaration)) {}

void ControlSite::Create(HWND parent, PropertyBag* saved) {
    parent_ = parent;
    CLSID clsid{};
    Check(CLSIDFromProgID(declaration_.progId.c_str(), &clsid),
          L"control " + Name() + L": the class " + declaration_.progId + L" is not registered");
    Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&object_)),
          L"control " + Name() + L": " + declaration_.progId + L" cannot be created");
    object_.As(&dispatch_);
    DWORD misc = 0;
    object_->GetMiscStatus(DVASPECT_CONTENT, &misc);
    bool siteFirst = misc & OLEMISC_SETCLIENTSITEFIRST;
    if (siteFirst) object_->SetClientSite(this);
    StartProperties(saved);
    if (!siteFirst) object_->SetClientSite(this);
    object_->SetHostNames(L"VelForm", Name().c_str());
    ConnectEvents();
    ConnectPropertyNotifications();
    Activate();
}

void ControlSite::StartProperties(PropertyBag* saved) {
    ComPtr<IPersistPropertyBag> bagPersist;
    ComPtr<IPersistStreamInit> streamPersist;
    if (SUCCEEDED(object_.As(&bagPersist))) {
        HRESULT hr = saved ? bagPersist->Load(saved, nullptr) : bagPersist->InitNew();
        Check(hr, L"control " + Name() + (saved ? L" did not load its properties" : L" did not start new"));
    } else if (SUCCEEDED(object_.As(&streamPersist))) {
        streamPersist->InitNew();
    }
}

void ControlSite::ConnectEvents() { events_.Connect(object_.Get(), owner_, Name()); }

void ControlSite::ConnectPropertyNotifications() {
    ComPtr<IConnectionPointContainer> points;
    if (FAILED(object_.As(&points))) return;
    if (FAILED(points->FindConnectionPoint(IID_IPropertyNotifySink, &notifyPoint_))) return;
    if (FAILED(notifyPoint_->Advise(static_cast<IPropertyNotifySink*>(this), &notifyCookie_))) notifyPoint_.Reset();
}

void ControlSite::SetExtent() {
    RECT bounds = declaration_.bounds;
    WindowDC screen(nullptr);
    SIZEL extent{MulDiv(bounds.right - bounds.left, kHimetricPerInch, GetDeviceCaps(screen.Get(), LOGPIXELSX)),
                 MulDiv(bounds.bottom - bounds.top, kHimetricPerInch, GetDeviceCaps(screen.Get(), LOGPIXELSY))};
    object_->SetExtent(DVASPECT_CONTENT, &extent);
}

void ControlSite::Move(const RECT& bounds) {
    declaration_.bounds = bounds;
    if (!object_) return;
    SetExtent();
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_.As(&inPlace))) inPlace->SetObjectRects(&bounds, &bounds);
}

void ControlSite::SetDisplayName(std::wstring name) {
    displayName_ = std::move(name);
    AmbientChanged(DISPID_AMBIENT_DISPLAYNAME);
}

void ControlSite::Activate() {
    RECT bounds = declaration_.bounds;
    SetExtent();
    Check(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, parent_, &bounds),
          L"control " + Name() + L" did not activate");
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_.As(&inPlace))) {
        inPlace->GetWindow(&window_);
        inPlace->SetObjectRects(&bounds, &bounds);
    }
}

void ControlSite::Close() {
    if (!object_) return;
    ComPtr<ControlSite> self(this);
    events_.Disconnect();
    if (notifyPoint_) notifyPoint_->Unadvise(notifyCookie_);
    notifyPoint_.Reset();
    ComPtr<IOleInPlaceObject> inPlace;
    if (SUCCEEDED(object_.As(&inPlace))) inPlace->InPlaceDeactivate();
    object_->Close(OLECLOSE_NOSAVE);
    object_->SetClientSite(nullptr);
    dispatch_.Reset();
    object_.Reset();
    window_ = nullptr;
}

ComPtr<PropertyBag> ControlSite::Save() {
    auto bag = Make<PropertyBag>();
    ComPtr<IPersistPropertyBag> persist;
    if (object_ && SUCCEEDED(object_.As(&persist))) {
        Check(persist->Save(bag.Get(), TRUE, FALSE), L"control " + Name() + L" did not save its properties");
    }
    return bag;
}

void ControlSite::AmbientChanged(DISPID id) {
    ComPtr<IOleControl> control;
    if (object_ && SUCCEEDED(object_.As(&control))) control->OnAmbientPropertyChange(id);
}

STDMETHODIMP ControlSite::GetContainer(IOleContainer** container) {
    if (!container) return E_POINTER;
    *container = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP ControlSite::GetWindow(HWND* window) {
    if (!window) return E_POINTER;
    *window = parent_;
    return S_OK;
}

STDMETHODIMP ControlSite::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document,
                                           LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) {
    if (!frame || !document || !position || !clip || !info) return E_POINTER;
    *frame = owner_.Frame();
    (*frame)->AddRef();
    *document = nullptr;
    *position = declaration_.bounds;
    *clip = declaration_.bounds;
    info->fMDIApp = FALSE;
    info->hwndFrame = owner_.FormWindow();
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::OnPosRectChange(LPCRECT position) {
    if (!position) return E_POINTER;
    declaration_.bounds = *position;
    ComPtr<IOleInPlaceObject> inPlace;
    if (object_ && SUCCEEDED(object_.As(&inPlace))) inPlace->SetObjectRects(position, position);
    return S_OK;
}

STDMETHODIMP ControlSite::OnInPlaceActivateEx(BOOL* noRedraw, DWORD) {
    if (noRedraw) *noRedraw = FALSE;
    return S_OK;
}

// Container units are those the ScaleUnits ambient names.
STDMETHODIMP ControlSite::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
    if (!himetric || !container) return E_POINTER;
    WindowDC screen(nullptr);
    double perInchX = owner_.Ambients().UnitsPerInch(GetDeviceCaps(screen.Get(), LOGPIXELSX));
    double perInchY = owner_.Ambients().UnitsPerInch(GetDeviceCaps(screen.Get(), LOGPIXELSY));
    if (flags & XFORMCOORDS_HIMETRICTOCONTAINER) {
        container->x = static_cast<float>(himetric->x * perInchX / kHimetricPerInch);
        container->y = static_cast<float>(himetric->y * perInchY / kHimetricPerInch);
    } else if (flags & XFORMCOORDS_CONTAINERTOHIMETRIC) {
        himetric->x = static_cast<LONG>(container->x * kHimetricPerInch / perInchX + 0.5);
        himetric->y = static_cast<LONG>(container->y * kHimetricPerInch / perInchY + 0.5);
    } else {
        return E_INVALIDARG;
    }
    return S_OK;
}

STDMETHODIMP ControlSite::ShowPropertyFrame() {
    owner_.ShowPropertyFrame(*this);
    return S_OK;
}

STDMETHODIMP ControlSite::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP ControlSite::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!names || !ids || count == 0) return E_POINTER;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    for (auto& ambient : kAmbients) {
        if (lstrcmpiW(names[0], ambient.name) == 0) {
            ids[0] = ambient.id;
            return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
        }
    }
    return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP ControlSite::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                 UINT*) {
    if (!(flags & DISPATCH_PROPERTYGET)) return DISP_E_MEMBERNOTFOUND;
    if (!result) return E_POINTER;
    const FormAmbients& ambients = owner_.Ambients();
    Variant value;
    switch (id) {
        case DISPID_AMBIENT_USERMODE: value = Variant::FromBool(owner_.UserMode()); break;
        case DISPID_AMBIENT_FONT: value = Variant::FromDispatch(ambients.font.Get()); break;
        case DISPID_AMBIENT_FORECOLOR: value = Variant::FromLong(static_cast<long>(ambients.foreColor)); break;
        case DISPID_AMBIENT_BACKCOLOR: value = Variant::FromLong(static_cast<long>(ambients.backColor)); break;
        case DISPID_AMBIENT_SCALEUNITS: value = Variant::FromString(ambients.scaleUnits); break;
        case DISPID_AMBIENT_DISPLAYNAME: value = Variant::FromString(DisplayName()); break;
        case DISPID_AMBIENT_LOCALEID: value = Variant::FromLong(static_cast<long>(ambients.localeId)); break;
        case DISPID_AMBIENT_MESSAGEREFLECT:
        case DISPID_AMBIENT_SHOWGRABHANDLES:
        case DISPID_AMBIENT_SHOWHATCHING:
        case DISPID_AMBIENT_UIDEAD: value = Variant::FromBool(false); break;
        case DISPID_AMBIENT_SUPPORTSMNEMONICS: value = Variant::FromBool(true); break;
        default: return DISP_E_MEMBERNOTFOUND;
    }
    value.CopyTo(result);
    return S_OK;
}

std::wstring ControlSite::PropertyName(DISPID id) const {
    ComPtr<ITypeInfo> info;
    Bstr name;
    UINT found = 0;
    if (dispatch_ && SUCCEEDED(dispatch_->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) &&
        SUCCEEDED(info->GetNames(id, name.Out(), 1, &found)) && found == 1) {
        return std::wstring(name.View());
    }
    return std::to_wstring(id);
}

STDMETHODIMP ControlSite::OnChanged(DISPID id) {
    owner_.Journal().RecordChange(Name() + L"." + PropertyName(id));
    return S_OK;
}

STDMETHODIMP ControlSite::ShowMessage(BSTR text, BSTR title, long style, long* result) {
    if (!result) return E_POINTER;
    std::wstring caption = SysStringLen(title) ? std::wstring(title) : owner_.FormTitle();
    FormJournal& journal = owner_.Journal();
    if (journal.TestMode()) {
        journal.RecordMessageBox({text ? text : L"", caption, style});
        *result = journal.MessageBoxAnswer();
        return S_OK;
    }
    *result = ::MessageBoxW(owner_.FormWindow(), text ? text : L"", caption.c_str(), static_cast<UINT>(style));
    return S_OK;
}

STDMETHODIMP ControlSite::ContainedControls(IUnknown* control, IEnumUnknown** controls) {
    if (!controls) return E_POINTER;
    *controls = nullptr;
    try {
        auto contained = owner_.ContainedControls(control ? control : object_.Get());
        *controls = Make<UnknownEnumerator>(std::move(contained)).Detach();
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP ControlSite::QueryService(REFGUID service, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (service != __uuidof(IVelHostServices)) return E_NOINTERFACE;
    return QueryInterface(iid, out);
}

}  // namespace velform
