#pragma once
#include <vector>

#include "Bstr.h"
#include "PropertyBag.h"
#include "VelColumnHeaders.h"

namespace vel::roster {

// The list box's columns in its property bag: "NumColumns", then for column n the keys
// "ColAlignment"n, "ColInternalWidth"n (pixels), "ColText"n, "ColKey"n and "ColVisible"n,
// each omitted when it holds its default, so a column that keeps every default (left
// aligned, 150 pixels, no text, no key, visible) leaves no entry at all.
class ColumnPersistence {
public:
    struct SavedColumn {
        long alignment = 0;
        long width = 0;
        com::Bstr text;
        com::Variant key;
        bool visible = true;
    };

    // The stored columns, checked before any is built: a count that is no 16-bit position
    // or widths beyond what the columns may add up to refuse the bag with error 380.
    // Building them costs time linear in their number, so the largest count loads quickly.
    static std::vector<SavedColumn> Read(hosting::PropertyBag& bag);
    // Appends the columns read; their Added and Changed events reach the collection's listener.
    static void Append(const std::vector<SavedColumn>& saved, VelColumnHeaders& columns);
    static void Write(hosting::PropertyBag& bag, const VelColumnHeaders& columns);
};

}  // namespace vel::roster
