#include "AccessibleRowIds.h"

namespace vel::roster {

LONG AccessibleRowIds::IdOf(VelListItem& row) {
    auto [place, added] = ids_.try_emplace(&row, next_);
    if (added) {
        rows_.emplace(next_, &row);
        // Past the largest id the ids start again above the header's; by then the rows
        // that had the low ones are long gone.
        next_ = next_ == MAXLONG ? kHeaderId + 1 : next_ + 1;
    }
    return place->second;
}

LONG AccessibleRowIds::Find(const VelListItem& row) const {
    auto found = ids_.find(&row);
    return found == ids_.end() ? 0 : found->second;
}

VelListItem* AccessibleRowIds::RowOf(LONG id) const {
    auto found = rows_.find(id);
    return found == rows_.end() ? nullptr : found->second;
}

LONG AccessibleRowIds::Forget(const VelListItem* row) {
    if (!row) {
        ids_.clear();
        rows_.clear();
        return 0;
    }
    auto found = ids_.find(row);
    if (found == ids_.end()) return 0;
    LONG id = found->second;
    rows_.erase(id);
    ids_.erase(found);
    return id;
}

}  // namespace vel::roster
