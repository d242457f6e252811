#pragma once
#include <deque>
#include <vector>

#include "ComObject.h"

namespace vel::roster {

class VelListItem;

// The Index of every row, kept without a pass over the rows for each insert or removal.
// An insert or removal before the last row records one shift; a row brings its Index up
// to date when it is read, by replaying the shifts recorded since it was last current.
// When the record grows long (a fraction of the row count) every row is renumbered at
// once and the record starts over, so both reads and changes stay cheap at any size.
class RowPositions {
public:
    using Rows = std::deque<com::ComPtr<VelListItem>>;

    // `row` now stands at `position` of `rows`; the rows after it moved down by one.
    void Inserted(const Rows& rows, VelListItem& row, long position);
    // `row` left `position` and keeps it as its last Index; the rows after it moved up by one.
    void Removed(const Rows& rows, VelListItem& row, long position);
    // The rows are about to be released by the collection: each keeps its last Index.
    void Clearing(const Rows& rows);
    // Every row's Index becomes its position.
    void RenumberAll(const Rows& rows);
    // An Index is about to be written from outside (design time). The written value
    // stands until the next insert or removal, which renumbers every row.
    void Overriding(const Rows& rows);
    // Whether an Index written from outside stands, so that an Index may differ from its position.
    bool Overridden() const { return overridden_; }
    // The current Index of a row of `rows`.
    long IndexOf(const VelListItem& row) const;
    // The stamp that marks an Index as current.
    unsigned long Current() const { return static_cast<unsigned long>(shifts_.size()); }

private:
    struct Shift {
        long position;
        long delta;  // +1: rows at or after position moved down; -1: rows after it moved up
        long Apply(long index) const {
            return delta > 0 ? (index >= position ? index + 1 : index) : (index > position ? index - 1 : index);
        }
    };
    void Record(const Rows& rows, Shift shift);

    std::vector<Shift> shifts_;
    bool overridden_ = false;
};

}  // namespace vel::roster
