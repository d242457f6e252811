#pragma once
#include "AutomationError.h"

namespace vel::roster {

// The errors the list box library raises, with their numbers and texts.
struct RosterErrors {
    static com::AutomationError IndexOutOfBounds();          // 0x8004041D
    static com::AutomationError ColumnKeyExists();           // 0x8004041B
    static com::AutomationError ColumnIndexReadOnly();       // 0x8004041A
    static com::AutomationError WidthNotPositive();          // 0x8004041C
    static com::AutomationError ItemKeyExists();             // 50001
    static com::AutomationError ItemIndexReadOnly();         // 50000
    static com::AutomationError InvalidKey();                // 380
};

}  // namespace vel::roster
