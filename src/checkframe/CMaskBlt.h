#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <vector>

#include "CPicture.h"

namespace vel::checkframe {

// A list of pictures drawn with masks. The check frame keeps exactly one entry and
// addresses it as item 1.
class CMaskBlt {
public:
    // Appends a picture drawn on hDCDest from `source` (none when null) with
    // `maskColor` transparent (white when omitted); answers the new entry.
    CPicture& AddPicture(HDC hDCDest, HBITMAP source = nullptr, std::optional<COLORREF> maskColor = std::nullopt);

    long Count() const { return static_cast<long>(pictures_.size()); }
    // Item `index`, counted from 1.
    CPicture& Item(long index) const { return *pictures_.at(static_cast<size_t>(index - 1)); }

private:
    std::vector<std::unique_ptr<CPicture>> pictures_;
};

}  // namespace vel::checkframe
