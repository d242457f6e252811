#include "VelListItems.h"

#include <cmath>

#include "Boundary.h"
#include "Checked.h"
#include "KeyValue.h"
#include "ListItemsListener.h"
#include "RosterErrors.h"
#include "SnapshotEnumerator.h"

namespace vel::roster {

using namespace com;

namespace {

const IID& kIid = __uuidof(_VelListItems);

enum EventId : DISPID { kAdded = 1, kRemoved = 2, kChanged = 3 };

::VelListItem* Out(const ComPtr<VelListItem>& item) {
    return static_cast<::VelListItem*>(ComPtr<VelListItem>(item).Detach());
}

}  // namespace

// Holds suppressChanged for the life of a scope; a failure on the way releases it.
class VelListItems::SuppressChanged {
public:
    explicit SuppressChanged(VelListItems& items) : items_(items) { items_.suppressChanged_ = true; }
    ~SuppressChanged() { items_.suppressChanged_ = false; }

private:
    VelListItems& items_;
};

VelListItems::VelListItems() : events_(*this, DIID___VelListItems) { RegisterConnectionPoint(events_); }

// Rows the host still holds keep their last Index.
VelListItems::~VelListItems() {
    positions_.Clearing(items_.All());
    for (auto& item : items_.All()) item->SetParent(nullptr);
}

// ---- automation interface

STDMETHODIMP VelListItems::NewEnum(IUnknown** enumerator) {
    VEL_CHECK_OUT(enumerator);
    *enumerator = nullptr;
    return Guarded(kIid, [&] {
        std::vector<Variant> snapshot;
        snapshot.reserve(items_.All().size());
        for (auto& item : items_.All()) snapshot.push_back(Variant::FromDispatch(static_cast<::VelListItem*>(item.Get())));
        auto created = Make<VariantEnumerator>(std::move(snapshot));
        *enumerator = created->Unknown();
        (*enumerator)->AddRef();
    });
}

STDMETHODIMP VelListItems::get_Item(VARIANT index, ::VelListItem** item) {
    VEL_CHECK_OUT(item);
    *item = nullptr;
    return Guarded(kIid, [&] { *item = Out(ItemAt(index)); });
}

STDMETHODIMP VelListItems::Add(VARIANT index, VARIANT key, VARIANT text, ::VelListItem** item) {
    VEL_CHECK_OUT(item);
    *item = nullptr;
    return Guarded(kIid, [&] { *item = Out(AddItem(index, key, text)); });
}

STDMETHODIMP VelListItems::Remove(VARIANT index) {
    return Guarded(kIid, [&] { RemoveItem(index); });
}

STDMETHODIMP VelListItems::Clear() {
    return Guarded(kIid, [&] { ClearItems(); });
}

STDMETHODIMP VelListItems::get_Count(LONG* count) {
    VEL_CHECK_OUT(count);
    *count = items_.Count();
    return S_OK;
}

STDMETHODIMP VelListItems::HitTest(float x, float y, ::VelListItem** item) {
    VEL_CHECK_OUT(item);
    *item = nullptr;
    return Guarded(kIid, [&] {
        if (VelListItem* hit = HitTestItem(x, y)) *item = Out(ComPtr<VelListItem>(hit));
    });
}

// ---- rows

ComPtr<VelListItem> VelListItems::ItemAt(const VARIANT& index) const {
    // While every Index is its row's position, a key names its row directly; the row's
    // Index need not be brought up to date to find it.
    if (!positions_.Overridden())
        if (VelListItem* keyed = items_.KeyedMember(index)) return keyed;
    return items_.Find(index, RosterErrors::IndexOutOfBounds());
}

ComPtr<VelListItem> VelListItems::AddItem(const VARIANT& index, const VARIANT& key, const VARIANT& text) {
    ComPtr<VelListItem> item;
    {
        SuppressChanged suppress(*this);
        item = Make<VelListItem>();
        item->SetParent(this);
        const bool insert = !IsOmitted(index);
        const long position = insert ? items_.ToIndex(index) : Count() + 1;
        if (!IsOmitted(text)) item->SetTextValue(ToText(text));
        if (!IsOmitted(key)) {
            Variant value = KeyValueOf(key);
            if (items_.KeyExists(value.Get())) throw RosterErrors::ItemKeyExists();
            item->StoreKey(std::move(value));
        }
        item->SizeSubItems(columnCount_);
        if (insert && !items_.ValidPosition(position)) Raise(StandardError::SubscriptOutOfRange);
        items_.Insert(position, item);
        positions_.Inserted(items_.All(), *item.Get(), position);
        ++contentVersion_;
    }
    RaiseAdded(*item.Get());
    return item;
}

void VelListItems::RemoveItem(const VARIANT& index) {
    const long position = items_.ToIndex(index);
    if (!items_.ValidPosition(position)) throw RosterErrors::IndexOutOfBounds();
    ComPtr<VelListItem> removed = items_.RemoveAt(position);
    positions_.Removed(items_.All(), *removed.Get(), position);
    removed->SetParent(nullptr);
    RaiseIndexChanges();
    RaiseRemoved(removed.Get());
}

void VelListItems::ClearItems() {
    positions_.Clearing(items_.All());
    Items former = items_.TakeAll();
    for (auto& item : former) item->SetParent(nullptr);
    RaiseRemoved(nullptr);
}

// ---- hit test

VelListItem* VelListItems::HitTestItem(float x, float y) const {
    if (Count() == 0) return nullptr;
    if (rowHeight_ <= 0) return HitTestStepwise(x, y);
    // Rows are scanned from the top; the scan stops at once when the client area
    // is shorter than the border.
    if (0 > static_cast<int64_t>(clientHeight_) - borderOffset_) return nullptr;
    if (!std::isfinite(y)) return nullptr;
    return selectionType_ == 0 ? HitTestListBoxStyle(y) : HitTestListViewStyle(x, y);
}

// The rows from the first one at or below the scroll offset are laid out from the top
// of the row area, one row height apart; the scan ends after a row that starts below
// the client area.
namespace {

struct RowArea {
    int64_t first;      // position of the first row that is not scrolled out
    int64_t areaTop;    // header height + border
    int64_t rowHeight;
    int64_t bottom;     // client height - border
    int64_t count;

    bool Reached(int64_t position) const {
        if (position < first || position > count) return false;
        return position == first || areaTop + (position - 1 - first) * rowHeight <= bottom;
    }
};

RowArea MakeRowArea(long count, long scrollTop, short rowHeight, long headerHeight, short border, long clientHeight) {
    int64_t first = scrollTop <= 0 ? 1 : (static_cast<int64_t>(scrollTop) + rowHeight - 1) / rowHeight + 1;
    return {first, static_cast<int64_t>(headerHeight) + border, rowHeight,
            static_cast<int64_t>(clientHeight) - border, count};
}

// The k with origin + k*height < y <= origin + (k+1)*height, or -1.
int64_t Band(double origin, double height, double y, int64_t limit) {
    double guess = std::ceil((y - origin) / height) - 1;
    if (guess < -1 || guess > static_cast<double>(limit) + 1) return -1;
    auto k0 = static_cast<int64_t>(guess);
    for (int64_t k = k0 - 1; k <= k0 + 1; ++k) {
        if (k < 0) continue;
        double low = origin + static_cast<double>(k) * height;
        if (low < y && y <= low + height) return k;
    }
    return -1;
}

}  // namespace

VelListItem* VelListItems::HitTestListBoxStyle(double y) const {
    RowArea area = MakeRowArea(Count(), scrollTop_, rowHeight_, headerHeight_, borderOffset_, clientHeight_);
    int64_t k = Band(static_cast<double>(area.areaTop), rowHeight_, y, area.count);
    if (k < 0) return nullptr;
    int64_t position = area.first + k;
    return area.Reached(position) ? At(static_cast<long>(position)) : nullptr;
}

VelListItem* VelListItems::HitTestListViewStyle(double x, double y) const {
    if (!(-static_cast<double>(scrollLeft_) < x && x < static_cast<double>(rowWidth_) - scrollLeft_)) return nullptr;
    RowArea area = MakeRowArea(Count(), scrollTop_, rowHeight_, headerHeight_, borderOffset_, clientHeight_);
    double origin = static_cast<double>(borderOffset_) + headerHeight_ - scrollTop_;
    int64_t k = Band(origin, rowHeight_, y, area.count);
    if (k < 0) return nullptr;
    int64_t position = k + 1;
    return area.Reached(position) ? At(static_cast<long>(position)) : nullptr;
}

// The scan row by row, for row heights where rows do not advance downwards.
VelListItem* VelListItems::HitTestStepwise(double x, double y) const {
    int64_t rowY = static_cast<int64_t>(borderOffset_) + headerHeight_;
    int64_t top = 0;
    bool first = true;
    for (long position = 1; position <= Count(); ++position) {
        if (top > static_cast<int64_t>(clientHeight_) - borderOffset_) return nullptr;
        if (rowY - scrollTop_ < static_cast<int64_t>(headerHeight_) + borderOffset_) {
            rowY += rowHeight_;
            continue;
        }
        top = first ? static_cast<int64_t>(headerHeight_) + borderOffset_ : top + rowHeight_;
        first = false;
        bool hit;
        if (selectionType_ == 0) {
            hit = static_cast<double>(top) < y && y <= static_cast<double>(top + rowHeight_);
        } else {
            double rowTop = static_cast<double>(rowY - scrollTop_);
            hit = -static_cast<double>(scrollLeft_) < x && x < static_cast<double>(rowWidth_) - scrollLeft_ &&
                  rowTop < y && y <= rowTop + rowHeight_;
        }
        if (hit) return At(position);
        rowY += rowHeight_;
    }
    return nullptr;
}

// ---- operations for the list box

void VelListItems::AddColumnSlot() {
    for (auto& item : items_.All()) item->GrowSubItems();
    ++columnCount_;
    ++contentVersion_;
}

void VelListItems::RemoveColumnSlot() {
    if (columnCount_ <= 0 || (columnCount_ == 1 && Count() > 0)) Raise(StandardError::SubscriptOutOfRange);
    for (auto& item : items_.All()) item->ShrinkSubItems();
    --columnCount_;
    ++contentVersion_;
}

void VelListItems::ReplaceItems(Items items) {
    SuppressChanged suppress(*this);
    items_.Reorder(std::move(items));
    positions_.RenumberAll(items_.All());
}

void VelListItems::MoveItem(long from, long to) {
    if (from == to || !items_.ValidPosition(from) || !items_.ValidPosition(to)) return;
    ComPtr<VelListItem> moved = items_.RemoveAt(from);
    positions_.Removed(items_.All(), *moved.Get(), from);
    items_.Insert(to, moved);
    positions_.Inserted(items_.All(), *moved.Get(), to);
}

void VelListItems::WriteIndex(VelListItem& item, long index) {
    positions_.Overriding(items_.All());
    item.SyncIndex(index, positions_.Current());
}

void VelListItems::DeselectAll() {
    bool cleared = false;
    for (auto& item : items_.All()) {
        cleared = cleared || item->IsSelected();
        item->StoreSelected(false);
    }
    if (cleared && listener_) listener_->ListSelectionCleared();
}

void VelListItems::SelectRange(VelListItem& a, VelListItem& b) {
    ComPtr<VelListItem> holdA(&a), holdB(&b);
    const long to = a.IndexValue();
    const long step = to > b.IndexValue() ? 1 : -1;
    for (long position = b.IndexValue();; position += step) {
        if (!items_.ValidPosition(position)) break;
        ComPtr<VelListItem> item(At(position));
        item->SetSelectedValue(true);
        if (position == to) break;
    }
}

long VelListItems::GetRowTop(long index) const {
    return Add32(headerHeight_, Mul32(Add32(index, -1), rowHeight_));
}

void VelListItems::NotifyChanged(VelListItem& item, const wchar_t* property) {
    if (suppressChanged_) return;
    std::wstring_view name(property);
    if (name == L"Text" || name == L"SubItems") ++contentVersion_;
    RaiseChanged(item, property);
}

void VelListItems::AssignKey(VelListItem& item, Variant key) {
    if (items_.KeyExists(key.Get())) throw RosterErrors::ItemKeyExists();
    items_.ChangeKey(&item, item.KeyValue(), key.Get());
    item.StoreKey(std::move(key));
}

// ---- events: each holds the collection and the items it hands out

void VelListItems::RaiseAdded(VelListItem& item) {
    ComPtr<VelListItems> self(this);
    ComPtr<VelListItem> hold(&item);
    if (listener_) listener_->ListItemAdded(item);
    events_.Fire(kAdded, {Variant::FromDispatch(static_cast<::VelListItem*>(&item))});
}

void VelListItems::RaiseRemoved(VelListItem* item) {
    ComPtr<VelListItems> self(this);
    ComPtr<VelListItem> hold(item);
    if (listener_) listener_->ListItemRemoved(item);
    events_.Fire(kRemoved, {Variant::FromDispatch(static_cast<::VelListItem*>(item))});
}

void VelListItems::RaiseChanged(VelListItem& item, const wchar_t* property) {
    ComPtr<VelListItems> self(this);
    ComPtr<VelListItem> hold(&item);
    if (listener_) listener_->ListItemChanged(item, property);
    events_.Fire(kChanged, {Variant::FromDispatch(static_cast<::VelListItem*>(&item)), Variant::FromString(property)});
}

// After a removal every remaining row reports its (renumbered) Index, in position
// order, when a sink listens. The owner hears these only alongside the sinks: its
// repaint after the removal covers them. A handler may change the collection
// meanwhile: rows it removed are skipped.
void VelListItems::RaiseIndexChanges() {
    if (!events_.HasSinks() || suppressChanged_) return;
    ComPtr<VelListItems> self(this);
    positions_.RenumberAll(items_.All());
    Items snapshot = items_.All();
    for (auto& item : snapshot) {
        if (item->Parent() == this && !suppressChanged_) RaiseChanged(*item.Get(), L"Index");
    }
}

}  // namespace vel::roster
