#pragma once

// Counts the GDI objects (DCs included) this process holds. Windows answers
// GetGuiResources; Wine does not implement it (it returns 0), so there the count
// is taken from the other side: the number of pens that can still be created
// before the process's GDI handle table is full. Either way the difference of two
// counts is the number of objects created and not deleted in between.
class GdiCensus {
public:
    // True when the system reports the count itself.
    static bool SystemReportsCount();
    static long LiveObjects();

private:
    static long FreeHandleSlots();
};
