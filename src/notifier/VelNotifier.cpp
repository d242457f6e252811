#include "VelNotifier.h"

#include <utility>

#include "AboutBox.h"
#include "Convert.h"
#include "GdiObject.h"
#include "Module.h"
#include "NotifierErrors.h"
#include "NotifierPages.h"
#include "OwnedDC.h"
#include "SelectedObject.h"
#include "TrayMouse.h"

namespace vel::notifier {
namespace {

using com::ComPtr;
using com::Guarded;
using com::Variant;

const IID& kIid = IID__VelNotifier;

VARIANT_BOOL Vb(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

Variant Missing() {
    VARIANT raw{};
    raw.vt = VT_ERROR;
    raw.scode = DISP_E_PARAMNOTFOUND;
    return Variant(raw);
}

template <class T>
Variant Reference(VARTYPE type, T* value) {
    VARIANT raw{};
    raw.vt = VT_BYREF | type;
    raw.byref = value;
    return Variant(raw);
}

// The product's installation folder, from HKLM\Software\Corvane\Vel, value MainPath.
std::wstring MainPath() {
    wchar_t path[MAX_PATH] = L"";
    DWORD size = sizeof(path);
    if (RegGetValueW(HKEY_LOCAL_MACHINE, L"Software\\Corvane\\Vel", L"MainPath", RRF_RT_REG_SZ, nullptr, path,
                     &size) != ERROR_SUCCESS)
        return L"";
    return path;
}

}  // namespace

VelNotifier::VelNotifier() = default;
VelNotifier::~VelNotifier() = default;

bool VelNotifier::UserMode() const { return Ambient().UserMode(); }

// ---- lifecycle ----------------------------------------------------------------------------

void VelNotifier::OnInitialize() {
    com::Module::SetHelpFile(MainPath() + L"\\Help\\Stellate.hlp");
    velMsgHook1_.emplace(static_cast<msghook::MsgHookOwner&>(*this));
    Variant handle = Variant::FromLong(static_cast<long>(reinterpret_cast<LONG_PTR>(Surface().Hwnd())));
    if (auto hooked = velMsgHook1_->Windows().AddWindow(Missing().Get(), Missing().Get(), Missing().Get(), handle.Get()))
        hooked->Messages().AddMessage(Missing().Get(), Missing().Get(),
                                      Variant::FromLong(TrayState::kCallbackMessage).Get(), Missing().Get(),
                                      Missing().Get(), Missing().Get());
    // The newest notifier's collection is the one the tray shows.
    Tray().icons = com::Make<VelIcons>();
    m_colIcons = Tray().icons;
    m_colIcons->SetListener(static_cast<IconsListener*>(this));
}

// Every key of the notifier's own with the type it is read as.
constexpr std::pair<const wchar_t*, VARTYPE> kSavedKeys[] = {
    {L"AnimationStyle", VT_I4}, {L"Continuous", VT_BOOL},       {L"Enabled", VT_BOOL},
    {L"Interval", VT_I2},       {L"ReverseAnimation", VT_BOOL}, {L"ToolTipText", VT_BSTR}};

void VelNotifier::OnInitProperties() {
    ApplySubclass();
    Tray().animationStyle = 0;
    Tray().continuous = true;
    Surface().SetEnabled(true);
    Tray().interval = 0;
    Animation().StopAnimation();
    Animation().ResetPosition(false);
    Tray().toolTipText.clear();
}

// A missing key falls back to the value a new notifier starts with, so that a form saved
// by hand still loads; what the icons could not restore is shown. A value that cannot be
// read as its key's type refuses the bag whole (error 380) before anything of it is
// applied, and leaves the notifier as a new one.
void VelNotifier::OnReadProperties(hosting::PropertyBag& bag) {
    try {
        for (auto& [name, type] : kSavedKeys) bag.RequireReadable(name, type);
        m_colIcons->RequireReadable(bag);
    } catch (...) {
        OnInitProperties();
        throw;
    }
    ApplySubclass();
    Tray().animationStyle = bag.ReadLong(L"AnimationStyle", 0);
    Tray().continuous = bag.ReadBool(L"Continuous", true);
    Surface().SetEnabled(bag.ReadBool(L"Enabled", true));
    std::vector<std::wstring> problems = m_colIcons->ReadFromBag(bag);
    Tray().interval = bag.ReadShort(L"Interval", 0);
    Animation().StopAnimation();
    Animation().ResetPosition(bag.ReadBool(L"ReverseAnimation", false));
    Tray().toolTipText = bag.ReadString(L"ToolTipText", L"");
    if (problems.empty()) return;
    std::wstring text = L"Some icons could not be restored:";
    for (auto& line : problems) text += L"\n" + line;
    ShowMessage(text, MB_OK | MB_ICONINFORMATION);
}

void VelNotifier::OnWriteProperties(hosting::PropertyBag& bag) {
    bag.WriteLong(L"AnimationStyle", Tray().animationStyle);
    bag.WriteBool(L"Continuous", Tray().continuous);
    bag.WriteBool(L"Enabled", Surface().Enabled());
    if (m_colIcons)
        m_colIcons->WriteToBag(bag);
    else
        bag.WriteShort(L"IconCount", 0);
    bag.WriteShort(L"Interval", Tray().interval);
    bag.WriteBool(L"ReverseAnimation", Tray().reverseAnimation);
    bag.WriteString(L"ToolTipText", Tray().toolTipText);
}

// The control keeps its own size, whatever the container asks for.
void VelNotifier::OnResize() {
    if (Surface().ScaleWidth() == kWidthPixels && Surface().ScaleHeight() == kHeightPixels) return;
    SetWindowPos(Surface().Hwnd(), nullptr, 0, 0, kWidthPixels, kHeightPixels,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// On the form: a raised button face with the first icon of the collection, or the
// library's toolbox picture while there is none.
void VelNotifier::OnPaint(HDC dc) {
    RECT face{0, 0, kWidthPixels, kHeightPixels};
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &face, EDGE_RAISED, BF_RECT);
    if (HICON icon = m_colIcons ? m_colIcons->IconHandleAt(1) : nullptr) {
        DrawIconEx(dc, 5, 6, icon, 16, 16, 0, nullptr, DI_NORMAL);
        return;
    }
    drawing::OwnedBitmap picture(
        static_cast<HBITMAP>(LoadImageW(com::Module::Handle(), MAKEINTRESOURCEW(1), IMAGE_BITMAP, 0, 0, 0)));
    if (!picture) return;
    drawing::OwnedDC source = drawing::OwnedDC::CompatibleWith(dc);
    drawing::SelectedObject selected(source.Get(), picture.Get());
    BitBlt(dc, 5, 6, 16, 15, source.Get(), 0, 0, SRCCOPY);
}

void VelNotifier::OnAmbientChanged(std::wstring_view name) {
    if (name == L"UserMode") ApplySubclass();
}

void VelNotifier::OnTerminate() {
    if (accessible_) std::exchange(accessible_, nullptr)->Disconnect();
    Animation().StopAnimation();
    Tray().DeleteTrayIcon();
    if (ComPtr<VelIcons> shown = Tray().icons) {
        Tray().icons.Reset();
        shown->ClearIcons();
    }
    if (m_colIcons) m_colIcons->SetListener(nullptr);
    if (velMsgHook1_) {
        try {
            velMsgHook1_->SetSubclass(false);
        } catch (const com::AutomationError&) {
        }
        velMsgHook1_.reset();
    }
    m_colIcons.Reset();
}

// Accessibility clients ask for the client area's object; the system answers the rest.
std::optional<LRESULT> VelNotifier::OnMessage(UINT message, WPARAM w, LPARAM l) {
    if (message != WM_GETOBJECT) return std::nullopt;
    return hosting::AnswerClientObject(accessible_, w, l, [this] {
        return com::Make<NotifierAccessible>(Surface().Hwnd(), [this] { return Tray().toolTipText; });
    });
}

std::vector<CLSID> VelNotifier::PropertyPages() const { return {kGeneralPageClsid, kIconsPageClsid}; }

// Subclassing (and so the tray's mouse notifications) only at run time.
void VelNotifier::ApplySubclass() {
    try {
        velMsgHook1_->SetSubclass(UserMode());
    } catch (const com::AutomationError&) {
        // A window without a handle: nothing to subclass.
    }
}

// ---- icon collection ----------------------------------------------------------------------

// The form shows the first icon: every change of the collection may change it.
void VelNotifier::IconAdded(VelIcon&) {
    InvalidateRect(Surface().Hwnd(), nullptr, FALSE);
    PropertyChanged(L"IconCount");
}

void VelNotifier::IconChanged(VelIcon&, std::wstring_view) {
    InvalidateRect(Surface().Hwnd(), nullptr, FALSE);
    PropertyChanged(L"IconCount");
}

void VelNotifier::IconRemoved(VelIcon*) {
    const long count = m_colIcons->Count();
    if (count == 0) {
        Animation().StopAnimation();
        Tray().DeleteTrayIcon();
    } else if (count == 1) {
        Animation().StopAnimation();
    }
    InvalidateRect(Surface().Hwnd(), nullptr, FALSE);
    PropertyChanged(L"IconCount");
}

void VelNotifier::ShowIconsMessage(std::wstring_view text, UINT style) { ShowMessage(text, style); }

// ---- message hook -------------------------------------------------------------------------

bool VelNotifier::HookUserMode() const { return UserMode(); }

void VelNotifier::HookMessage(HWND, UINT messageId, WPARAM, LPARAM lParam) {
    if (messageId == TrayState::kCallbackMessage) MapTrayMouse(lParam);
}

// The cursor's screen position in twips, the keys and buttons held, then the events.
void VelNotifier::MapTrayMouse(LPARAM message) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const float x = static_cast<float>(hosting::DrawingSurface::ScaleX(cursor.x, hosting::ScaleUnit::Pixel,
                                                                       hosting::ScaleUnit::Twip));
    const float y = static_cast<float>(hosting::DrawingSurface::ScaleY(cursor.y, hosting::ScaleUnit::Pixel,
                                                                       hosting::ScaleUnit::Twip));
    const short shift = TrayMouse::ShiftState();
    ComPtr<VelNotifier> self(this);
    for (const TrayMouseEvent& event : TrayMouse::Map(message, TrayMouse::ButtonState())) {
        auto id = static_cast<DISPID>(event.id);
        if (!event.HasMouseArguments()) {
            RaiseEvent(id, {});
            continue;
        }
        short button = event.button, keys = shift;
        float ex = x, ey = y;
        RaiseEvent(id, {Reference(VT_I2, &button), Reference(VT_I2, &keys), Reference(VT_R4, &ex),
                        Reference(VT_R4, &ey)});
    }
}

// ---- properties ---------------------------------------------------------------------------

STDMETHODIMP VelNotifier::get_Animate(VARIANT_BOOL* animate) {
    VEL_CHECK_OUT(animate);
    *animate = Vb(AnimateValue());
    return S_OK;
}

STDMETHODIMP VelNotifier::put_Animate(VARIANT_BOOL animate) {
    return Guarded(kIid, [&] {
        if (!UserMode()) return;
        if (animate)
            Animation().StartAnimation(Surface().Hwnd());
        else
            Animation().StopAnimation();
    });
}

STDMETHODIMP VelNotifier::get_AnimationStyle(VelAnimationStyleConstants* style) {
    VEL_CHECK_OUT(style);
    *style = static_cast<VelAnimationStyleConstants>(Tray().animationStyle);
    return S_OK;
}

STDMETHODIMP VelNotifier::put_AnimationStyle(VelAnimationStyleConstants style) {
    return Guarded(kIid, [&] {
        if (style != velCycle && style != velPingPong) {
            ShowMessage(L"Invalid property value", MB_OK);
            return;
        }
        Tray().animationStyle = style;
        PropertyChanged(L"AnimationStyle");
    });
}

STDMETHODIMP VelNotifier::get_Continuous(VARIANT_BOOL* continuous) {
    VEL_CHECK_OUT(continuous);
    *continuous = Vb(Tray().continuous);
    return S_OK;
}

STDMETHODIMP VelNotifier::put_Continuous(VARIANT_BOOL continuous) {
    return Guarded(kIid, [&] {
        Tray().continuous = continuous != VARIANT_FALSE;
        PropertyChanged(L"Continuous");
    });
}

STDMETHODIMP VelNotifier::get_Enabled(VARIANT_BOOL* enabled) {
    VEL_CHECK_OUT(enabled);
    *enabled = Vb(Surface().Enabled());
    return S_OK;
}

// Enabled, Interval, ReverseAnimation and ToolTipText are saved with the form, so, like
// every saved property, each tells the host it changed: a designer then saves the change.
STDMETHODIMP VelNotifier::put_Enabled(VARIANT_BOOL enabled) {
    return Guarded(kIid, [&] {
        Surface().SetEnabled(enabled != VARIANT_FALSE);
        PropertyChanged(L"Enabled");
    });
}

STDMETHODIMP VelNotifier::get_Icons(_VelIcons** icons) {
    VEL_CHECK_OUT(icons);
    *icons = m_colIcons.Get();
    if (*icons) (*icons)->AddRef();
    return S_OK;
}

STDMETHODIMP VelNotifier::get_Interval(short* interval) {
    VEL_CHECK_OUT(interval);
    *interval = Tray().interval;
    return S_OK;
}

// A new interval restarts a running animation from its starting cell.
STDMETHODIMP VelNotifier::put_Interval(short interval) {
    return Guarded(kIid, [&] {
        if (interval < 0) throw NotifierErrors::InvalidValue();
        Tray().interval = interval;
        Animation().StopAnimation();
        if (AnimateValue()) Animation().StartAnimation(Surface().Hwnd());
        PropertyChanged(L"Interval");
    });
}

STDMETHODIMP VelNotifier::get_ReverseAnimation(VARIANT_BOOL* reverse) {
    VEL_CHECK_OUT(reverse);
    *reverse = Vb(Tray().reverseAnimation);
    return S_OK;
}

STDMETHODIMP VelNotifier::put_ReverseAnimation(VARIANT_BOOL reverse) {
    return Guarded(kIid, [&] {
        Animation().ResetPosition(reverse != VARIANT_FALSE);
        PropertyChanged(L"ReverseAnimation");
    });
}

STDMETHODIMP VelNotifier::get_ToolTipText(BSTR* text) {
    VEL_CHECK_OUT(text);
    *text = nullptr;
    return Guarded(kIid, [&] { *text = com::Bstr(Tray().toolTipText).Detach(); });
}

STDMETHODIMP VelNotifier::put_ToolTipText(BSTR text) {
    return Guarded(kIid, [&] {
        Tray().toolTipText.assign(text ? text : L"", SysStringLen(text));
        Tray().ChangeTrayTip();
        PropertyChanged(L"ToolTipText");
        NotifyWinEvent(EVENT_OBJECT_NAMECHANGE, Surface().Hwnd(), OBJID_CLIENT, CHILDID_SELF);
    });
}

STDMETHODIMP VelNotifier::ShowAboutBox() {
    return Guarded(kIid, [&] {
        about::AboutBox::WithModuleVersion(com::Module::Handle(), com::LibraryTitle()).Show(Surface().Hwnd());
    });
}

// The picture constants are the shell's own balloon flags, so they pass unchanged.
STDMETHODIMP VelNotifier::ShowBalloon(BSTR text, VARIANT title, VelBalloonIconConstants icon, long timeout) {
    return Guarded(kIid, [&] {
        if (icon < velBalloonNone || icon > velBalloonCurrentIcon || timeout < 0) throw NotifierErrors::InvalidValue();
        static_assert(velBalloonCurrentIcon == NIIF_USER && velBalloonError == NIIF_ERROR);
        com::Bstr heading = com::IsOmitted(title) ? com::Bstr(L"") : com::ToText(title);
        Tray().ShowBalloon(std::wstring_view(text ? text : L"", SysStringLen(text)), heading.View(),
                           static_cast<DWORD>(icon), static_cast<UINT>(timeout));
    });
}

}  // namespace vel::notifier
