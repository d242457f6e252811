#pragma once
#include <windows.h>

namespace vel::roster {

class VelListItem;

// What the list box's selection and keyboard classes need of the control that owns
// them: its settings, its painting, its geometry and its events.
class ListInputOwner {
public:
    virtual bool MultiSelect() const = 0;
    // Holds painting off while rows change one by one; answers whether it was on.
    virtual bool HoldPainting() = 0;
    virtual void ResumePainting(bool wasOn) = 0;
    virtual void RepaintRows() = 0;
    virtual void RaiseListItemClick(VelListItem& row) = 0;
    // The current row changed to `row` (nullptr: none is current).
    virtual void CurrentRowChanged(VelListItem* row) = 0;
    // Positions of the first row in view and of the row cut off at the bottom.
    virtual long FirstVisibleIndex() = 0;
    virtual long LastVisibleIndex() = 0;
    virtual long RowHeight() const = 0;
    virtual HWND Window() const = 0;

protected:
    ~ListInputOwner() = default;
};

// Painting held off for a scope, then restored to what it was.
class PaintingHeld {
public:
    explicit PaintingHeld(ListInputOwner& owner) : owner_(owner), wasOn_(owner.HoldPainting()) {}
    PaintingHeld(const PaintingHeld&) = delete;
    PaintingHeld& operator=(const PaintingHeld&) = delete;
    ~PaintingHeld() { owner_.ResumePainting(wasOn_); }

private:
    ListInputOwner& owner_;
    bool wasOn_;
};

}  // namespace vel::roster
