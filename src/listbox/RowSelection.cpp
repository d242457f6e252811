#include "RowSelection.h"

#include "VelListItems.h"

namespace vel::roster {

namespace {
constexpr short kShift = 1;
constexpr short kCtrl = 2;
}  // namespace

void RowSelection::Become(VelListItem* row) {
    if (current_.Get() == row) return;
    current_ = row;
    owner_.CurrentRowChanged(row);
}

void RowSelection::Forget(VelListItem* row) {
    if (!row || current_.Get() == row) Become(nullptr);
    if (!row || anchor_.Get() == row) anchor_.Reset();
}

void RowSelection::Click(VelListItem& clicked, short shift) {
    com::ComPtr<VelListItem> row(&clicked);  // the handlers below may remove it
    const bool multi = owner_.MultiSelect();
    bool toggled = false;
    {
        PaintingHeld held(owner_);
        if (current_ && !multi) {
            current_->SetSelectedValue(false);
        } else if (current_ && shift == kCtrl) {
            // Ctrl toggles the row and makes it current; the anchor stays.
            row->SetSelectedValue(!row->IsSelected());
            toggled = true;
        } else if (current_ && shift != kShift) {
            items_.DeselectAll();
        }
        Become(row.Get());
    }
    if (toggled) return owner_.RepaintRows();
    owner_.RaiseListItemClick(*row.Get());
    // A handler that took the row out of the list has the last word.
    if (row->Parent() != &items_) return;
    if (multi && (shift & kShift)) {
        SelectRangeToAnchor();
        owner_.RepaintRows();
    } else {
        row->SetSelectedValue(true);
    }
    anchor_ = row;
}

void RowSelection::MoveTo(VelListItem& target, bool keepPrevious) {
    com::ComPtr<VelListItem> row(&target);
    if (current_ && !keepPrevious) current_->SetSelectedValue(false);
    Become(row.Get());
    row->SetSelectedValue(true);
}

void RowSelection::SelectRangeToAnchor() {
    if (!current_ || current_->Parent() != &items_) return;
    PaintingHeld held(owner_);
    items_.DeselectAll();
    VelListItem& anchor = anchor_ && anchor_->Parent() == &items_ ? *anchor_.Get() : *current_.Get();
    items_.SelectRange(*current_.Get(), anchor);
}

}  // namespace vel::roster
