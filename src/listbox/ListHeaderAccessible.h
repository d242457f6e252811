#pragma once
#include "ComObject.h"
#include "ListAccessibleImpl.h"

namespace vel::roster {

// The header band of the list box as accessibility clients see it: one column-header
// child per visible column, in the order shown (child ids 1, 2, ... by that order),
// named by its caption; the default action clicks the caption. The list's accessible
// object owns it and disconnects it with itself.
class ListHeaderAccessible
    : public com::ComObject<ListHeaderAccessible, ListAccessibleImpl<ListHeaderAccessible>> {
public:
    // `list` is the band's parent, alive while the band is connected.
    ListHeaderAccessible(ListAccessSource& source, IAccessible& list) : list_(&list) { source_ = &source; }
    void Disconnect() { source_ = nullptr; }
    // The child id of the column at `position` of the columns, or 0 when it is hidden.
    static LONG ChildIdOf(const ListboxView& view, long position);
    // The band's rectangle in the list box's client coordinates.
    static RECT BandRect(const ListboxView& view);

    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(LONG* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** object) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override;
    STDMETHODIMP accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(LONG x, LONG y, VARIANT* child) override;

private:
    friend class ListAccessibleImpl<ListHeaderAccessible>;
    // A child id resolved: the band itself (column nullptr) or a visible column.
    struct Target {
        VelColumnHeader* column = nullptr;
        long position = 0;  // among all columns
    };
    HRESULT Resolve(const VARIANT& child, const ListboxView& view, Target& target) const;
    // Its items, for ListAccessibleImpl: their role and default action, and carrying it out.
    static constexpr LONG kItemRole = ROLE_SYSTEM_COLUMNHEADER;
    static bool IsItem(const Target& target) { return target.column != nullptr; }
    static constexpr const wchar_t* kItemAction = L"Click";
    void ItemAction(const Target& target);
    RECT ColumnRect(const ListboxView& view, long position) const;
    static long VisibleCount(const ListboxView& view);

    IAccessible* list_;
};

}  // namespace vel::roster
