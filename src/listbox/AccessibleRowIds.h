#pragma once
#include <windows.h>

#include <unordered_map>

namespace vel::roster {

class VelListItem;

// The child ids accessibility clients know the rows by. A row gets its id when a client
// or an event first needs it and keeps it while it stays in the list, wherever sorting,
// inserts and removals move it; an id is never given again, so an id of a removed row
// names nothing. Both look-ups take constant time at any row count, and rows no client
// ever saw cost nothing. The rows are not held: the list box forgets every row that
// leaves its list.
class AccessibleRowIds {
public:
    // Child id 1 is the header band's; the rows' ids follow.
    static constexpr LONG kHeaderId = 1;

    LONG IdOf(VelListItem& row);
    // The id a row was given, or 0.
    LONG Find(const VelListItem& row) const;
    // The row that has `id`, or nullptr.
    VelListItem* RowOf(LONG id) const;
    // `row` left the list (nullptr: every row did); answers the id it had, or 0.
    LONG Forget(const VelListItem* row);

private:
    std::unordered_map<const VelListItem*, LONG> ids_;
    std::unordered_map<LONG, VelListItem*> rows_;
    LONG next_ = kHeaderId + 1;
};

}  // namespace vel::roster
