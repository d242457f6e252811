#pragma once
#include "ComObject.h"
#include "ListAccessibleImpl.h"
#include "ListHeaderAccessible.h"

namespace vel::roster {

// The list box as accessibility clients see it: a list whose children are the header
// band (child id 1, an object of its own, while the band shows) and one list item per
// row, known by its row's child id (AccessibleRowIds), in the order shown. A row is
// named by its Text and described by its other columns' captions and texts; its state
// says selected, focused and off screen as the list paints it. Selecting and the default
// action go the way clicks and double clicks go. Counting children and answering for one
// child take the same time at any row count; the children are enumerated lazily.
//
// It holds no reference to the list box: the list box disconnects it when it goes, and
// every call after that fails with RPC_E_DISCONNECTED, as calls naming a row that left
// the list fail with E_INVALIDARG.
class ListboxAccessible : public com::ComObject<ListboxAccessible, ListAccessibleImpl<ListboxAccessible>, IEnumVARIANT> {
public:
    // The object id the header band answers to in the list box's window (its events name it).
    static constexpr LONG kHeaderObjectId = 1;

    explicit ListboxAccessible(ListAccessSource& source) { source_ = &source; }
    ~ListboxAccessible() override;

    void Disconnect();
    // The header band's object.
    ListHeaderAccessible& Header();

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(LONG* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP accSelect(LONG flags, VARIANT child) override;
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override;

    // IEnumVARIANT: the children in order.
    STDMETHODIMP Next(ULONG count, VARIANT* children, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumVARIANT** copy) override;

private:
    friend class ListAccessibleImpl<ListboxAccessible>;
    // A child id resolved: the list itself, the header band, or a row.
    struct Target {
        bool header = false;
        VelListItem* row = nullptr;
    };
    HRESULT Resolve(const VARIANT& child, const ListboxView& view, Target& target) const;
    // Its items, for ListAccessibleImpl: their role and default action, and carrying it out.
    static constexpr LONG kItemRole = ROLE_SYSTEM_LISTITEM;
    static bool IsItem(const Target& target) { return target.row != nullptr; }
    static constexpr const wchar_t* kItemAction = L"Double Click";
    void ItemAction(const Target& target);
    static bool BandShown(const ListboxView& view);
    // The child at `index` (0-based) of the children in order.
    void ChildAt(const ListboxView& view, long index, VARIANT* out);
    HRESULT Select(VelListItem& row, LONG flags, bool multiSelect);
    std::wstring Description(const ListboxView& view, const VelListItem& row) const;

    com::ComPtr<ListHeaderAccessible> header_;
    ULONG cursor_ = 0;  // of the enumeration
};

}  // namespace vel::roster
