#include "GdiCensus.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace {

// Far above both Windows' default per-process quota (10,000) and Wine's table (65,536).
constexpr long kHandleTableBound = 1L << 20;

struct DeletePen {
    void operator()(HPEN pen) const { DeleteObject(pen); }
};
using OwnedPen = std::unique_ptr<std::remove_pointer_t<HPEN>, DeletePen>;

}  // namespace

bool GdiCensus::SystemReportsCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0; }

long GdiCensus::LiveObjects() {
    if (SystemReportsCount()) return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    return kHandleTableBound - FreeHandleSlots();
}

long GdiCensus::FreeHandleSlots() {
    std::vector<OwnedPen> pens;
    pens.reserve(70000);
    while (static_cast<long>(pens.size()) < kHandleTableBound) {
        OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(1, 2, 3)));
        if (!pen) break;
        pens.push_back(std::move(pen));
    }
    return static_cast<long>(pens.size());
}
