#pragma once
#include "PropertyBag.h"
#include "VelColumnHeaders.h"

namespace vel::roster {

// The list box's columns in its property bag: "NumColumns", then for column n the keys
// "ColAlignment"n, "ColInternalWidth"n (pixels), "ColText"n, "ColKey"n and "ColVisible"n,
// each omitted when it holds its default.
class ColumnPersistence {
public:
    // Appends the stored columns; their Added and Changed events reach the collection's listener.
    static void Read(hosting::PropertyBag& bag, VelColumnHeaders& columns);
    static void Write(hosting::PropertyBag& bag, const VelColumnHeaders& columns);
};

}  // namespace vel::roster
