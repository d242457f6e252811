#pragma once
#include <string_view>

namespace vel::roster {

class VelListItem;
class VelListItems;

// Keeps the rows of a list box in the order of one column's texts.
//
// Texts compare as a standard sorted list box compares its strings: in the user's locale
// order without regard to letter case, numbers as text (so "10" comes before "9"), an
// empty text before any other. Rows whose texts compare equal keep their relative order
// from the current arrangement, read in the direction of the last sort: sorting again in
// the same direction never moves them, and descending is the exact reverse of ascending.
//
// A row added to a list that is known to stand in order is placed by binary search, with
// the result a full sort would give (among equal rows the new row keeps its side of
// them). Any failure (a column that is gone, a missing sub-item, a comparison the system
// refuses) ends the sort and leaves the rows as they were.
class ListboxSorter {
public:
    // Sorts every row by the texts of the column at position `column` (one sub-item slot
    // per column). False: the sort failed and nothing changed.
    bool SortAll(VelListItems& items, long column, bool descending);
    // Brings `row`, just added to `items`, into the order. True when the other rows were
    // in order and only the new row moved; false after a full sort or a failure.
    bool PlaceAdded(VelListItems& items, VelListItem& row, long column, bool descending);

    // Negative, zero or positive as `a` sorts before, with or after `b`.
    static int Compare(std::wstring_view a, std::wstring_view b);
    // The text a row is sorted by for the column at position `column`: the row's Text
    // for the first column, else its sub-item of the column (error 9 when it has none).
    static std::wstring_view KeyOf(const VelListItem& row, long column);

private:
    bool StillInOrder(const VelListItems& items, long column, bool descending) const;
    void Remember(const VelListItems& items, long column, bool descending);

    bool inOrder_ = false;       // the rows stand in order by column_, as last sorted or placed
    const VelListItems* items_ = nullptr;
    long column_ = 0;
    bool descending_ = false;    // direction of the last sort: how the arrangement reads
    unsigned long version_ = 0;  // the rows' content version when they were last in order
};

}  // namespace vel::roster
