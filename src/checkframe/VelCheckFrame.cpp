#include "VelCheckFrame.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <utility>

#include "AboutBox.h"
#include "Boundary.h"
#include "Bstr.h"
#include "ContainedControlUpdates.h"
#include "LatchPanelErrors.h"
#include "Module.h"
#include "PictureText.h"
#include "StandardObjects.h"

namespace vel::checkframe {
namespace {

using com::ComPtr;
using com::Guarded;
using com::Variant;
using hosting::PictureType;
using hosting::StandardObjects;

const IID& kIid = IID__VelCheckFrame;

constexpr OLE_COLOR kWindowBackground = 0x80000005;
constexpr OLE_COLOR kButtonFace = 0x8000000F;
constexpr OLE_COLOR kButtonText = 0x80000012;
constexpr UINT kSysColorChange = WM_SYSCOLORCHANGE;  // 21
constexpr long kPlainBoxSize = 12;
constexpr UINT kShownMessage = WM_APP + 0x31;

VARIANT_BOOL Vb(bool value) { return value ? VARIANT_TRUE : VARIANT_FALSE; }

template <class T>
Variant Reference(VARTYPE type, T* value) {
    VARIANT raw{};
    raw.vt = VT_BYREF | type;
    raw.byref = value;
    return Variant(raw);
}

template <class T>
T* AddRefOut(T* object) {
    if (object) object->AddRef();
    return object;
}

long Round(double value) { return static_cast<long>(std::nearbyint(value)); }

bool InRange(long value, long high) { return value >= 0 && value <= high; }

void RequireRange(long value, long high) {
    if (!InRange(value, high)) com::Raise(LatchPanelErrors::InvalidPropertyValue());
}

// Shift / Ctrl / Alt as the 1 2 4 bit set of key and mouse events.
short KeyShift() {
    return static_cast<short>((GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
                              (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

short MouseShift(WPARAM w) {
    return static_cast<short>(((w & MK_SHIFT) ? 1 : 0) | ((w & MK_CONTROL) ? 2 : 0) | (GetKeyState(VK_MENU) < 0 ? 4 : 0));
}

short ButtonsOf(WPARAM w) {
    return static_cast<short>(((w & MK_LBUTTON) ? 1 : 0) | ((w & MK_RBUTTON) ? 2 : 0) | ((w & MK_MBUTTON) ? 4 : 0));
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

HBITMAP BitmapOf(IPictureDisp* picture) {
    return reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(StandardObjects::HandleOf(picture)));
}

}  // namespace

VelCheckFrame::VelCheckFrame() = default;
VelCheckFrame::~VelCheckFrame() = default;

bool VelCheckFrame::UserMode() const { return Ambient().UserMode(); }

// ---- lifecycle ------------------------------------------------------------------------

void VelCheckFrame::OnInitialize() {
    com::Module::SetHelpFile(MainPath() + L"\\Help\\Stellate.hlp");
    maskBlt_.emplace();
    maskBlt_->AddPicture(Surface().Dc());
    velMsgHook1_.emplace(static_cast<msghook::MsgHookOwner&>(*this));
    Variant missing;
    missing.Ptr()->vt = VT_ERROR;
    missing.Ptr()->scode = DISP_E_PARAMNOTFOUND;
    Variant handle = Variant::FromLong(static_cast<long>(reinterpret_cast<LONG_PTR>(Surface().Hwnd())));
    if (auto hooked = velMsgHook1_->Windows().AddWindow(missing.Get(), missing.Get(), missing.Get(), handle.Get()))
        hooked->Messages().AddMessage(missing.Get(), missing.Get(), Variant::FromLong(kSysColorChange).Get(),
                                      Variant::FromString(L"WM_SYSCOLORCHANGE").Get(), missing.Get(), missing.Get());
}

// A frame starts with a copy of the container's font.
void VelCheckFrame::UseAmbientFont() { Surface().SetFont(StandardObjects::CloneFont(Ambient().Font().Get()).Get()); }

void VelCheckFrame::OnInitProperties() {
    velMsgHook1_->SetSubclass(true);
    UseAmbientFont();
    alignment_ = kLeftJustify;
    appearance_ = 1;
    Surface().SetBackColor(kButtonFace);
    borderStyle_ = 1;
    caption_ = Ambient().DisplayName();
    Surface().SetEnabled(true);
    font_ = Surface().Font();
    MeasureCaption();
    geometry_.eraseWidth = geometry_.captionWidth;
    foreColor_ = kButtonText;
    Surface().SetForeColor(kButtonText);
    maskColor_ = 0xFFFFFF;
    oleDropMode_ = static_cast<BYTE>(OleDropMode());
    ApplyPicture(nullptr, 0);
    useMaskColor_ = false;
    value_ = 0;
    whatsThisHelpId_ = 0;
    RepaintParts(rdAll);
}

// Every key with the type it is read as (VT_UI4: a colour). The picture is read as text
// or as an object, and one that does not decode is no picture.
constexpr std::pair<const wchar_t*, VARTYPE> kSavedKeys[] = {
    {L"Alignment", VT_I4},     {L"Appearance", VT_I4},      {L"BackColor", VT_UI4},     {L"BorderStyle", VT_I4},
    {L"Caption", VT_BSTR},     {L"Enabled", VT_BOOL},       {L"Font", VT_DISPATCH},     {L"ForeColor", VT_UI4},
    {L"HelpContextID", VT_I4}, {L"MaskColor", VT_UI4},      {L"MouseIcon", VT_DISPATCH}, {L"MousePointer", VT_I2},
    {L"OLEDropMode", VT_I4},   {L"RightToLeft", VT_BOOL},   {L"UseMaskColor", VT_BOOL}, {L"Value", VT_I4},
    {L"WhatsThisHelpID", VT_I4}, {L"CheckBoxLeft", VT_I4},  {L"CheckBoxTop", VT_I4}};

// A bag with a value that cannot be read as its key's type is refused whole (error 380)
// before anything of it is applied, and the frame is left as a new one.
void VelCheckFrame::OnReadProperties(hosting::PropertyBag& bag) {
    try {
        for (auto& [name, type] : kSavedKeys) bag.RequireReadable(name, type);
    } catch (...) {
        OnInitProperties();
        throw;
    }
    ApplyProperties(bag);
}

// A value the property would refuse reads as the new frame's value, and reading goes on:
// one out-of-range entry costs nothing else of the frame.
void VelCheckFrame::ApplyProperties(hosting::PropertyBag& bag) {
    auto ranged = [&](const wchar_t* name, long high, long fallback) {
        long value = bag.ReadLong(name, 0);
        return InRange(value, high) ? value : fallback;
    };
    velMsgHook1_->SetSubclass(true);
    UseAmbientFont();
    alignment_ = ranged(L"Alignment", 2, kLeftJustify);
    appearance_ = ranged(L"Appearance", 1, 1);
    Surface().SetBackColor(bag.ReadColor(L"BackColor", 0));
    borderStyle_ = ranged(L"BorderStyle", 1, 1);
    caption_ = bag.ReadString(L"Caption", L"");
    Surface().SetEnabled(bag.ReadBool(L"Enabled", false));
    font_ = bag.ReadFont(L"Font", Surface().Font().Get());
    Surface().SetFont(font_.Get());
    foreColor_ = bag.ReadColor(L"ForeColor", 0);
    Surface().SetForeColor(foreColor_);
    helpContextId_ = bag.ReadLong(L"HelpContextID", 0);
    maskColor_ = bag.ReadColor(L"MaskColor", 0);
    auto icon = bag.ReadPicture(L"MouseIcon", nullptr);
    Surface().SetMouseIcon(StandardObjects::TypeOf(icon.Get()) == PictureType::Icon ? icon.Get() : nullptr);
    short pointer = bag.ReadShort(L"MousePointer", 0);
    Surface().SetMousePointer((InRange(pointer, 15) || pointer == hosting::kMousePointerCustom) ? pointer : 0);
    ApplyPicture(hosting::PictureText::FromStored(bag.Read(L"Picture", Variant()).Get()).Get(), 3);
    oleDropMode_ = static_cast<BYTE>(ranged(L"OLEDropMode", 1, 0));
    SetOleDropMode(oleDropMode_);
    Surface().SetRightToLeft(bag.ReadBool(L"RightToLeft", false));
    useMaskColor_ = bag.ReadBool(L"UseMaskColor", false);
    value_ = ranged(L"Value", 2, 0);
    UpdateContainedControls();
    whatsThisHelpId_ = bag.ReadLong(L"WhatsThisHelpID", 0);
    MeasureCaption();
    geometry_.eraseWidth = geometry_.captionWidth;
    geometry_.checkBoxLeft = bag.ReadLong(L"CheckBoxLeft", 0);
    geometry_.checkBoxTop = bag.ReadLong(L"CheckBoxTop", 0);
    RepaintParts(rdAll);
}

void VelCheckFrame::OnWriteProperties(hosting::PropertyBag& bag) {
    bag.WriteLong(L"Alignment", alignment_);
    bag.WriteLong(L"Appearance", appearance_);
    bag.WriteColor(L"BackColor", Surface().BackColor());
    bag.WriteLong(L"BorderStyle", borderStyle_);
    bag.WriteString(L"Caption", caption_);
    bag.WriteBool(L"Enabled", Surface().Enabled());
    bag.WriteObject(L"Font", font_.Get());
    bag.WriteColor(L"ForeColor", foreColor_);
    bag.WriteLong(L"HelpContextID", helpContextId_);
    bag.WriteColor(L"MaskColor", maskColor_);
    bag.WriteObject(L"MouseIcon", Surface().MouseIcon().Get(), nullptr);
    bag.WriteShort(L"MousePointer", Surface().MousePointer(), 0);
    // A bitmap goes in as text, which every host reloads; anything else as the object.
    std::wstring pictureText = hosting::PictureText::Encode(picture_.Get());
    if (!pictureText.empty()) bag.WriteString(L"Picture", pictureText);
    else bag.WriteObject(L"Picture", picture_.Get(), nullptr);
    bag.WriteByte(L"OLEDropMode", oleDropMode_);
    bag.WriteBool(L"RightToLeft", Surface().RightToLeft());
    bag.WriteBool(L"UseMaskColor", useMaskColor_);
    bag.WriteLong(L"Value", value_);
    bag.WriteLong(L"WhatsThisHelpID", whatsThisHelpId_);
    bag.WriteLong(L"CheckBoxLeft", geometry_.checkBoxLeft);
    bag.WriteLong(L"CheckBoxTop", geometry_.checkBoxTop);
}

// A host sites the controls inside the frame after the frame itself, so the contents
// are brought in line again once the host's queued work has run.
void VelCheckFrame::OnShow() {
    if (!UserMode()) return;
    UpdateContainedControls();
    PostMessageW(Surface().Hwnd(), kShownMessage, 0, 0);
}

void VelCheckFrame::OnResize() { RepaintParts(rdAll); }

// Paints into the window's own DC; a container that asks for a picture gets the same
// frame copied into its DC.
void VelCheckFrame::OnPaint(HDC dc) {
    RepaintParts(rdAll);
    if (dc != Surface().Dc() && paint_.hDCMem())
        BitBlt(dc, 0, 0, Surface().ScaleWidth(), Surface().ScaleHeight(), paint_.hDCMem(), 0, 0, SRCCOPY);
}

void VelCheckFrame::OnGotFocus() {
    hasFocus_ = true;
    RepaintParts(rdCaption);
}

void VelCheckFrame::OnLostFocus() {
    hasFocus_ = false;
    RepaintParts(rdCaption);
}

void VelCheckFrame::OnTerminate() {
    if (accessible_) std::exchange(accessible_, nullptr)->Disconnect();
    if (velMsgHook1_) {
        try {
            velMsgHook1_->SetSubclass(false);
        } catch (const com::AutomationError&) {
        }
        velMsgHook1_.reset();
    }
    paint_.ReleaseMemDC();
    maskBlt_.reset();
    picture_.Reset();
    font_.Reset();
}

bool VelCheckFrame::HookUserMode() const { return UserMode(); }

void VelCheckFrame::HookMessage(HWND, UINT messageId, WPARAM, LPARAM) {
    if (messageId == kSysColorChange) RepaintParts(rdAll);
}

// ---- value, contents and painting ---------------------------------------------------

// Contained controls are enabled only while the box is checked and the frame enabled.
void VelCheckFrame::UpdateContainedControls() {
    ContainedControlUpdates::SetEnabled(ContainedControls(), value_ == 1 && Surface().Enabled());
}

CheckFrameView VelCheckFrame::View() const {
    CheckFrameView view;
    view.width = Surface().ScaleWidth();
    view.height = Surface().ScaleHeight();
    view.alignment = alignment_;
    view.appearance = appearance_;
    view.borderStyle = borderStyle_;
    view.value = value_;
    view.caption = caption_;
    view.hasFont = font_ != nullptr;
    if (font_) {
        auto font = StandardObjects::Describe(font_.Get());
        view.font = {font.name, Surface().TextHeight(L"O"), font.bold, font.italic, font.strikethrough, font.underline};
    }
    view.backColor = Surface().BackColor();
    view.foreColor = foreColor_;
    view.enabled = Surface().Enabled();
    view.hasFocus = hasFocus_;
    view.useMaskColor = useMaskColor_;
    if (picture_ && maskBlt_) view.picture = &maskBlt_->Item(1);
    return view;
}

void VelCheckFrame::RepaintParts(unsigned flags) {
    if (!maskBlt_ || Surface().ScaleWidth() <= 0 || Surface().ScaleHeight() <= 0) return;
    painter_.Paint(Surface().Dc(), View(), flags, geometry_);
    if (refreshing_) return;
    // A repaint that such a refresh causes does not start the round again.
    refreshing_ = true;
    ContainedControlUpdates::RefreshWindowless(ContainedControls());
    refreshing_ = false;
}

// The width of the caption and the height of a line in the font now in use.
void VelCheckFrame::MeasureCaption() {
    geometry_.captionWidth = Surface().TextWidth(caption_);
    geometry_.captionHeight = Surface().TextHeight(L"O");
}

// Sizes the check box for `picture` (the picture's size plus `padding`, or 12 x 12
// without a bitmap) and hands its bitmap to the picture entry.
void VelCheckFrame::ApplyPicture(IPictureDisp* picture, long padding) {
    CPicture& entry = maskBlt_->Item(1);
    HBITMAP bitmap = BitmapOf(picture);
    if (!bitmap || StandardObjects::TypeOf(picture) != PictureType::Bitmap) {
        picture_.Reset();
        geometry_.checkBoxWidth = geometry_.checkBoxHeight = kPlainBoxSize;
        entry.SetSource(nullptr);
        return;
    }
    picture_ = picture;
    SIZE himetric = StandardObjects::HimetricSizeOf(picture);
    using hosting::DrawingSurface;
    using hosting::ScaleUnit;
    geometry_.checkBoxWidth = Round(DrawingSurface::ScaleX(himetric.cx, ScaleUnit::Himetric, ScaleUnit::Pixel) + padding);
    geometry_.checkBoxHeight = Round(DrawingSurface::ScaleY(himetric.cy, ScaleUnit::Himetric, ScaleUnit::Pixel) + padding);
    entry.SetMaskColor(maskColor_);
    entry.SetDestinationDC(Surface().Dc());
    entry.SetSource(bitmap);
}

void VelCheckFrame::SetBackColor(OLE_COLOR color) {
    Surface().SetBackColor(color);
    PropertyChanged(L"BackColor");
    RepaintParts(rdAll);
}

// ---- input --------------------------------------------------------------------------

bool VelCheckFrame::InputEnabled() const { return Surface().Enabled(); }

void VelCheckFrame::SetValueByUser(long value) {
    value_ = value;
    UpdateContainedControls();
    NotifyAccessibility(EVENT_OBJECT_STATECHANGE);
}

// A client's click holds the frame: a handler of its event may release the last reference.
void VelCheckFrame::AccessibleClick() {
    com::ComPtr<IUnknown> keepAlive(static_cast<IOleObject*>(this));
    input_.ClickCheckBox();
}

// The client area's object, for OBJID_CLIENT; the system answers every other object id.
std::optional<LRESULT> VelCheckFrame::AnswerAccessibility(WPARAM w, LPARAM l) {
    return hosting::AnswerClientObject(accessible_, w, l, [this] {
        return com::Make<CheckFrameAccessible>(Surface().Hwnd(), static_cast<CheckFrameAccessible::Source&>(*this));
    });
}

// Raised whether or not a client asked for the object yet: a listening client asks then.
void VelCheckFrame::NotifyAccessibility(DWORD event) const {
    if (Surface().Hwnd()) NotifyWinEvent(event, Surface().Hwnd(), OBJID_CLIENT, CHILDID_SELF);
}

void VelCheckFrame::RepaintCheckBox(bool pressed) { RepaintParts(pressed ? rdCheckBox | rdPressed : rdCheckBox); }

// Tab or Shift+Tab as keystrokes, for the container to move the focus.
void VelCheckFrame::MoveFocus(bool forward) {
    INPUT keys[4]{};
    UINT count = 0;
    auto key = [&](WORD code, bool up) {
        keys[count].type = INPUT_KEYBOARD;
        keys[count].ki.wVk = code;
        keys[count].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        ++count;
    };
    if (!forward) key(VK_SHIFT, false);
    key(VK_TAB, false);
    key(VK_TAB, true);
    if (!forward) key(VK_SHIFT, true);
    SendInput(count, keys, sizeof(INPUT));
}

void VelCheckFrame::RaiseMouseEvent(DISPID id, short button, short shift, float x, float y) {
    ControlBase::RaiseEvent(id, {Reference(VT_I2, &button), Reference(VT_I2, &shift), Reference(VT_R4, &x),
                                 Reference(VT_R4, &y)});
}

void VelCheckFrame::RaiseKeyEvent(DISPID id, short keyCode, short shift) {
    if (id == kKeyPress) ControlBase::RaiseEvent(id, {Reference(VT_I2, &keyCode)});
    else ControlBase::RaiseEvent(id, {Reference(VT_I2, &keyCode), Reference(VT_I2, &shift)});
}

std::optional<LRESULT> VelCheckFrame::OnMessage(UINT message, WPARAM w, LPARAM l) {
    const float x = static_cast<float>(GET_X_LPARAM(l)), y = static_cast<float>(GET_Y_LPARAM(l));
    auto down = [&](short button) {
        SetCapture(Surface().Hwnd());
        input_.MouseDown(button, MouseShift(w), x, y);
        return 0;
    };
    auto up = [&](short button) {
        if (GetCapture() == Surface().Hwnd() && ButtonsOf(w) == 0) ReleaseCapture();
        input_.MouseUp(button, MouseShift(w), x, y);
        return 0;
    };
    switch (message) {
    case WM_LBUTTONDOWN: return down(1);
    case WM_RBUTTONDOWN: return down(2);
    case WM_MBUTTONDOWN: return down(4);
    case WM_LBUTTONDBLCLK:
        down(1);
        RaiseEvent(kDblClick);
        return 0;
    case WM_LBUTTONUP: return up(1);
    case WM_RBUTTONUP: return up(2);
    case WM_MBUTTONUP: return up(4);
    case WM_MOUSEMOVE: input_.MouseMove(ButtonsOf(w), MouseShift(w), x, y); return 0;
    case WM_KEYDOWN: input_.KeyDown(static_cast<short>(w), KeyShift()); return 0;
    case WM_KEYUP: input_.KeyUp(static_cast<short>(w), KeyShift()); return 0;
    case WM_CHAR: RaiseKeyEvent(kKeyPress, static_cast<short>(w), 0); return 0;
    case WM_GETDLGCODE: return DLGC_WANTARROWS | DLGC_WANTCHARS;
    case WM_GETOBJECT: return AnswerAccessibility(w, l);
    case kShownMessage:
        if (UserMode()) UpdateContainedControls();
        return 0;
    default: return std::nullopt;
    }
}

// ---- properties ---------------------------------------------------------------------

STDMETHODIMP VelCheckFrame::get_Alignment(VelCheckFrameAlignmentConstants* alignment) {
    VEL_CHECK_OUT(alignment);
    *alignment = static_cast<VelCheckFrameAlignmentConstants>(alignment_);
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_Alignment(VelCheckFrameAlignmentConstants alignment) {
    return Guarded(kIid, [&] {
        RequireRange(alignment, 2);
        alignment_ = alignment;
        PropertyChanged(L"Alignment");
        RepaintParts(rdAll);
    });
}

STDMETHODIMP VelCheckFrame::get_Appearance(VelAppearanceConstants* appearance) {
    VEL_CHECK_OUT(appearance);
    *appearance = static_cast<VelAppearanceConstants>(appearance_);
    return S_OK;
}

// Flat frames sit on the window colour, 3-D ones on the button face.
STDMETHODIMP VelCheckFrame::put_Appearance(VelAppearanceConstants appearance) {
    return Guarded(kIid, [&] {
        RequireRange(appearance, 1);
        SetBackColor(appearance == 0 ? kWindowBackground : kButtonFace);
        appearance_ = appearance;
        PropertyChanged(L"Appearance");
        RepaintParts(rdAll);
    });
}

STDMETHODIMP VelCheckFrame::get_BackColor(OLE_COLOR* color) {
    VEL_CHECK_OUT(color);
    *color = Surface().BackColor();
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_BackColor(OLE_COLOR color) {
    return Guarded(kIid, [&] { SetBackColor(color); });
}

STDMETHODIMP VelCheckFrame::get_BorderStyle(VelBorderStyleConstants* style) {
    VEL_CHECK_OUT(style);
    *style = static_cast<VelBorderStyleConstants>(borderStyle_);
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_BorderStyle(VelBorderStyleConstants style) {
    return Guarded(kIid, [&] {
        RequireRange(style, 1);
        borderStyle_ = style;
        PropertyChanged(L"BorderStyle");
        RepaintParts(rdAll);
    });
}

STDMETHODIMP VelCheckFrame::get_Caption(BSTR* caption) {
    VEL_CHECK_OUT(caption);
    return Guarded(kIid, [&] { *caption = com::Bstr(caption_).Detach(); });
}

// The strip the repaint erases covers the wider of the old and the new caption.
STDMETHODIMP VelCheckFrame::put_Caption(BSTR caption) {
    return Guarded(kIid, [&] {
        caption_.assign(caption ? caption : L"", SysStringLen(caption));
        PropertyChanged(L"Caption");
        long oldWidth = geometry_.captionWidth;
        MeasureCaption();
        geometry_.eraseWidth = std::max(oldWidth, geometry_.captionWidth);
        RepaintParts(rdAll);
        NotifyAccessibility(EVENT_OBJECT_NAMECHANGE);
    });
}

STDMETHODIMP VelCheckFrame::get_Enabled(VARIANT_BOOL* enabled) {
    VEL_CHECK_OUT(enabled);
    *enabled = Vb(Surface().Enabled());
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_Enabled(VARIANT_BOOL enabled) {
    return Guarded(kIid, [&] {
        Surface().SetEnabled(enabled != VARIANT_FALSE);
        PropertyChanged(L"Enabled");
        if (UserMode()) {
            if (hasFocus_) RepaintParts(rdCaption);
            UpdateContainedControls();
        } else {
            RepaintParts(rdCaption);
        }
        RepaintParts(rdCheckBox | rdCaption);
        NotifyAccessibility(EVENT_OBJECT_STATECHANGE);
    });
}

STDMETHODIMP VelCheckFrame::get_Font(IFontDisp** font) {
    VEL_CHECK_OUT(font);
    *font = AddRefOut(font_.Get());
    return S_OK;
}

STDMETHODIMP VelCheckFrame::putref_Font(IFontDisp* font) {
    return Guarded(kIid, [&] {
        Surface().SetFont(font);
        font_ = font;
        MeasureCaption();
        for (const wchar_t* name : {L"FontBold", L"FontCharset", L"FontItalic", L"FontName", L"FontSize",
                                    L"FontStrikethrough", L"FontUnderline", L"FontWeight"})
            PropertyChanged(name);
        RepaintParts(rdAll);
    });
}

STDMETHODIMP VelCheckFrame::get_ForeColor(OLE_COLOR* color) {
    VEL_CHECK_OUT(color);
    *color = Surface().ForeColor();
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_ForeColor(OLE_COLOR color) {
    return Guarded(kIid, [&] {
        foreColor_ = color;
        Surface().SetForeColor(color);
        PropertyChanged(L"ForeColor");
        RepaintParts(rdAll);
    });
}

STDMETHODIMP VelCheckFrame::get_HelpContextID(LONG* id) {
    VEL_CHECK_OUT(id);
    *id = helpContextId_;
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_HelpContextID(LONG id) {
    helpContextId_ = id;
    return S_OK;
}

STDMETHODIMP VelCheckFrame::get_hWnd(LONG* window) {
    VEL_CHECK_OUT(window);
    *window = static_cast<LONG>(reinterpret_cast<LONG_PTR>(Surface().Hwnd()));
    return S_OK;
}

STDMETHODIMP VelCheckFrame::get_MaskColor(OLE_COLOR* color) {
    VEL_CHECK_OUT(color);
    *color = maskColor_;
    return S_OK;
}

// The picture entry keeps the colour even before it has a bitmap, so that a mask
// colour set ahead of the picture is the one the picture is drawn with.
STDMETHODIMP VelCheckFrame::put_MaskColor(OLE_COLOR color) {
    return Guarded(kIid, [&] {
        maskColor_ = color;
        maskBlt_->Item(1).SetMaskColor(color);
        PropertyChanged(L"MaskColor");
        RepaintParts(rdCheckBox);
    });
}

STDMETHODIMP VelCheckFrame::get_MouseIcon(IPictureDisp** icon) {
    VEL_CHECK_OUT(icon);
    *icon = Surface().MouseIcon().Detach();
    return S_OK;
}

STDMETHODIMP VelCheckFrame::putref_MouseIcon(IPictureDisp* icon) {
    return Guarded(kIid, [&] {
        if (icon && StandardObjects::TypeOf(icon) != PictureType::Icon) com::Raise(LatchPanelErrors::MouseIconNotIcon());
        Surface().SetMouseIcon(icon);
        PropertyChanged(L"MouseIcon");
    });
}

STDMETHODIMP VelCheckFrame::get_MousePointer(short* pointer) {
    VEL_CHECK_OUT(pointer);
    *pointer = Surface().MousePointer();
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_MousePointer(short pointer) {
    return Guarded(kIid, [&] {
        Surface().SetMousePointer(pointer);
        PropertyChanged(L"MousePointer");
    });
}

STDMETHODIMP VelCheckFrame::get_OLEDropMode(VelOLEDropConstants* mode) {
    VEL_CHECK_OUT(mode);
    *mode = static_cast<VelOLEDropConstants>(oleDropMode_);
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_OLEDropMode(VelOLEDropConstants mode) {
    return Guarded(kIid, [&] {
        SetOleDropMode(static_cast<short>(mode));
        oleDropMode_ = static_cast<BYTE>(mode);
        PropertyChanged(L"OLEDropMode");
    });
}

STDMETHODIMP VelCheckFrame::get_Picture(IPictureDisp** picture) {
    VEL_CHECK_OUT(picture);
    *picture = AddRefOut(picture_.Get());
    return S_OK;
}

STDMETHODIMP VelCheckFrame::putref_Picture(IPictureDisp* picture) {
    return Guarded(kIid, [&] {
        if (picture == picture_.Get()) return;
        if (picture && BitmapOf(picture) && StandardObjects::TypeOf(picture) != PictureType::Bitmap)
            com::Raise(LatchPanelErrors::InvalidPropertyValue());
        ApplyPicture(picture, 4);
        RepaintParts(rdAll);
        PropertyChanged(L"Picture");
    });
}

STDMETHODIMP VelCheckFrame::get_RightToLeft(VARIANT_BOOL* rightToLeft) {
    VEL_CHECK_OUT(rightToLeft);
    *rightToLeft = Vb(Surface().RightToLeft());
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_RightToLeft(VARIANT_BOOL rightToLeft) {
    Surface().SetRightToLeft(rightToLeft != VARIANT_FALSE);
    return S_OK;
}

STDMETHODIMP VelCheckFrame::get_UseMaskColor(VARIANT_BOOL* use) {
    VEL_CHECK_OUT(use);
    *use = Vb(useMaskColor_);
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_UseMaskColor(VARIANT_BOOL use) {
    return Guarded(kIid, [&] {
        useMaskColor_ = use != VARIANT_FALSE;
        PropertyChanged(L"UseMaskColor");
        RepaintParts(rdAll);
    });
}

STDMETHODIMP VelCheckFrame::get_Value(VelCheckboxConstants* value) {
    VEL_CHECK_OUT(value);
    *value = static_cast<VelCheckboxConstants>(value_);
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_Value(VelCheckboxConstants value) {
    return Guarded(kIid, [&] {
        RequireRange(value, 2);
        value_ = value;
        PropertyChanged(L"Value");
        RepaintParts(rdAll);
        UpdateContainedControls();
        NotifyAccessibility(EVENT_OBJECT_STATECHANGE);
    });
}

STDMETHODIMP VelCheckFrame::get_WhatsThisHelpID(LONG* id) {
    VEL_CHECK_OUT(id);
    *id = whatsThisHelpId_;
    return S_OK;
}

STDMETHODIMP VelCheckFrame::put_WhatsThisHelpID(LONG id) {
    whatsThisHelpId_ = id;
    return S_OK;
}

// Dragging from the frame is left to the host's own drag operation; nothing to do here.
STDMETHODIMP VelCheckFrame::OLEDrag() { return S_OK; }

STDMETHODIMP VelCheckFrame::ShowAboutBox() {
    return Guarded(kIid, [&] {
        about::AboutBox::WithModuleVersion(com::Module::Handle(), com::LibraryTitle()).Show(Surface().Hwnd());
    });
}

}  // namespace vel::checkframe
