#include "CMaskBlt.h"

namespace vel::checkframe {

CPicture& CMaskBlt::AddPicture(HDC hDCDest, HBITMAP source, std::optional<COLORREF> maskColor) {
    auto picture = std::make_unique<CPicture>();
    picture->SetMaskColor(maskColor.value_or(RGB(255, 255, 255)));
    picture->SetDestinationDC(hDCDest);
    if (source) picture->SetSource(source);
    pictures_.push_back(std::move(picture));
    return *pictures_.back();
}

}  // namespace vel::checkframe
