#pragma once

namespace vel::roster {

// Library-wide flags of the list box library, one set per thread, shared by every
// list box on that thread and by its row and column models.
class LibraryFlags {
public:
    // True while the host runs the controls in user mode (run time).
    static bool RunTimeMode();
    static void SetRunTimeMode(bool value);
    // True only while a collection renumbers; only then may Index be written at run time.
    static bool InternalRenumber();
    static void SetInternalRenumber(bool value);
    // Whether an Index written from outside is refused now.
    static bool IndexIsReadOnly() { return RunTimeMode() && !InternalRenumber(); }
};

}  // namespace vel::roster
