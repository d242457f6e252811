#include "VelListItem.h"

#include "Boundary.h"
#include "Checked.h"
#include "KeyValue.h"
#include "LibraryFlags.h"
#include "RosterErrors.h"
#include "VelListItems.h"

namespace vel::roster {

using namespace com;

namespace {
const IID& kIid = __uuidof(::VelListItem);
}

// ---- automation interface

STDMETHODIMP VelListItem::get_Text(BSTR* text) {
    VEL_CHECK_OUT(text);
    *text = nullptr;
    return Guarded(kIid, [&] { *text = text_.Copy(); });
}

STDMETHODIMP VelListItem::put_Text(BSTR text) {
    return Guarded(kIid, [&] { SetTextValue(Bstr(std::wstring_view(text ? text : L"", SysStringLen(text)))); });
}

STDMETHODIMP VelListItem::get_SubItems(LONG subItem, BSTR* text) {
    VEL_CHECK_OUT(text);
    *text = nullptr;
    return Guarded(kIid, [&] { *text = SubItemText(subItem).Copy(); });
}

STDMETHODIMP VelListItem::put_SubItems(LONG subItem, BSTR text) {
    return Guarded(kIid, [&] { SetSubItemText(subItem, Bstr(std::wstring_view(text ? text : L"", SysStringLen(text)))); });
}

STDMETHODIMP VelListItem::get_Key(VARIANT* key) {
    VEL_CHECK_OUT(key);
    VariantInit(key);
    return Guarded(kIid, [&] { key_.CopyTo(key); });
}

STDMETHODIMP VelListItem::put_Key(VARIANT key) {
    return Guarded(kIid, [&] { SetKeyValue(key); });
}

STDMETHODIMP VelListItem::get_Index(LONG* index) {
    VEL_CHECK_OUT(index);
    *index = IndexValue();
    return S_OK;
}

STDMETHODIMP VelListItem::put_Index(LONG index) {
    return Guarded(kIid, [&] { SetIndexValue(index); });
}

STDMETHODIMP VelListItem::get_Tag(VARIANT* tag) {
    VEL_CHECK_OUT(tag);
    VariantInit(tag);
    return Guarded(kIid, [&] { tag_.CopyTo(tag); });
}

STDMETHODIMP VelListItem::put_Tag(VARIANT tag) {
    return Guarded(kIid, [&] { tag_ = Variant::Dereferenced(tag); });
}

STDMETHODIMP VelListItem::get_Selected(VARIANT_BOOL* selected) {
    VEL_CHECK_OUT(selected);
    *selected = selected_ ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP VelListItem::put_Selected(VARIANT_BOOL selected) {
    return Guarded(kIid, [&] { SetSelectedValue(selected != VARIANT_FALSE); });
}

STDMETHODIMP VelListItem::get_Left(LONG* left) {
    VEL_CHECK_OUT(left);
    return Guarded(kIid, [&] { *left = LeftValue(); });
}

STDMETHODIMP VelListItem::get_Top(LONG* top) {
    VEL_CHECK_OUT(top);
    return Guarded(kIid, [&] { *top = TopValue(); });
}

STDMETHODIMP VelListItem::get_Width(LONG* width) {
    VEL_CHECK_OUT(width);
    return Guarded(kIid, [&] { *width = WidthValue(); });
}

STDMETHODIMP VelListItem::get_Height(LONG* height) {
    VEL_CHECK_OUT(height);
    return Guarded(kIid, [&] { *height = HeightValue(); });
}

// ---- operations of the library

void VelListItem::SizeSubItems(long count) {
    if (count <= 0) Raise(StandardError::SubscriptOutOfRange);
    subItems_.assign(static_cast<size_t>(count), Bstr());
}

void VelListItem::GrowSubItems() { subItems_.emplace_back(); }

void VelListItem::ShrinkSubItems() {
    if (subItems_.size() <= 1) Raise(StandardError::SubscriptOutOfRange);
    subItems_.pop_back();
}

const Bstr& VelListItem::SubItemText(long subItem) const {
    if (subItem < 1 || subItem > SubItemCount()) Raise(StandardError::SubscriptOutOfRange);
    return subItems_[static_cast<size_t>(subItem - 1)];
}

void VelListItem::SetSubItemText(long subItem, Bstr text) {
    if (subItem < 1 || subItem > SubItemCount()) Raise(StandardError::SubscriptOutOfRange);
    subItems_[static_cast<size_t>(subItem - 1)] = std::move(text);
    Notify(L"SubItems");
}

void VelListItem::SetTextValue(Bstr text) {
    text_ = std::move(text);
    Notify(L"Text");
}

void VelListItem::SetKeyValue(const VARIANT& argument) {
    Variant key = KeyValueOf(argument);
    if (parent_) parent_->AssignKey(*this, std::move(key));
    else key_ = std::move(key);
}

long VelListItem::IndexValue() const { return parent_ ? parent_->CurrentIndex(*this) : index_; }

void VelListItem::SetIndexValue(long index) {
    if (LibraryFlags::IndexIsReadOnly()) throw RosterErrors::ItemIndexReadOnly();
    if (parent_) parent_->WriteIndex(*this, index);
    else index_ = index;
    Notify(L"Index");
}

void VelListItem::SetSelectedValue(bool selected) {
    selected_ = selected;
    Notify(L"Selected");
}

// Positions in container units, not scrolled; 0 for an item that belongs to no list.
long VelListItem::LeftValue() const {
    return parent_ ? Mul16(parent_->GetBorderOffset(), parent_->GetScaleFactor()) : 0;
}

long VelListItem::TopValue() const {
    return parent_ ? Mul32(parent_->GetRowTop(IndexValue()), parent_->GetScaleFactor()) : 0;
}

long VelListItem::WidthValue() const {
    return parent_ ? Mul32(parent_->GetRowWidth(), parent_->GetScaleFactor()) : 0;
}

long VelListItem::HeightValue() const {
    return parent_ ? Mul16(parent_->GetRowHeight(), parent_->GetScaleFactor()) : 0;
}

void VelListItem::Notify(const wchar_t* property) {
    if (parent_) parent_->NotifyChanged(*this, property);
}

}  // namespace vel::roster
