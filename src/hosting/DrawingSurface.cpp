#include "DrawingSurface.h"

#include <olectl.h>

#include "AutomationError.h"
#include "GdiObject.h"
#include "StandardObjects.h"
#include "WindowDC.h"

namespace vel::hosting {
namespace {

double UnitsPerInch(ScaleUnit unit, bool horizontal) {
    switch (unit) {
    case ScaleUnit::Twip: return 1440.0;
    case ScaleUnit::Point: return 72.0;
    case ScaleUnit::Character: return horizontal ? 12.0 : 6.0;
    case ScaleUnit::Inch: return 1.0;
    case ScaleUnit::Millimeter: return 25.4;
    case ScaleUnit::Centimeter: return 2.54;
    case ScaleUnit::Himetric: return 2540.0;
    case ScaleUnit::User:
    case ScaleUnit::Pixel: break;
    default: com::Raise(com::StandardError::InvalidPropertyValue);
    }
    drawing::WindowDC screen(nullptr);
    int dpi = GetDeviceCaps(screen.Get(), horizontal ? LOGPIXELSX : LOGPIXELSY);
    return dpi > 0 ? dpi : 96.0;
}

double Convert(double value, ScaleUnit from, ScaleUnit to, bool horizontal) {
    if (from == to) return value;
    return value / UnitsPerInch(from, horizontal) * UnitsPerInch(to, horizontal);
}

LPCWSTR CursorOf(short code) {
    static const LPCWSTR cursors[] = {IDC_ARROW,    IDC_ARROW,    IDC_CROSS,  IDC_IBEAM,  IDC_ARROW,  IDC_SIZEALL,
                                      IDC_SIZENESW, IDC_SIZENS,   IDC_SIZENWSE, IDC_SIZEWE, IDC_UPARROW, IDC_WAIT,
                                      IDC_NO,       IDC_APPSTARTING, IDC_HELP, IDC_SIZEALL};
    return cursors[code];
}

}  // namespace

DrawingSurface::DrawingSurface(ControlWindow::Listener& listener) : window_(listener), dc_(GetDC(window_.Handle())) {
    SetBkMode(dc_, TRANSPARENT);
    SetTextColor(dc_, Translate(foreColor_));
    SetBkColor(dc_, Translate(backColor_));
}

DrawingSurface::~DrawingSurface() {
    ReleaseFont();
    ReleaseDC(window_.Handle(), dc_);
}

long DrawingSurface::ScaleWidth() const {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    return r.right - r.left;
}

long DrawingSurface::ScaleHeight() const {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    return r.bottom - r.top;
}

double DrawingSurface::ScaleX(double value, ScaleUnit from, ScaleUnit to) { return Convert(value, from, to, true); }
double DrawingSurface::ScaleY(double value, ScaleUnit from, ScaleUnit to) { return Convert(value, from, to, false); }

SIZE DrawingSurface::TextExtent(std::wstring_view text) const {
    SIZE size{};
    // An empty text still has the height of a line.
    if (text.empty()) {
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc_, &metrics);
        return {0, metrics.tmHeight};
    }
    GetTextExtentPoint32W(dc_, text.data(), static_cast<int>(text.size()), &size);
    return size;
}

void DrawingSurface::SetFont(IFontDisp* font) {
    ComPtr<IFont> f;
    if (font && FAILED(font->QueryInterface(IID_PPV_ARGS(&f)))) com::Raise(com::StandardError::InvalidPropertyValue);
    ReleaseFont();
    font_ = font;
    if (f) SelectFont(f.Get());
}

void DrawingSurface::SelectFont(IFont* font) {
    HFONT handle = nullptr;
    if (FAILED(font->get_hFont(&handle)) || !handle) return;
    // The font object owns the handle; the extra reference keeps it alive while selected.
    font->AddRefHfont(handle);
    selectedFont_ = font;
    selectedHandle_ = handle;
    fontSelection_.emplace(dc_, handle);
}

void DrawingSurface::ReleaseFont() {
    fontSelection_.reset();
    if (selectedFont_ && selectedHandle_) selectedFont_->ReleaseHfont(selectedHandle_);
    selectedFont_.Reset();
    selectedHandle_ = nullptr;
}

void DrawingSurface::SetForeColor(OLE_COLOR color) {
    foreColor_ = color;
    SetTextColor(dc_, Translate(color));
}

void DrawingSurface::SetBackColor(OLE_COLOR color) {
    backColor_ = color;
    SetBkColor(dc_, Translate(color));
    InvalidateRect(Hwnd(), nullptr, TRUE);
}

COLORREF DrawingSurface::Translate(OLE_COLOR color) {
    COLORREF result = 0;
    if (FAILED(OleTranslateColor(color, nullptr, &result))) return color & 0xFFFFFF;
    return result;
}

bool DrawingSurface::Enabled() const { return IsWindowEnabled(Hwnd()) != FALSE; }
void DrawingSurface::SetEnabled(bool enabled) { EnableWindow(Hwnd(), enabled); }

void DrawingSurface::SetMousePointer(short code) {
    if ((code < 0 || code > 15) && code != kMousePointerCustom) com::Raise(com::StandardError::InvalidPropertyValue);
    if (code == mousePointer_) return;
    mousePointer_ = code;
    ShowPointerIfOver();
}

void DrawingSurface::SetMouseIcon(IPictureDisp* icon) {
    if (icon == mouseIcon_.Get()) return;
    mouseIcon_ = icon;
    if (mousePointer_ == kMousePointerCustom) ShowPointerIfOver();
}

// The system asks a window for its pointer only when the mouse moves over it: a change
// made while the mouse is already there is shown at once, the way the next move would
// show it (the control first, then its parent and the class pointer).
void DrawingSurface::ShowPointerIfOver() const {
    HWND window = Hwnd();
    if (!window) return;
    POINT at{};
    bool over = GetCapture() == window || (GetCursorPos(&at) && WindowFromPoint(at) == window);
    if (over) SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

bool DrawingSurface::ApplyCursor() const {
    if (mousePointer_ == 0) return false;
    if (mousePointer_ == kMousePointerCustom) {
        auto handle = StandardObjects::HandleOf(mouseIcon_.Get());
        if (!handle) return false;
        SetCursor(reinterpret_cast<HCURSOR>(static_cast<UINT_PTR>(handle)));
        return true;
    }
    SetCursor(LoadCursorW(nullptr, CursorOf(mousePointer_)));
    return true;
}

void DrawingSurface::FillBackground(HDC dc) const {
    RECT r{};
    GetClientRect(Hwnd(), &r);
    drawing::OwnedBrush brush(CreateSolidBrush(Translate(backColor_)));
    FillRect(dc, &r, brush.Get());
}

void DrawingSurface::Refresh() const {
    InvalidateRect(Hwnd(), nullptr, TRUE);
    UpdateWindow(Hwnd());
}

}  // namespace vel::hosting
