#pragma once
#include "ComObject.h"
#include "ConnectionPoint.h"
#include "DispatchImpl.h"
#include "KeyedSequence.h"
#include "ProvideClassInfo.h"
#include "SupportErrorInfo.h"
#include "VelColumnHeader.h"
#include "VelRoster_h.h"

namespace vel::roster {

class ColumnHeadersListener;

// The ordered, keyed columns of a list box, with the header geometry the list box
// hands over to answer the caption and divider hit tests.
class VelColumnHeaders
    : public com::ComObject<VelColumnHeaders, com::DispatchImpl<_VelColumnHeaders>, com::SupportErrorInfo,
                            com::ConnectionPointContainerImpl,
                            com::ProvideClassInfo<&CLSID_VelColumnHeaders, &DIID___VelColumnHeaders>> {
public:
    using Columns = com::KeyedSequence<VelColumnHeader>::Members;

    VelColumnHeaders();
    ~VelColumnHeaders() override;

    // Automation interface.
    STDMETHODIMP NewEnum(IUnknown** enumerator) override;
    STDMETHODIMP get_Item(VARIANT index, ::VelColumnHeader** column) override;
    STDMETHODIMP Add(VARIANT index, VARIANT key, VARIANT text, VARIANT width, VARIANT alignment,
                     ::VelColumnHeader** column) override;
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP Clear() override;
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP HitTest(float x, float y, ::VelColumnHeader** column) override;

    // The owner hears every event first; it clears the listener before it goes.
    void SetListener(ColumnHeadersListener* listener) { listener_ = listener; }

    // Operations of the library (C++ callers).
    com::ComPtr<VelColumnHeader> AddColumn(const VARIANT& index, const VARIANT& key, const VARIANT& text,
                                           const VARIANT& width, const VARIANT& alignment);
    void RemoveColumn(const VARIANT& index);
    void ClearColumns();
    com::ComPtr<VelColumnHeader> ColumnAt(const VARIANT& index) const;
    long Count() const { return columns_.Count(); }
    VelColumnHeader* At(long position) const { return columns_.At(position); }
    const Columns& All() const { return columns_.All(); }

    void SetScaleFactor(short value) { scaleFactor_ = value; }
    short GetScaleFactor() const { return scaleFactor_; }
    void SetBorderOffset(short value) { borderOffset_ = value; }
    short GetBorderOffset() const { return borderOffset_; }
    void SetHeaderHeight(long value) { headerHeight_ = value; }
    long GetHeaderHeight() const { return headerHeight_; }
    void SetScrollLeft(long value) { scrollLeft_ = value; }
    // Column widths add up to at most this many pixels, counted without sign and with the
    // invisible columns, so that no edge, total or scroll range made of them overflows.
    static constexpr int64_t kMaxWidthSum = 0x3FFFFFFF;
    // Raises error 6 (overflow) when `column` (nullptr: a new column) taking `pixels` would
    // pass that sum; called before anything changes. The sum is kept as columns come, go
    // and change width, so the check costs the same for any number of columns.
    void CheckWidthSum(const VelColumnHeader* column, long pixels) const;
    // Called by a column of this collection once its width has changed.
    void WidthChanged(long from, long to) { widthSum_ += AbsoluteWidth(to) - AbsoluteWidth(from); }
    long GetColumnLeft(long index) const;
    long GetTotalWidth() const;
    VelColumnHeader* HitTestCaption(float x, float y) const;
    VelColumnHeader* HitTestDivider(float x, float y) const;
    bool KeyExists(const VARIANT& key) const { return columns_.KeyExists(key); }
    long IndexOfKey(const VARIANT& key) const { return columns_.IndexOfKey(key); }
    long ToIndex(const VARIANT& value) const { return columns_.ToIndex(value); }
    void NotifyChanged(VelColumnHeader& column, const wchar_t* property);
    void Renumber() { columns_.Renumber(); }

    // Called by a column of this collection.
    void AssignKey(VelColumnHeader& column, com::Variant key);
    void IndexWritten() { columns_.IndexWritten(); }

private:
    class Adding;
    static int64_t AbsoluteWidth(long pixels) { return pixels < 0 ? -int64_t{pixels} : pixels; }
    void RaiseAdded(VelColumnHeader& column);
    void RaiseRemoved(VelColumnHeader* column);
    void RaiseChanged(VelColumnHeader& column, const wchar_t* property);

    com::KeyedSequence<VelColumnHeader> columns_;
    com::ConnectionPoint events_;
    ColumnHeadersListener* listener_ = nullptr;
    bool suppressChanged_ = false;
    int64_t widthSum_ = 0;  // the columns' widths without sign
    long scrollLeft_ = 0;
    long headerHeight_ = 0;
    short borderOffset_ = 0;
    short scaleFactor_ = 0;
};

}  // namespace vel::roster
