#include "CPicture.h"

#include "DCAttribute.h"

namespace vel::checkframe {

void CPicture::SetDestinationDC(HDC dc) {
    destination_ = dc;
    BuildMasks();
}

void CPicture::SetSource(HBITMAP bitmap) {
    source_ = bitmap;
    if (!bitmap) {
        // Without a source nothing is drawn, so the old images go now.
        mask_.reset();
        greyed_.reset();
        width_ = height_ = 0;
    }
    BuildMasks();
}

void CPicture::MakeImage(std::optional<Image>& image, HDC reference, HBITMAP bitmap) {
    image.reset();
    image.emplace();
    image->dc = drawing::OwnedDC::CompatibleWith(reference);
    image->bitmap.Reset(bitmap);
    image->selection.emplace(image->dc.Get(), bitmap);
}

// The mask is white where the source has the mask colour; the greyed copy turns
// white into button face, light grey into highlight and every other colour into
// shadow, leaving the mask colour as it was.
void CPicture::BuildMasks() {
    if (!destination_ || !source_) return;
    BITMAP info{};
    if (!GetObjectW(source_, sizeof(info), &info) || info.bmWidth <= 0 || info.bmHeight <= 0) return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE), highlight = GetSysColor(COLOR_BTNHIGHLIGHT),
                   shadow = GetSysColor(COLOR_BTNSHADOW);
    drawing::OwnedDC sourceDc = drawing::OwnedDC::CompatibleWith(destination_);
    drawing::SelectedObject sourceSelection(sourceDc.Get(), source_);
    width_ = info.bmWidth;
    height_ = info.bmHeight;
    MakeImage(mask_, destination_, CreateBitmap(width_, height_, 1, 1, nullptr));
    MakeImage(greyed_, sourceDc.Get(), CreateCompatibleBitmap(destination_, width_, height_));
    BitBlt(greyed_->dc.Get(), 0, 0, width_, height_, sourceDc.Get(), 0, 0, SRCCOPY);
    for (long x = 0; x < width_; ++x) {
        for (long y = 0; y < height_; ++y) {
            COLORREF pixel = GetPixel(sourceDc.Get(), x, y);
            if (pixel == maskColor_) {
                SetPixel(mask_->dc.Get(), x, y, RGB(255, 255, 255));
                continue;
            }
            SetPixel(mask_->dc.Get(), x, y, RGB(0, 0, 0));
            SetPixel(greyed_->dc.Get(), x, y, pixel == RGB(255, 255, 255) ? face
                                              : pixel == RGB(192, 192, 192) ? highlight
                                                                            : shadow);
        }
    }
}

void CPicture::MaskBlt(short destX, short destY, bool transparent, bool grayOut) const {
    if (!destination_ || !source_ || !mask_ || !greyed_) return;
    drawing::OwnedDC sourceDc = drawing::OwnedDC::CompatibleWith(destination_);
    drawing::SelectedObject sourceSelection(sourceDc.Get(), source_);
    HDC image = grayOut ? greyed_->dc.Get() : sourceDc.Get();
    if (!transparent) {
        BitBlt(destination_, destX, destY, width_, height_, image, 0, 0, SRCCOPY);
        return;
    }
    // Image xor destination, masked, xor image again: the destination stays where the
    // mask is white and the image shows everywhere else.
    drawing::BkColorSetting back(destination_, RGB(255, 255, 255));
    drawing::TextColorSetting text(destination_, RGB(0, 0, 0));
    BitBlt(destination_, destX, destY, width_, height_, image, 0, 0, SRCINVERT);
    BitBlt(destination_, destX, destY, width_, height_, mask_->dc.Get(), 0, 0, SRCAND);
    BitBlt(destination_, destX, destY, width_, height_, image, 0, 0, SRCINVERT);
}

}  // namespace vel::checkframe
