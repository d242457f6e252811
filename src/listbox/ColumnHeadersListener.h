#pragma once
#include <string_view>

namespace vel::roster {

class VelColumnHeader;

// What the owner of a VelColumnHeaders hears, before the collection's COM sinks do.
class ColumnHeadersListener {
public:
    virtual void ColumnHeaderAdded(VelColumnHeader& column) = 0;
    // `column` is nullptr after Clear.
    virtual void ColumnHeaderRemoved(VelColumnHeader* column) = 0;
    virtual void ColumnHeaderChanged(VelColumnHeader& column, std::wstring_view property) = 0;

protected:
    ~ColumnHeadersListener() = default;
};

}  // namespace vel::roster
