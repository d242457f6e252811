#pragma once
#include <vector>

#include "Bstr.h"
#include "ComObject.h"
#include "DispatchImpl.h"
#include "SupportErrorInfo.h"
#include "Variant.h"
#include "VelRoster_h.h"

namespace vel::roster {

class VelListItems;

// One row of the list box: its text, one sub-item text per column, key, position,
// selection state and a free tag. Created only by VelListItems.Add.
class VelListItem : public com::ComObject<VelListItem, com::DispatchImpl<::VelListItem>, com::SupportErrorInfo> {
public:
    // Automation interface.
    STDMETHODIMP get_Text(BSTR* text) override;
    STDMETHODIMP put_Text(BSTR text) override;
    STDMETHODIMP get_SubItems(LONG subItem, BSTR* text) override;
    STDMETHODIMP put_SubItems(LONG subItem, BSTR text) override;
    STDMETHODIMP get_Key(VARIANT* key) override;
    STDMETHODIMP put_Key(VARIANT key) override;
    STDMETHODIMP get_Index(LONG* index) override;
    STDMETHODIMP put_Index(LONG index) override;
    STDMETHODIMP get_Tag(VARIANT* tag) override;
    STDMETHODIMP put_Tag(VARIANT tag) override;
    STDMETHODIMP get_Selected(VARIANT_BOOL* selected) override;
    STDMETHODIMP put_Selected(VARIANT_BOOL selected) override;
    STDMETHODIMP get_Left(LONG* left) override;
    STDMETHODIMP get_Top(LONG* top) override;
    STDMETHODIMP get_Width(LONG* width) override;
    STDMETHODIMP get_Height(LONG* height) override;

    // Operations of the library.
    void SetParent(VelListItems* parent) { parent_ = parent; }
    VelListItems* Parent() const { return parent_; }
    void SizeSubItems(long count);
    void GrowSubItems();
    void ShrinkSubItems();
    long SubItemCount() const { return static_cast<long>(subItems_.size()); }
    const com::Bstr& SubItemText(long subItem) const;  // 1-based
    void SetSubItemText(long subItem, com::Bstr text);

    const com::Bstr& TextValue() const { return text_; }
    void SetTextValue(com::Bstr text);
    const VARIANT& KeyValue() const { return key_.Get(); }
    void StoreKey(com::Variant key) { key_ = std::move(key); }
    void SetKeyValue(const VARIANT& key);
    // The row's position in its list (kept lazily by the list), or its last one.
    long IndexValue() const;
    void AssignIndex(long index) { SyncIndex(index, 0); }
    void SetIndexValue(long index);
    // The Index as last brought up to date, with the stamp of that moment (RowPositions).
    long StoredIndex() const { return index_; }
    unsigned long IndexStamp() const { return indexStamp_; }
    void SyncIndex(long index, unsigned long stamp) const {
        index_ = index;
        indexStamp_ = stamp;
    }
    bool IsSelected() const { return selected_; }
    void SetSelectedValue(bool selected);
    void StoreSelected(bool selected) { selected_ = selected; }
    const VARIANT& TagValue() const { return tag_.Get(); }

    long LeftValue() const;
    long TopValue() const;
    long WidthValue() const;
    long HeightValue() const;

private:
    void Notify(const wchar_t* property);

    com::Bstr text_;
    std::vector<com::Bstr> subItems_;
    com::Variant key_;
    // A cache of the position, brought up to date when read.
    mutable long index_ = 0;
    mutable unsigned long indexStamp_ = 0;
    VelListItems* parent_ = nullptr;  // the owning collection while the item belongs to it
    bool selected_ = false;
    com::Variant tag_;
};

}  // namespace vel::roster
