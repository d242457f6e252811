#pragma once
#include <string_view>

namespace vel::roster {

class VelListItem;

// What the owner of a VelListItems hears, before the collection's COM sinks do.
class ListItemsListener {
public:
    virtual void ListItemAdded(VelListItem& item) = 0;
    // `item` is nullptr after Clear.
    virtual void ListItemRemoved(VelListItem* item) = 0;
    virtual void ListItemChanged(VelListItem& item, std::wstring_view property) = 0;
    // Rows that were selected were deselected all at once, without a change of each.
    virtual void ListSelectionCleared() {}

protected:
    ~ListItemsListener() = default;
};

}  // namespace vel::roster
