#include "RowPositions.h"

#include <algorithm>
#include <cmath>

#include "VelListItem.h"

namespace vel::roster {
namespace {

// Shifts recorded before every row is renumbered. With about the square root of the row
// count, the first read of a row after changes replays at most that many shifts, and the
// renumbering, spread over the changes, costs each change about as much: both stay small
// at any size (a hundred thousand rows: some 300 steps each).
size_t RecordLimit(size_t rows) {
    return std::max<size_t>(64, static_cast<size_t>(std::sqrt(static_cast<double>(rows))));
}

}  // namespace

void RowPositions::Inserted(const Rows& rows, VelListItem& row, long position) {
    if (overridden_) {
        RenumberAll(rows);
        return;
    }
    if (static_cast<size_t>(position) < rows.size()) Record(rows, {position, +1});
    row.SyncIndex(position, Current());
}

void RowPositions::Removed(const Rows& rows, VelListItem& row, long position) {
    if (overridden_) {
        // Every row is current or holds its written value, which the removed row keeps.
        RenumberAll(rows);
        return;
    }
    row.SyncIndex(position, Current());
    if (static_cast<size_t>(position) <= rows.size()) Record(rows, {position, -1});
}

void RowPositions::Clearing(const Rows& rows) {
    if (!overridden_) RenumberAll(rows);
    shifts_.clear();
    overridden_ = false;
}

void RowPositions::RenumberAll(const Rows& rows) {
    shifts_.clear();
    overridden_ = false;
    long position = 0;
    for (auto& row : rows) row->SyncIndex(++position, 0);
}

// Once overridden, every row is current or holds a written value: a further write must not
// renumber the values written before it.
void RowPositions::Overriding(const Rows& rows) {
    if (!overridden_) RenumberAll(rows);
    overridden_ = true;
}

long RowPositions::IndexOf(const VelListItem& row) const {
    long index = row.StoredIndex();
    unsigned long current = Current();
    if (row.IndexStamp() == current) return index;
    for (unsigned long s = row.IndexStamp(); s < current; ++s) index = shifts_[s].Apply(index);
    row.SyncIndex(index, current);
    return index;
}

void RowPositions::Record(const Rows& rows, Shift shift) {
    shifts_.push_back(shift);
    if (shifts_.size() > RecordLimit(rows.size())) RenumberAll(rows);
}

}  // namespace vel::roster
