#pragma once
#include <deque>
#include <vector>

#include "ComObject.h"
#include "ConnectionPoint.h"
#include "DispatchImpl.h"
#include "KeyedSequence.h"
#include "ProvideClassInfo.h"
#include "RowPositions.h"
#include "SupportErrorInfo.h"
#include "VelListItem.h"
#include "VelRoster_h.h"

namespace vel::roster {

class ListItemsListener;

// The ordered, keyed rows of a list box. Besides the rows it keeps a copy of the
// geometry the list box computes, to answer hit tests and item positions.
class VelListItems
    : public com::ComObject<VelListItems, com::DispatchImpl<_VelListItems>, com::SupportErrorInfo,
                            com::ConnectionPointContainerImpl,
                            com::ProvideClassInfo<&CLSID_VelListItems, &DIID___VelListItems>> {
public:
    using Items = RowPositions::Rows;

    VelListItems();
    ~VelListItems() override;

    // Automation interface.
    STDMETHODIMP NewEnum(IUnknown** enumerator) override;
    STDMETHODIMP get_Item(VARIANT index, ::VelListItem** item) override;
    STDMETHODIMP Add(VARIANT index, VARIANT key, VARIANT text, ::VelListItem** item) override;
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP Clear() override;
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP HitTest(float x, float y, ::VelListItem** item) override;

    // The owner hears every event first; it clears the listener before it goes.
    void SetListener(ListItemsListener* listener) { listener_ = listener; }

    // Operations of the library (C++ callers).
    com::ComPtr<VelListItem> AddItem(const VARIANT& index, const VARIANT& key, const VARIANT& text);
    void RemoveItem(const VARIANT& index);
    void ClearItems();
    com::ComPtr<VelListItem> ItemAt(const VARIANT& index) const;
    VelListItem* HitTestItem(float x, float y) const;
    long Count() const { return items_.Count(); }
    VelListItem* At(long position) const { return items_.At(position); }
    const Items& All() const { return items_.All(); }

    void SetClientHeight(long value) { clientHeight_ = value; }
    void SetScaleFactor(short value) { scaleFactor_ = value; }
    short GetScaleFactor() const { return scaleFactor_; }
    void SetBorderOffset(short value) { borderOffset_ = value; }
    short GetBorderOffset() const { return borderOffset_; }
    void SetRowWidth(long value) { rowWidth_ = value; }
    long GetRowWidth() const { return rowWidth_; }
    void SetHeaderHeight(long value) { headerHeight_ = value; }
    void SetRowHeight(short value) { rowHeight_ = value; }
    short GetRowHeight() const { return rowHeight_; }
    void SetScrollLeft(long value) { scrollLeft_ = value; }
    void SetScrollTop(long value) { scrollTop_ = value; }
    void SetSelectionType(long value) { selectionType_ = value; }
    long GetSelectionType() const { return selectionType_; }
    long ColumnCount() const { return columnCount_; }

    void AddColumnSlot();
    void RemoveColumnSlot();
    void ResetColumnCount() { columnCount_ = 0; }
    // Adopts `items` (the same rows in another order) and renumbers, silently.
    void ReplaceItems(Items items);
    // Moves the row at position `from` to position `to`, silently.
    void MoveItem(long from, long to);
    // Counts the changes that can disturb an order of the rows by their texts: rows
    // added, texts and sub-item texts set, sub-item slots added or removed.
    unsigned long ContentVersion() const { return contentVersion_; }
    void DeselectAll();
    void SelectRange(VelListItem& a, VelListItem& b);
    long GetRowTop(long index) const;
    bool KeyExists(const VARIANT& key) const { return items_.KeyExists(key); }
    long IndexOfKey(const VARIANT& key) const { return items_.IndexOfKey(key); }
    long ToIndex(const VARIANT& value) const { return items_.ToIndex(value); }
    void NotifyChanged(VelListItem& item, const wchar_t* property);
    void Renumber() { positions_.RenumberAll(items_.All()); }

    // Called by an item of this collection.
    void AssignKey(VelListItem& item, com::Variant key);
    long CurrentIndex(const VelListItem& item) const { return positions_.IndexOf(item); }
    void WriteIndex(VelListItem& item, long index);

private:
    class SuppressChanged;
    VelListItem* HitTestListBoxStyle(double y) const;
    VelListItem* HitTestListViewStyle(double x, double y) const;
    VelListItem* HitTestStepwise(double x, double y) const;
    void RaiseAdded(VelListItem& item);
    void RaiseRemoved(VelListItem* item);
    void RaiseChanged(VelListItem& item, const wchar_t* property);
    void RaiseIndexChanges();

    com::KeyedSequence<VelListItem, Items> items_;
    RowPositions positions_;
    unsigned long contentVersion_ = 0;
    com::ConnectionPoint events_;
    ListItemsListener* listener_ = nullptr;
    long columnCount_ = 0;
    bool suppressChanged_ = false;
    long clientHeight_ = 0;
    short scaleFactor_ = 0;
    short borderOffset_ = 0;
    long rowWidth_ = 0;
    long headerHeight_ = 0;
    short rowHeight_ = 0;
    long scrollLeft_ = 0;
    long scrollTop_ = 0;
    long selectionType_ = 0;
};

}  // namespace vel::roster
