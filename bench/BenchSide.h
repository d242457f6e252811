#pragma once
// One control under measurement, as the comparison drives it: rows in and out, look-ups,
// sorting and the keys a user presses. The timing, painting and order checks are the
// runner's; a side only does what it is asked, through its control's own interface.
#include <windows.h>

#include <string>

namespace vel::bench {

// What a side may not have an equivalent of (the list view in owner-data mode keeps no rows).
enum class Ability { Keys, Positional, Sorting };

class BenchSide {
public:
    virtual ~BenchSide() = default;
    virtual const char* Name() const = 0;
    virtual bool Can(Ability ability) const = 0;
    // The control's own window: the runner invalidates it, lets it paint and sends it keys.
    virtual HWND Window() const = 0;
    // Rows visible at once, to show both controls paint the same amount.
    virtual long RowsInView() const = 0;
    virtual void SetRedraw(bool on) = 0;
    // Appends a row; key > 0 gives it that key (the list view keeps it as the row's lParam).
    virtual void Append(const std::wstring& text, long key) = 0;
    // Positions are 1-based.
    virtual void Insert(long at, const std::wstring& text) = 0;
    virtual void Remove(long at) = 0;
    virtual bool FindKey(long key) = 0;
    virtual bool FindIndex(long at) = 0;
    virtual std::wstring TextAt(long at) = 0;
    virtual long Count() const = 0;
    virtual void Clear() = 0;
    // Makes the first row the current one, for the keys that move from it.
    virtual void SelectFirst() = 0;
    // Sorts every row by its text, case-insensitively.
    virtual void Sort(bool descending) = 0;
    // From now on, rows added land in ascending order.
    virtual void KeepSorted() = 0;
};

}  // namespace vel::bench
