#include "VelColumnHeaders.h"

#include <string>

#include "Boundary.h"
#include "Checked.h"
#include "ColumnHeadersListener.h"
#include "Convert.h"
#include "KeyValue.h"
#include "LibraryFlags.h"
#include "RosterErrors.h"
#include "SnapshotEnumerator.h"

namespace vel::roster {

using namespace com;

namespace {

const IID& kIid = __uuidof(_VelColumnHeaders);

enum EventId : DISPID { kRemoved = 1, kAdded = 2, kChanged = 3 };

::VelColumnHeader* Out(const ComPtr<VelColumnHeader>& column) {
    return static_cast<::VelColumnHeader*>(ComPtr<VelColumnHeader>(column).Detach());
}

// Renumbering inside Add and Remove may write Index at run time.
class RenumberScope {
public:
    RenumberScope() { LibraryFlags::SetInternalRenumber(true); }
    ~RenumberScope() { LibraryFlags::SetInternalRenumber(false); }
};

}  // namespace

// While Add builds a column: change events are suppressed until the column is in
// place, and renumbering is allowed until its ColumnHeaderAdded has been handled.
class VelColumnHeaders::Adding {
public:
    explicit Adding(VelColumnHeaders& columns) : columns_(columns) { columns_.suppressChanged_ = true; }
    ~Adding() { columns_.suppressChanged_ = false; }
    void EndSuppression() { columns_.suppressChanged_ = false; }

private:
    RenumberScope renumbering_;
    VelColumnHeaders& columns_;
};

VelColumnHeaders::VelColumnHeaders() : events_(*this, DIID___VelColumnHeaders) { RegisterConnectionPoint(events_); }

VelColumnHeaders::~VelColumnHeaders() {
    for (auto& column : columns_.All()) column->SetParent(nullptr);
}

// ---- automation interface

STDMETHODIMP VelColumnHeaders::NewEnum(IUnknown** enumerator) {
    VEL_CHECK_OUT(enumerator);
    *enumerator = nullptr;
    return Guarded(kIid, [&] {
        std::vector<Variant> snapshot;
        for (auto& column : columns_.All())
            snapshot.push_back(Variant::FromDispatch(static_cast<::VelColumnHeader*>(column.Get())));
        auto created = Make<VariantEnumerator>(std::move(snapshot));
        *enumerator = created->Unknown();
        (*enumerator)->AddRef();
    });
}

STDMETHODIMP VelColumnHeaders::get_Item(VARIANT index, ::VelColumnHeader** column) {
    VEL_CHECK_OUT(column);
    *column = nullptr;
    return Guarded(kIid, [&] { *column = Out(ColumnAt(index)); });
}

STDMETHODIMP VelColumnHeaders::Add(VARIANT index, VARIANT key, VARIANT text, VARIANT width, VARIANT alignment,
                                   ::VelColumnHeader** column) {
    VEL_CHECK_OUT(column);
    *column = nullptr;
    return Guarded(kIid, [&] { *column = Out(AddColumn(index, key, text, width, alignment)); });
}

STDMETHODIMP VelColumnHeaders::Remove(VARIANT index) {
    return Guarded(kIid, [&] { RemoveColumn(index); });
}

STDMETHODIMP VelColumnHeaders::Clear() {
    return Guarded(kIid, [&] { ClearColumns(); });
}

STDMETHODIMP VelColumnHeaders::get_Count(LONG* count) {
    VEL_CHECK_OUT(count);
    *count = columns_.Count();
    return S_OK;
}

STDMETHODIMP VelColumnHeaders::HitTest(float x, float y, ::VelColumnHeader** column) {
    VEL_CHECK_OUT(column);
    *column = nullptr;
    return Guarded(kIid, [&] {
        if (VelColumnHeader* hit = HitTestCaption(x, y)) *column = Out(ComPtr<VelColumnHeader>(hit));
    });
}

// ---- columns

ComPtr<VelColumnHeader> VelColumnHeaders::ColumnAt(const VARIANT& index) const {
    return columns_.Find(index, RosterErrors::IndexOutOfBounds());
}

ComPtr<VelColumnHeader> VelColumnHeaders::AddColumn(const VARIANT& index, const VARIANT& key, const VARIANT& text,
                                                    const VARIANT& width, const VARIANT& alignment) {
    Adding adding(*this);
    auto column = Make<VelColumnHeader>();
    column->SetParent(this);
    const bool insert = !IsOmitted(index);
    const long position = insert ? columns_.ToIndex(index) : Count() + 1;
    column->StoreText(IsOmitted(text) ? Bstr(L"Column " + std::to_wstring(Count() + 1)) : ToText(text));
    if (!IsOmitted(key)) {
        Variant value = KeyValueOf(key);
        if (columns_.KeyExists(value.Get())) throw RosterErrors::ColumnKeyExists();
        column->StoreKey(std::move(value));
    }
    if (!IsOmitted(width)) {
        double units = ToDouble(width);
        // A width of 0 hides the column's cells; a negative one would break every sum of widths.
        if (units < 0) Raise(StandardError::InvalidPropertyValue);
        if (scaleFactor_ == 0) Raise(StandardError::DivisionByZero);
        column->StoreInternalWidth(RoundToLong(units / scaleFactor_));
    }
    if (!IsOmitted(alignment)) {
        const long value = ToLong(alignment);
        RequireRange(value, velLeftJustify, velCenter);
        column->StoreAlignment(value);
    }
    if (insert && !columns_.ValidPosition(position)) Raise(StandardError::SubscriptOutOfRange);
    CheckWidthSum(nullptr, column->GetInternalWidth());
    columns_.Insert(position, column);
    widthSum_ += AbsoluteWidth(column->GetInternalWidth());
    columns_.Renumber();
    adding.EndSuppression();
    RaiseAdded(*column.Get());
    return column;
}

void VelColumnHeaders::RemoveColumn(const VARIANT& index) {
    const long position = columns_.ToIndex(index);
    if (!columns_.ValidPosition(position)) throw RosterErrors::IndexOutOfBounds();
    ComPtr<VelColumnHeader> removed = columns_.RemoveAt(position);
    widthSum_ -= AbsoluteWidth(removed->GetInternalWidth());
    removed->SetParent(nullptr);
    {
        RenumberScope renumbering;
        columns_.Renumber();
    }
    RaiseRemoved(removed.Get());
}

void VelColumnHeaders::ClearColumns() {
    Columns former = columns_.TakeAll();
    widthSum_ = 0;
    for (auto& column : former) column->SetParent(nullptr);
    RaiseRemoved(nullptr);
}

// ---- geometry, in pixels of the control

void VelColumnHeaders::CheckWidthSum(const VelColumnHeader* column, long pixels) const {
    int64_t sum = widthSum_ + AbsoluteWidth(pixels) - (column ? AbsoluteWidth(column->GetInternalWidth()) : 0);
    if (sum > kMaxWidthSum) Raise(StandardError::Overflow);
}

long VelColumnHeaders::GetColumnLeft(long index) const {
    int64_t left = borderOffset_;
    for (long position = 1; position < index && position <= Count(); ++position) {
        if (At(position)->IsVisible()) left += At(position)->GetInternalWidth();
    }
    return Fit32(left);
}

long VelColumnHeaders::GetTotalWidth() const {
    int64_t total = borderOffset_;
    for (auto& column : columns_.All()) {
        if (column->IsVisible()) total += column->GetInternalWidth();
    }
    return Fit32(total);
}

// The caption under a point; the last 2 pixels of each column belong to its divider.
VelColumnHeader* VelColumnHeaders::HitTestCaption(float x, float y) const {
    if (!(borderOffset_ < y && y < headerHeight_)) return nullptr;
    double left = borderOffset_;
    for (auto& column : columns_.All()) {
        if (!column->IsVisible()) continue;
        const double width = column->GetInternalWidth();
        if (left - scrollLeft_ < x && x < left + width - 2 - scrollLeft_) return column.Get();
        left += width;
    }
    return nullptr;
}

// The column whose right divider lies within 2 pixels of the point; the leftmost wins.
VelColumnHeader* VelColumnHeaders::HitTestDivider(float x, float y) const {
    if (!(borderOffset_ < y && y < headerHeight_)) return nullptr;
    double left = borderOffset_;
    for (auto& column : columns_.All()) {
        if (!column->IsVisible()) continue;
        const double edge = left + column->GetInternalWidth() - scrollLeft_;
        if (edge - 2 <= x && x <= edge + 2) return column.Get();
        left += column->GetInternalWidth();
    }
    return nullptr;
}

void VelColumnHeaders::NotifyChanged(VelColumnHeader& column, const wchar_t* property) {
    if (!suppressChanged_) RaiseChanged(column, property);
}

void VelColumnHeaders::AssignKey(VelColumnHeader& column, Variant key) {
    if (columns_.KeyExists(key.Get())) throw RosterErrors::ColumnKeyExists();
    columns_.ChangeKey(&column, column.KeyValue(), key.Get());
    column.StoreKey(std::move(key));
}

// ---- events: each holds the collection and the column it hands out

void VelColumnHeaders::RaiseAdded(VelColumnHeader& column) {
    ComPtr<VelColumnHeaders> self(this);
    ComPtr<VelColumnHeader> hold(&column);
    if (listener_) listener_->ColumnHeaderAdded(column);
    events_.Fire(kAdded, {Variant::FromDispatch(static_cast<::VelColumnHeader*>(&column))});
}

void VelColumnHeaders::RaiseRemoved(VelColumnHeader* column) {
    ComPtr<VelColumnHeaders> self(this);
    ComPtr<VelColumnHeader> hold(column);
    if (listener_) listener_->ColumnHeaderRemoved(column);
    events_.Fire(kRemoved, {Variant::FromDispatch(static_cast<::VelColumnHeader*>(column))});
}

void VelColumnHeaders::RaiseChanged(VelColumnHeader& column, const wchar_t* property) {
    ComPtr<VelColumnHeaders> self(this);
    ComPtr<VelColumnHeader> hold(&column);
    if (listener_) listener_->ColumnHeaderChanged(column, property);
    events_.Fire(kChanged,
                 {Variant::FromDispatch(static_cast<::VelColumnHeader*>(&column)), Variant::FromString(property)});
}

}  // namespace vel::roster
