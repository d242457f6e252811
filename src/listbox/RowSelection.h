#pragma once
#include "ComObject.h"
#include "ListInputOwner.h"
#include "VelListItem.h"

namespace vel::roster {

class VelListItems;

// The current row, the anchor of Shift ranges, and how a click on a row changes the
// selection. The current row carries the focus rectangle and is what SelectedItem
// returns; with MultiSelect the rows' own Selected flags are the selection.
class RowSelection {
public:
    RowSelection(VelListItems& items, ListInputOwner& owner) : items_(items), owner_(owner) {}

    VelListItem* Current() const { return current_.Get(); }
    VelListItem* Anchor() const { return anchor_.Get(); }
    void SetCurrent(VelListItem* row) { Become(row); }
    void SetAnchor(VelListItem* row) { anchor_ = row; }
    // A row left the list (nullptr: every row did); it is neither current nor anchor.
    void Forget(VelListItem* row);

    // The left button went down on `row` with the Shift / Ctrl / Alt state `shift`.
    void Click(VelListItem& row, short shift);
    // Makes `row` current and selected; the previous current row stays selected only
    // when `keepPrevious` is set.
    void MoveTo(VelListItem& row, bool keepPrevious);
    // Selects exactly the rows from the current row to the anchor; without an anchor,
    // the current row alone. Does not repaint.
    void SelectRangeToAnchor();

private:
    // Makes `row` current; the owner hears of a change.
    void Become(VelListItem* row);

    VelListItems& items_;
    ListInputOwner& owner_;
    com::ComPtr<VelListItem> current_;
    com::ComPtr<VelListItem> anchor_;
};

}  // namespace vel::roster
