#pragma once
#include <windows.h>

#include "ListInputOwner.h"

namespace vel::roster {

class RowSelection;
class ScrollBar;
class VelListItems;

// The list box's keyboard: Up and Down move the current row one row (with Shift in a
// multi-selection list the selection grows), Page Up and Page Down a page, Home and
// End to the ends, scrolling the rows along; Left and Right move the focus to the next
// and the previous control.
class KeyNavigator {
public:
    KeyNavigator(VelListItems& items, RowSelection& selection, ScrollBar& vertical, ListInputOwner& owner)
        : items_(items), selection_(selection), vertical_(vertical), owner_(owner) {}

    // Acts on a key going down; answers whether the host should hear Click.
    bool KeyDown(short keyCode, short shift);

private:
    bool Step(long delta, short shift);
    bool Page(long direction);
    void ToEnd(bool last, short shift);
    bool WithoutCurrentRow(short keyCode);
    void MoveFocus(bool next) const;
    bool Extends(short shift) const;

    VelListItems& items_;
    RowSelection& selection_;
    ScrollBar& vertical_;
    ListInputOwner& owner_;
};

}  // namespace vel::roster
