#include "VelColumnHeader.h"

#include <utility>

#include "Boundary.h"
#include "Checked.h"
#include "Convert.h"
#include "KeyValue.h"
#include "LibraryFlags.h"
#include "RosterErrors.h"
#include "VelColumnHeaders.h"

namespace vel::roster {

using namespace com;

namespace {
const IID& kIid = __uuidof(::VelColumnHeader);

Bstr FromArgument(BSTR text) { return Bstr(std::wstring_view(text ? text : L"", SysStringLen(text))); }
}  // namespace

// ---- automation interface

STDMETHODIMP VelColumnHeader::get_Text(BSTR* text) {
    VEL_CHECK_OUT(text);
    *text = nullptr;
    return Guarded(kIid, [&] { *text = text_.Copy(); });
}

STDMETHODIMP VelColumnHeader::put_Text(BSTR text) {
    return Guarded(kIid, [&] { SetTextValue(FromArgument(text)); });
}

STDMETHODIMP VelColumnHeader::get_Width(LONG* width) {
    VEL_CHECK_OUT(width);
    return Guarded(kIid, [&] { *width = WidthValue(); });
}

STDMETHODIMP VelColumnHeader::put_Width(LONG width) {
    return Guarded(kIid, [&] { SetWidthValue(width); });
}

STDMETHODIMP VelColumnHeader::get_Visible(VARIANT_BOOL* visible) {
    VEL_CHECK_OUT(visible);
    *visible = visible_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP VelColumnHeader::put_Visible(VARIANT_BOOL visible) {
    return Guarded(kIid, [&] { SetVisibleValue(visible != VARIANT_FALSE); });
}

STDMETHODIMP VelColumnHeader::get_Alignment(VelAlignmentConstants* alignment) {
    VEL_CHECK_OUT(alignment);
    *alignment = static_cast<VelAlignmentConstants>(alignment_);
    return S_OK;
}

STDMETHODIMP VelColumnHeader::put_Alignment(VelAlignmentConstants alignment) {
    return Guarded(kIid, [&] {
        RequireRange(alignment, velLeftJustify, velCenter);
        SetAlignmentValue(alignment);
    });
}

STDMETHODIMP VelColumnHeader::get_Index(LONG* index) {
    VEL_CHECK_OUT(index);
    *index = index_;
    return S_OK;
}

STDMETHODIMP VelColumnHeader::put_Index(LONG index) {
    return Guarded(kIid, [&] { SetIndexValue(index); });
}

STDMETHODIMP VelColumnHeader::get_Key(VARIANT* key) {
    VEL_CHECK_OUT(key);
    VariantInit(key);
    return Guarded(kIid, [&] { key_.CopyTo(key); });
}

STDMETHODIMP VelColumnHeader::put_Key(VARIANT key) {
    return Guarded(kIid, [&] { SetKeyValue(key); });
}

STDMETHODIMP VelColumnHeader::get_Tag(VARIANT* tag) {
    VEL_CHECK_OUT(tag);
    VariantInit(tag);
    return Guarded(kIid, [&] { tag_.CopyTo(tag); });
}

STDMETHODIMP VelColumnHeader::put_Tag(VARIANT tag) {
    return Guarded(kIid, [&] { tag_ = Variant::Dereferenced(tag); });
}

STDMETHODIMP VelColumnHeader::get_Left(LONG* left) {
    VEL_CHECK_OUT(left);
    return Guarded(kIid, [&] { *left = LeftValue(); });
}

STDMETHODIMP VelColumnHeader::get_Top(LONG* top) {
    VEL_CHECK_OUT(top);
    return Guarded(kIid, [&] { *top = TopValue(); });
}

STDMETHODIMP VelColumnHeader::get_Height(LONG* height) {
    VEL_CHECK_OUT(height);
    return Guarded(kIid, [&] { *height = HeightValue(); });
}

STDMETHODIMP VelColumnHeader::get_SubItemIndex(LONG* subItemIndex) {
    VEL_CHECK_OUT(subItemIndex);
    return Guarded(kIid, [&] { *subItemIndex = Add32(index_, -1); });
}

// ---- operations of the library

void VelColumnHeader::SetTextValue(Bstr text) {
    text_ = std::move(text);
    Notify(L"Text");
}

void VelColumnHeader::SetParent(VelColumnHeaders* parent) {
    if (!parent && parent_) detachedScale_ = parent_->GetScaleFactor();
    parent_ = parent;
}

// Widths are in container units, converted with the list box's scale factor; a
// removed column keeps converting with the factor it had.
short VelColumnHeader::ScaleFactor() const { return parent_ ? parent_->GetScaleFactor() : detachedScale_; }

long VelColumnHeader::WidthValue() const { return Mul32(internalWidth_, ScaleFactor()); }

void VelColumnHeader::SetWidthValue(long width) {
    if (width <= 0) throw RosterErrors::WidthNotPositive();
    const short factor = ScaleFactor();
    if (factor == 0) Raise(StandardError::DivisionByZero);
    long pixels = RoundToLong(static_cast<double>(width) / factor);
    SetInternalWidth(pixels < 4 ? 4 : pixels);
}

void VelColumnHeader::SetInternalWidth(long pixels) {
    if (parent_) parent_->CheckWidthSum(this, pixels);
    const long former = std::exchange(internalWidth_, pixels);
    if (parent_) parent_->WidthChanged(former, pixels);
    Notify(L"Width");
}

void VelColumnHeader::SetVisibleValue(bool visible) {
    visible_ = visible;
    Notify(L"Visible");
}

void VelColumnHeader::SetAlignmentValue(long alignment) {
    alignment_ = alignment;
    Notify(L"Alignment");
}

void VelColumnHeader::SetKeyValue(const VARIANT& argument) {
    Variant key = KeyValueOf(argument);
    if (parent_) parent_->AssignKey(*this, std::move(key));
    else key_ = std::move(key);
}

void VelColumnHeader::SetIndexValue(long index) {
    if (LibraryFlags::IndexIsReadOnly()) throw RosterErrors::ColumnIndexReadOnly();
    index_ = index;
    if (parent_) parent_->IndexWritten();
}

long VelColumnHeader::LeftValue() const {
    return parent_ ? Mul32(parent_->GetColumnLeft(index_), parent_->GetScaleFactor()) : 0;
}

long VelColumnHeader::TopValue() const {
    return parent_ ? Mul16(parent_->GetBorderOffset(), parent_->GetScaleFactor()) : 0;
}

long VelColumnHeader::HeightValue() const {
    return parent_ ? Mul32(parent_->GetHeaderHeight(), parent_->GetScaleFactor()) : 0;
}

void VelColumnHeader::Notify(const wchar_t* property) {
    if (parent_) parent_->NotifyChanged(*this, property);
}

}  // namespace vel::roster
