#include "SelectedObject.h"

namespace vel::drawing {

SelectedObject::SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc) { Select(object); }

SelectedObject::~SelectedObject() {
    if (original_) SelectObject(dc_, original_);
}

void SelectedObject::Select(HGDIOBJ object) {
    if (!dc_ || !object) return;
    HGDIOBJ previous = SelectObject(dc_, object);
    if (!original_ && previous && previous != HGDI_ERROR) original_ = previous;
}

}  // namespace vel::drawing
