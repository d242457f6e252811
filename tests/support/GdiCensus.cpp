#include "GdiCensus.h"

#include <windows.h>
#include <winternl.h>

#include <cstdint>
#include <memory>
#include <type_traits>
#include <vector>

namespace {

// Far above both Windows' default per-process quota (10,000) and Wine's table (65,536).
constexpr long kHandleTableBound = 1L << 20;

// One entry of the GDI handle table of a 32-bit process; a free entry has type 0.
struct HandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t userPointer;
};
static_assert(sizeof(HandleEntry) == 24);
constexpr size_t kHandleTableEntries = 0x10000;
constexpr size_t kPebGdiSharedHandleTable = 0x94;  // offset in the 32-bit PEB

// GCC takes the thread block read through the FS segment for an out-of-bounds access.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
const HandleEntry* HandleTable() {
    auto* peb = reinterpret_cast<const BYTE*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    return *reinterpret_cast<const HandleEntry* const*>(peb + kPebGdiSharedHandleTable);
}
#pragma GCC diagnostic pop

struct DeletePen {
    void operator()(HPEN pen) const { DeleteObject(pen); }
};
using OwnedPen = std::unique_ptr<std::remove_pointer_t<HPEN>, DeletePen>;

}  // namespace

bool GdiCensus::SystemReportsCount() { return GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS) != 0; }

long GdiCensus::LiveObjects() {
    if (SystemReportsCount()) return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    if (HandleTable()) return CountedInHandleTable();
    return kHandleTableBound - FreeHandleSlots();
}

long GdiCensus::CountedInHandleTable() {
    const HandleEntry* table = HandleTable();
    long live = 0;
    for (size_t i = 0; i < kHandleTableEntries; ++i) live += table[i].type != 0;
    return live;
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
