#pragma once
#include <windows.h>

#include "ListboxView.h"

namespace vel::roster {

class AccessibleRowIds;
class VelColumnHeader;
class VelListItem;

// What the list box's accessible objects ask of the list box, only while connected:
// what it shows, the rows' child ids, and the user's actions on rows and columns, which
// go the way mouse clicks go.
class ListAccessSource {
public:
    virtual HWND AccessWindow() const = 0;
    // Everything the next repaint draws from (the rows, the columns, the geometry).
    virtual ListboxView AccessView() = 0;
    virtual AccessibleRowIds& AccessIds() = 0;
    virtual bool AccessEnabled() const = 0;
    // The keyboard focus moves to the list box.
    virtual void AccessTakeFocus() = 0;
    // A left click on `row` with the Shift / Ctrl state `shift` (1, 2).
    virtual void AccessClick(VelListItem& row, short shift) = 0;
    // `row` becomes the current row; the selection stays.
    virtual void AccessFocusRow(VelListItem& row) = 0;
    // A double click on `row`.
    virtual void AccessActivate(VelListItem& row) = 0;
    // A click on the caption of `column`.
    virtual void AccessColumnClick(VelColumnHeader& column) = 0;

protected:
    ~ListAccessSource() = default;
};

}  // namespace vel::roster
