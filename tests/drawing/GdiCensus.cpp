#include "GdiCensus.h"

#include <windows.h>

#include <vector>

#include "GdiObject.h"

namespace {

// Far above both Windows' default per-process quota (10,000) and Wine's table (65,536).
constexpr long kHandleTableBound = 1L << 20;

}  // namespace

bool GdiCensus::SystemReportsCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0; }

long GdiCensus::LiveObjects() {
    if (SystemReportsCount()) return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    return kHandleTableBound - FreeHandleSlots();
}

long GdiCensus::FreeHandleSlots() {
    std::vector<vel::drawing::OwnedPen> pens;
    pens.reserve(70000);
    while (static_cast<long>(pens.size()) < kHandleTableBound) {
        vel::drawing::OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        if (!pen) break;
        pens.push_back(std::move(pen));
    }
    return static_cast<long>(pens.size());
}
