#include "IconStrip.h"

#include "CDrawRect.h"
#include "Module.h"
#include "NotifierPages.h"
#include "StandardObjects.h"

namespace vel::notifier {
namespace {

constexpr int kIconInset = 4, kIconTop = 5, kIconSize = 37;

long CountOf(_VelIcons* icons) {
    long count = 0;
    if (icons) icons->get_Count(&count);
    return count;
}

HICON IconOf(_VelIcons* icons, long position) {
    VARIANT index{};
    index.vt = VT_I4;
    index.lVal = position;
    com::ComPtr<::VelIcon> icon;
    com::ComPtr<IPictureDisp> picture;
    if (FAILED(icons->get_Item(&index, &icon)) || !icon || FAILED(icon->get_Icon(&picture)) || !picture) return nullptr;
    return reinterpret_cast<HICON>(static_cast<UINT_PTR>(hosting::StandardObjects::HandleOf(picture.Get())));
}

}  // namespace

IconStrip::IconStrip(Events& events, HWND page, RECT strip, int scrollBarId) : events_(events) {
    SetWindowLongPtrW(window_.Handle(), GWL_EXSTYLE, WS_EX_CLIENTEDGE);
    window_.Attach(page, strip);
    SetWindowPos(window_.Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
    scrollBar_ = CreateChild(page, L"SCROLLBAR", L"", SBS_HORZ, scrollBarId,
                             {strip.left, strip.bottom, strip.right - strip.left, 16});
}

long IconStrip::InnerWidth() const {
    RECT inner{};
    GetClientRect(window_.Handle(), &inner);
    return inner.right;
}

long IconStrip::ScrollValue() const { return GetScrollPos(scrollBar_, SB_CTL); }

// One cell per small step, four per large step.
void IconStrip::Scroll(WORD request) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(scrollBar_, SB_CTL, &info);
    long value = info.nPos;
    switch (request) {
        case SB_LINELEFT: value -= kCell; break;
        case SB_LINERIGHT: value += kCell; break;
        case SB_PAGELEFT: value -= 4 * kCell; break;
        case SB_PAGERIGHT: value += 4 * kCell; break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: value = info.nTrackPos; break;
        case SB_LEFT: value = info.nMin; break;
        case SB_RIGHT: value = info.nMax; break;
        default: return;
    }
    if (value < info.nMin) value = info.nMin;
    if (value > info.nMax) value = info.nMax;
    SetScrollPos(scrollBar_, SB_CTL, value, TRUE);
    Draw(shown_.Get(), selected_);
}

void IconStrip::UpdateScrollRange(long count) {
    long overflow = kCell * count - InnerWidth();
    SetScrollRange(scrollBar_, SB_CTL, 0, overflow > 0 ? overflow : 0, TRUE);
}

void IconStrip::UpdateScrollEnabled(long count) {
    EnableWindow(scrollBar_, 1 - ScrollValue() + kCell * count > InnerWidth());
}

long IconStrip::HitTest(_VelIcons* icons, long x) const {
    long left = 1 - ScrollValue();
    for (long position = 1; position <= CountOf(icons); ++position, left += kCell)
        if (left < x && x < left + kCell) return position;
    return 0;
}

void IconStrip::Draw(_VelIcons* icons, long selected) {
    shown_ = icons;
    selected_ = selected;
    InvalidateRect(window_.Handle(), nullptr, TRUE);
    UpdateWindow(window_.Handle());
}

// Cells without a picture stay empty but keep their place and their frames.
void IconStrip::Paint(HDC dc, _VelIcons* icons, long selected) {
    RECT inner{};
    GetClientRect(window_.Handle(), &inner);
    FillRect(dc, &inner, GetSysColorBrush(COLOR_BTNFACE));
    long x = 1 - ScrollValue();
    for (long position = 1; position <= CountOf(icons); ++position, x += kCell) {
        if (x > inner.right) break;
        if (x + kCell < 0) continue;
        if (HICON icon = IconOf(icons, position))
            DrawIconEx(dc, x + kIconInset, kIconTop, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
        if (position != selected) continue;
        drawing::CDrawRect::Draw3DRect(dc, x, 1, kCell, kCell, drawing::Rect3DStyle::Raised);
        if (hasFocus_) drawing::CDrawRect::Draw3DRect(dc, x + 2, 3, 41, 41, drawing::Rect3DStyle::RaisedOuter);
    }
}

std::optional<LRESULT> IconStrip::OnWindowMessage(HWND window, UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            Paint(dc, shown_.Get(), selected_);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
            SetFocus(window);
            events_.StripPressed(static_cast<short>(LOWORD(l)));
            return 0;
        case WM_KEYDOWN:
            if (w == VK_LEFT) events_.StripArrow(-1);
            if (w == VK_RIGHT) events_.StripArrow(1);
            return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_SETFOCUS: events_.StripFocusChanged(true); return 0;
        case WM_KILLFOCUS: events_.StripFocusChanged(false); return 0;
        default: return std::nullopt;
    }
}

}  // namespace vel::notifier
