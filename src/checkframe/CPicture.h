#pragma once
#include <windows.h>

#include <optional>

#include "GdiObject.h"
#include "OwnedDC.h"
#include "SelectedObject.h"

namespace vel::checkframe {

// One bitmap drawn with a transparent colour: keeps a monochrome mask (white where
// the source shows the mask colour) and a greyed copy of the source in the 3-D
// colours, both rebuilt whenever the destination or the source changes. Never owns
// the source bitmap (its picture object does) nor the destination DC.
class CPicture {
public:
    CPicture() = default;
    CPicture(const CPicture&) = delete;
    CPicture& operator=(const CPicture&) = delete;

    HDC DestinationDC() const { return destination_; }
    void SetDestinationDC(HDC dc);
    HBITMAP hdcSource() const { return source_; }
    void SetSource(HBITMAP bitmap);
    COLORREF MaskColor() const { return maskColor_; }
    void SetMaskColor(COLORREF color) { maskColor_ = color; }
    long Width() const { return width_; }
    long Height() const { return height_; }

    // Draws the bitmap at (destX, destY) of the destination: with the mask colour
    // showing the destination through when `transparent`, from the greyed copy when
    // `grayOut`. Draws nothing without a source and a destination.
    void MaskBlt(short destX, short destY, bool transparent, bool grayOut) const;

private:
    // A memory DC with a bitmap of its own selected in it.
    struct Image {
        drawing::OwnedDC dc;
        drawing::OwnedBitmap bitmap;
        std::optional<drawing::SelectedObject> selection;
    };

    void BuildMasks();
    static void MakeImage(std::optional<Image>& image, HDC reference, HBITMAP bitmap);

    HDC destination_ = nullptr;
    HBITMAP source_ = nullptr;
    COLORREF maskColor_ = 0xFFFFFF;
    long width_ = 0;
    long height_ = 0;
    std::optional<Image> mask_;
    std::optional<Image> greyed_;
};

}  // namespace vel::checkframe
