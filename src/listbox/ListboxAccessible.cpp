#include "ListboxAccessible.h"

#include <algorithm>
#include <string>
#include <vector>

#include "AccessibleRowIds.h"
#include "SnapshotEnumerator.h"
#include "VelColumnHeader.h"
#include "VelColumnHeaders.h"
#include "VelListItem.h"
#include "VelListItems.h"

namespace vel::roster {

namespace {

constexpr short kShift = 1, kCtrl = 2;
constexpr LONG kSelectionFlags = SELFLAG_TAKEFOCUS | SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION |
                                 SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION;

LONG Clamp(int64_t value) { return static_cast<LONG>(std::clamp<int64_t>(value, LONG_MIN, LONG_MAX)); }

// Where the rows stand as the list paints them: whole rows from the first one at or
// below the scroll offset, down to the last one that fits above the bottom edge.
struct RowLayout {
    explicit RowLayout(const ListboxView& view) : view(view) {
        if (view.rowHeight <= 0) return;
        int64_t scrolled = std::max<int64_t>(view.verticalOffset, 0);
        first = (scrolled + view.rowHeight - 1) / view.rowHeight + 1;
        areaTop = view.border + view.headerHeight;
        bottom = view.hBarVisible ? view.height - view.border - view.hBarHeight : view.height - view.border + 1;
    }
    int64_t Top(long position) const { return areaTop + (position - first) * view.rowHeight; }
    bool Shown(long position) const {
        return view.rowHeight > 0 && position >= first && Top(position) + view.rowHeight <= bottom;
    }
    // The row's band in client coordinates, whether in view or not.
    RECT Rect(long position) const {
        long left = view.border - view.horizontalOffset;
        long right = view.vBarVisible ? view.vBarLeft : view.width - view.border;
        return {left, Clamp(Top(position)), std::max(left, right), Clamp(Top(position) + view.rowHeight)};
    }
    // The row shown at client point `y`, or 0.
    long At(long y) const {
        if (view.rowHeight <= 0 || y < areaTop) return 0;
        long position = static_cast<long>(first + (y - areaTop) / view.rowHeight);
        return position <= view.items->Count() && Shown(position) ? position : 0;
    }

    const ListboxView& view;
    int64_t first = 1, areaTop = 0, bottom = 0;
};

bool Highlighted(const ListboxView& view, const VelListItem& row) {
    return view.multiSelect ? row.IsSelected() : &row == view.selectedItem;
}

}  // namespace

ListboxAccessible::~ListboxAccessible() = default;

void ListboxAccessible::Disconnect() {
    source_ = nullptr;
    if (header_) std::exchange(header_, nullptr)->Disconnect();
}

ListHeaderAccessible& ListboxAccessible::Header() {
    if (!header_) header_ = com::Make<ListHeaderAccessible>(*source_, *static_cast<IAccessible*>(this));
    return *header_.Get();
}

bool ListboxAccessible::BandShown(const ListboxView& view) { return view.showHeaders && view.columns->Count() > 0; }

HRESULT ListboxAccessible::Resolve(const VARIANT& child, const ListboxView& view, Target& target) const {
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return S_OK;
    if (child.lVal == AccessibleRowIds::kHeaderId) {
        target.header = true;
        return BandShown(view) ? S_OK : E_INVALIDARG;
    }
    target.row = source_->AccessIds().RowOf(child.lVal);
    return target.row ? S_OK : E_INVALIDARG;
}

void ListboxAccessible::ChildAt(const ListboxView& view, long index, VARIANT* out) {
    if (BandShown(view) && index-- == 0) {
        out->vt = VT_DISPATCH;
        out->pdispVal = &Header();
        out->pdispVal->AddRef();
        return;
    }
    hosting::SetChildId(out, source_->AccessIds().IdOf(*view.items->At(index + 1)));
}

// The other visible columns of the row as "caption: text", in the order shown.
std::wstring ListboxAccessible::Description(const ListboxView& view, const VelListItem& row) const {
    std::wstring text;
    for (auto& column : view.columns->All()) {
        long subItem = column->IndexValue() - 1;
        if (!column->IsVisible() || subItem < 1 || subItem > row.SubItemCount()) continue;
        if (!text.empty()) text += L", ";
        text.append(column->TextValue().View()).append(L": ").append(row.SubItemText(subItem).View());
    }
    return text;
}

// ---- IAccessible --------------------------------------------------------------------------

STDMETHODIMP ListboxAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!source_) return RPC_E_DISCONNECTED;
    return AccessibleObjectFromWindow(source_->AccessWindow(), static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
}

STDMETHODIMP ListboxAccessible::get_accChildCount(LONG* count) {
    if (!count) return E_POINTER;
    if (!source_) return RPC_E_DISCONNECTED;
    ListboxView view = source_->AccessView();
    *count = view.items->Count() + (BandShown(view) ? 1 : 0);
    return S_OK;
}

STDMETHODIMP ListboxAccessible::get_accChild(VARIANT child, IDispatch** object) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(object, child, view, target); FAILED(hr)) return hr;
    if (!target.header && !target.row) return E_INVALIDARG;
    if (target.row) return S_FALSE;  // a row is a plain element of the list
    *object = &Header();
    (*object)->AddRef();
    return S_OK;
}

STDMETHODIMP ListboxAccessible::get_accName(VARIANT child, BSTR* name) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(name, child, view, target); FAILED(hr)) return hr;
    if (target.header) return hosting::SetText(L"Column headers", name);
    return target.row ? hosting::SetText(target.row->TextValue().View(), name) : S_FALSE;
}

STDMETHODIMP ListboxAccessible::get_accValue(VARIANT child, BSTR* value) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(value, child, view, target); FAILED(hr)) return hr;
    return DISP_E_MEMBERNOTFOUND;
}

STDMETHODIMP ListboxAccessible::get_accDescription(VARIANT child, BSTR* description) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(description, child, view, target); FAILED(hr)) return hr;
    return target.row ? hosting::SetText(Description(view, *target.row), description) : S_FALSE;
}

STDMETHODIMP ListboxAccessible::get_accState(VARIANT child, VARIANT* state) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(state, child, view, target); FAILED(hr)) return hr;
    LONG bits = 0;
    LONG multi = view.multiSelect ? STATE_SYSTEM_MULTISELECTABLE | STATE_SYSTEM_EXTSELECTABLE : 0;
    if (target.row) {
        bits = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | multi;
        if (Highlighted(view, *target.row)) bits |= STATE_SYSTEM_SELECTED;
        if (view.hasFocus && target.row == view.selectedItem) bits |= STATE_SYSTEM_FOCUSED;
        if (!RowLayout(view).Shown(target.row->IndexValue())) bits |= STATE_SYSTEM_OFFSCREEN;
    } else if (!target.header) {
        bits = STATE_SYSTEM_FOCUSABLE | multi;
        if (view.hasFocus) bits |= STATE_SYSTEM_FOCUSED;
        if (!source_->AccessEnabled()) bits |= STATE_SYSTEM_UNAVAILABLE;
        if (!IsWindowVisible(source_->AccessWindow())) bits |= STATE_SYSTEM_INVISIBLE;
    }
    hosting::SetLong(state, bits);
    return S_OK;
}

// The current row while the list has the focus, else the list itself.
STDMETHODIMP ListboxAccessible::get_accFocus(VARIANT* child) {
    ListboxView view;
    if (HRESULT hr = Begin(child, view); FAILED(hr)) return hr;
    if (!view.hasFocus) return S_FALSE;
    auto* current = const_cast<VelListItem*>(view.selectedItem);
    hosting::SetChildId(child, current ? source_->AccessIds().IdOf(*current) : CHILDID_SELF);
    return S_OK;
}

// One selected row as its id; several as an enumeration of their ids.
STDMETHODIMP ListboxAccessible::get_accSelection(VARIANT* children) {
    ListboxView view;
    if (HRESULT hr = Begin(children, view); FAILED(hr)) return hr;
    std::vector<com::Variant> selected;
    if (!view.multiSelect) {
        if (auto* current = const_cast<VelListItem*>(view.selectedItem))
            selected.push_back(com::Variant::FromLong(source_->AccessIds().IdOf(*current)));
    } else {
        for (auto& row : view.items->All())
            if (row->IsSelected()) selected.push_back(com::Variant::FromLong(source_->AccessIds().IdOf(*row.Get())));
    }
    if (selected.empty()) return S_FALSE;
    if (selected.size() == 1) {
        selected.front().CopyTo(children);
        return S_OK;
    }
    auto enumerator = com::Make<com::VariantEnumerator>(std::move(selected));
    children->vt = VT_UNKNOWN;
    children->punkVal = enumerator->Unknown();
    children->punkVal->AddRef();
    return S_OK;
}

STDMETHODIMP ListboxAccessible::accSelect(LONG flags, VARIANT child) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Find(child, view, target); FAILED(hr)) return hr;
    if (!target.row) return E_INVALIDARG;
    com::ComPtr<IAccessible> self(this);
    com::ComPtr<VelListItem> row(target.row);
    return Select(*row.Get(), flags, view.multiSelect);
}

// The flags as clicks: taking the selection is a plain click, extending it a Shift
// click, adding or removing one row a Ctrl click when it changes the row; focus alone
// makes the row current. A single-selection list takes only the selection and the focus.
HRESULT ListboxAccessible::Select(VelListItem& row, LONG flags, bool multiSelect) {
    const LONG changes = flags & (SELFLAG_TAKESELECTION | SELFLAG_EXTENDSELECTION | SELFLAG_ADDSELECTION |
                                  SELFLAG_REMOVESELECTION);
    if (flags == 0 || (flags & ~kSelectionFlags) ||
        ((flags & SELFLAG_ADDSELECTION) && (flags & SELFLAG_REMOVESELECTION)) ||
        ((flags & SELFLAG_TAKESELECTION) && changes != SELFLAG_TAKESELECTION))
        return E_INVALIDARG;
    if (!multiSelect && (changes & ~SELFLAG_TAKESELECTION)) return E_INVALIDARG;
    if (flags & SELFLAG_TAKEFOCUS) source_->AccessTakeFocus();
    if (!source_) return S_OK;  // a handler of the focus closed the list
    if (changes & SELFLAG_TAKESELECTION || (!multiSelect && (flags & SELFLAG_TAKEFOCUS))) {
        source_->AccessClick(row, 0);
    } else if (changes & SELFLAG_EXTENDSELECTION) {
        source_->AccessClick(row, kShift);
    } else if (((changes & SELFLAG_ADDSELECTION) && !row.IsSelected()) ||
               ((changes & SELFLAG_REMOVESELECTION) && row.IsSelected())) {
        source_->AccessClick(row, kCtrl);
    } else if (flags & SELFLAG_TAKEFOCUS) {
        source_->AccessFocusRow(row);
    }
    return S_OK;
}

STDMETHODIMP ListboxAccessible::accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    ListboxView view;
    Target target;
    if (HRESULT hr = Find(child, view, target); FAILED(hr)) return hr;
    RECT rect{0, 0, view.width, view.height};
    if (target.header) rect = ListHeaderAccessible::BandRect(view);
    if (target.row) rect = RowLayout(view).Rect(target.row->IndexValue());
    hosting::SetLocation(source_->AccessWindow(), rect, left, top, width, height);
    return S_OK;
}

// First and last child from the list; from a child its neighbours in the order shown.
STDMETHODIMP ListboxAccessible::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    ListboxView view;
    Target target;
    if (HRESULT hr = Begin(end, start, view, target); FAILED(hr)) return hr;
    const long band = BandShown(view) ? 1 : 0, count = view.items->Count() + band;
    long from = target.header ? 0 : target.row ? target.row->IndexValue() - 1 + band : -1, to = -1;
    bool self = !target.header && !target.row;
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = self ? 0 : -1; break;
    case NAVDIR_LASTCHILD: to = self ? count - 1 : -1; break;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN: to = self ? -1 : from + 1; break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP: to = self ? -1 : from - 1; break;
    default: break;
    }
    if (to < 0 || to >= count) return S_FALSE;
    ChildAt(view, to, end);
    return S_OK;
}

STDMETHODIMP ListboxAccessible::accHitTest(LONG x, LONG y, VARIANT* child) {
    ListboxView view;
    if (HRESULT hr = Begin(child, view); FAILED(hr)) return hr;
    POINT point = ClientPoint(x, y);
    RECT client{0, 0, view.width, view.height};
    if (!PtInRect(&client, point)) return S_FALSE;
    RECT band = ListHeaderAccessible::BandRect(view);
    if (BandShown(view) && PtInRect(&band, point)) {
        child->vt = VT_DISPATCH;
        child->pdispVal = &Header();
        child->pdispVal->AddRef();
        return S_OK;
    }
    RowLayout layout(view);
    long position = layout.At(point.y);
    RECT rect = position ? layout.Rect(position) : RECT{};
    hosting::SetChildId(child, position && PtInRect(&rect, point)
                                   ? source_->AccessIds().IdOf(*view.items->At(position))
                                   : CHILDID_SELF);
    return S_OK;
}

void ListboxAccessible::ItemAction(const Target& target) {
    com::ComPtr<VelListItem> row(target.row);
    source_->AccessActivate(*row.Get());
}

// ---- IEnumVARIANT -------------------------------------------------------------------------

STDMETHODIMP ListboxAccessible::Next(ULONG count, VARIANT* children, ULONG* fetched) {
    if (!children || (count > 1 && !fetched)) return E_POINTER;
    if (fetched) *fetched = 0;
    if (!source_) return RPC_E_DISCONNECTED;
    ListboxView view = source_->AccessView();
    const ULONG total = static_cast<ULONG>(view.items->Count() + (BandShown(view) ? 1 : 0));
    ULONG n = 0;
    for (; n < count && cursor_ < total; ++n, ++cursor_) {
        VariantInit(&children[n]);
        ChildAt(view, static_cast<long>(cursor_), &children[n]);
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

STDMETHODIMP ListboxAccessible::Skip(ULONG count) {
    if (!source_) return RPC_E_DISCONNECTED;
    ListboxView view = source_->AccessView();
    const ULONG total = static_cast<ULONG>(view.items->Count() + (BandShown(view) ? 1 : 0));
    const ULONG from = cursor_;
    cursor_ = static_cast<ULONG>(std::min<ULONGLONG>(ULONGLONG{cursor_} + count, total));
    return cursor_ - std::min(from, cursor_) == count ? S_OK : S_FALSE;
}

STDMETHODIMP ListboxAccessible::Reset() {
    cursor_ = 0;
    return source_ ? S_OK : RPC_E_DISCONNECTED;
}

// A copy holds the children left, as they are now.
STDMETHODIMP ListboxAccessible::Clone(IEnumVARIANT** copy) {
    if (!copy) return E_POINTER;
    *copy = nullptr;
    if (!source_) return RPC_E_DISCONNECTED;
    ListboxView view = source_->AccessView();
    const long total = view.items->Count() + (BandShown(view) ? 1 : 0);
    std::vector<com::Variant> rest;
    for (long index = static_cast<long>(cursor_); index < total; ++index) {
        VARIANT child;
        VariantInit(&child);
        ChildAt(view, index, &child);
        rest.emplace_back(child);
        VariantClear(&child);
    }
    auto enumerator = com::Make<com::VariantEnumerator>(std::move(rest));
    return enumerator->QueryInterface(IID_PPV_ARGS(copy));
}

}  // namespace vel::roster
