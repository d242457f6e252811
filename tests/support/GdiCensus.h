#pragma once

// Counts the GDI objects (DCs included) this process holds. Windows answers
// GetGuiResources. Wine does not implement it (it returns 0), but it keeps the
// process's GDI handle table where Windows does, behind the PEB's
// GdiSharedHandleTable, and there every live object has a type. Where neither is
// available, the count is taken from the other side: the number of pens that can
// still be created before the handle table is full. Any way, the difference of two
// counts is the number of objects created and not deleted in between.
class GdiCensus {
public:
    // True when the system reports the count itself.
    static bool SystemReportsCount();
    static long LiveObjects();

private:
    static long CountedInHandleTable();
    static long FreeHandleSlots();
};
