#pragma once
#include <windows.h>

namespace vel::drawing {

// Selects GDI objects of one kind into a DC for the length of a scope and selects
// the object that was there before back at its end, so the objects selected in
// between can be deleted afterwards. Declare it after the objects it selects.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object);
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject();

    // Selects another object of the same kind; the original still comes back at the end.
    void Select(HGDIOBJ object);

private:
    HDC dc_;
    HGDIOBJ original_ = nullptr;
};

}  // namespace vel::drawing
