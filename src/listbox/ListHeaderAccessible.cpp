#include "ListHeaderAccessible.h"

#include "Bstr.h"
#include "VelColumnHeader.h"
#include "VelColumnHeaders.h"

namespace vel::roster {

namespace {

HRESULT NoChild(VARIANT* out) {
    VariantInit(out);
    return S_FALSE;
}

}  // namespace

long ListHeaderAccessible::VisibleCount(const ListboxView& view) {
    long count = 0;
    for (auto& column : view.columns->All()) count += column->IsVisible() ? 1 : 0;
    return count;
}

LONG ListHeaderAccessible::ChildIdOf(const ListboxView& view, long position) {
    if (position < 1 || position > view.columns->Count() || !view.columns->At(position)->IsVisible()) return 0;
    LONG id = 0;
    for (long p = 1; p <= position; ++p) id += view.columns->At(p)->IsVisible() ? 1 : 0;
    return id;
}

HRESULT ListHeaderAccessible::Resolve(const VARIANT& child, const ListboxView& view, Target& target) const {
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return S_OK;
    LONG id = 0;
    for (long p = 1; p <= view.columns->Count(); ++p) {
        if (!view.columns->At(p)->IsVisible() || ++id != child.lVal) continue;
        target = {view.columns->At(p), p};
        return S_OK;
    }
    return E_INVALIDARG;
}

RECT ListHeaderAccessible::BandRect(const ListboxView& view) {
    return {view.border, view.border, view.width - view.border, view.border + view.headerHeight};
}

// A column's caption rectangle in client coordinates, scrolled as shown.
RECT ListHeaderAccessible::ColumnRect(const ListboxView& view, long position) const {
    long left = view.columns->GetColumnLeft(position) - view.horizontalOffset;
    long width = view.columns->At(position)->GetInternalWidth();
    return {left, view.border, left + width, view.border + view.headerHeight};
}

STDMETHODIMP ListHeaderAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!source_) return RPC_E_DISCONNECTED;
    return list_->QueryInterface(IID_PPV_ARGS(parent));
}

STDMETHODIMP ListHeaderAccessible::get_accChildCount(LONG* count) {
    if (!count) return E_POINTER;
    if (!source_) return RPC_E_DISCONNECTED;
    *count = VisibleCount(source_->AccessView());
    return S_OK;
}

STDMETHODIMP ListHeaderAccessible::get_accChild(VARIANT child, IDispatch** object) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(object, child, view, target); FAILED(hr)) return hr;
    if (!target.column) return E_INVALIDARG;
    return S_FALSE;  // a column header is a plain element of the band
}

STDMETHODIMP ListHeaderAccessible::get_accName(VARIANT child, BSTR* name) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(name, child, view, target); FAILED(hr)) return hr;
    return hosting::SetText(target.column ? target.column->TextValue().View() : std::wstring_view(L"Column headers"), name);
}

// A column scrolled out of the band is off screen.
STDMETHODIMP ListHeaderAccessible::get_accState(VARIANT child, VARIANT* state) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(state, child, view, target); FAILED(hr)) return hr;
    LONG bits = 0;
    if (target.column) {
        RECT rect = ColumnRect(view, target.position);
        long right = view.vBarVisible ? view.vBarLeft : view.width - view.border;
        if (rect.right <= view.border || rect.left >= right) bits |= STATE_SYSTEM_OFFSCREEN;
    }
    hosting::SetLong(state, bits);
    return S_OK;
}

STDMETHODIMP ListHeaderAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    if (!source_) return RPC_E_DISCONNECTED;
    return NoChild(child);
}

STDMETHODIMP ListHeaderAccessible::get_accSelection(VARIANT* children) {
    if (!children) return E_POINTER;
    if (!source_) return RPC_E_DISCONNECTED;
    return NoChild(children);
}

STDMETHODIMP ListHeaderAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    ListboxView view;
    Target target;
    if (HRESULT hr = Find(child, view, target); FAILED(hr)) return hr;
    RECT rect = target.column ? ColumnRect(view, target.position) : BandRect(view);
    hosting::SetLocation(source_->AccessWindow(), rect, left, top, width, height);
    return S_OK;
}

// Among the columns: first and last from the band, next and previous from a column.
STDMETHODIMP ListHeaderAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(end, start, view, target); FAILED(hr)) return hr;
    LONG count = VisibleCount(view), from = target.column ? ChildIdOf(view, target.position) : 0, to = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = target.column ? 0 : 1; break;
    case NAVDIR_LASTCHILD: to = target.column ? 0 : count; break;
    case NAVDIR_NEXT:
    case NAVDIR_RIGHT: to = target.column ? from + 1 : 0; break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_LEFT: to = target.column ? from - 1 : 0; break;
    default: break;
    }
    if (to < 1 || to > count) return S_FALSE;
    hosting::SetChildId(end, to);
    return S_OK;
}

STDMETHODIMP ListHeaderAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    ListboxView view;
    if (HRESULT hr = Begin(child, view); FAILED(hr)) return hr;
    POINT point = ClientPoint(x, y);
    RECT band = BandRect(view);
    if (!PtInRect(&band, point)) return S_FALSE;
    hosting::SetChildId(child, CHILDID_SELF);
    for (long p = 1; p <= view.columns->Count(); ++p) {
        RECT rect = ColumnRect(view, p);
        if (view.columns->At(p)->IsVisible() && PtInRect(&rect, point)) {
            child->lVal = ChildIdOf(view, p);
            break;
        }
    }
    return S_OK;
}

void ListHeaderAccessible::ItemAction(const Target& target) {
    com::ComPtr<VelColumnHeader> column(target.column);
    source_->AccessColumnClick(*column.Get());
}

}  // namespace vel::roster
