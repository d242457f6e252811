#pragma once
#include <windows.h>

#include "CPaint.h"
#include "CheckFrameView.h"

namespace vel::checkframe {

// Paints the check frame into the off-screen DC of a CPaint and copies it to the
// control in one block transfer: the background, the etched frame line through the
// middle of the caption line with gaps for the caption and the check box, the
// caption (embossed when disabled, with a focus rectangle when focused) and the
// check box (the system's, or the picture with its mask and greyed form).
class CheckFramePainter {
public:
    explicit CheckFramePainter(drawing::CPaint& paint) : paint_(paint) {}

    // Places check box and caption, draws the parts in `flags` and copies the frame to
    // `surfaceDc`. Flags other than rdAll need the bitmap of an earlier rdAll.
    void Paint(HDC surfaceDc, const CheckFrameView& view, unsigned flags, CheckFrameGeometry& geometry);

    // The positions of check box and caption for the view's alignment and sizes.
    static void Place(const CheckFrameView& view, CheckFrameGeometry& geometry);
    // The y of the frame line.
    static short LineY(const CheckFrameGeometry& geometry);

private:
    void EraseCaptionStrip(HDC dc, const CheckFrameView& view, const CheckFrameGeometry& g) const;
    void DrawFrameLine(HDC dc, const CheckFrameView& view, const CheckFrameGeometry& g) const;
    void DrawCaption(HDC dc, const CheckFrameView& view, CheckFrameGeometry& g);
    void DrawCheckBox(HDC dc, const CheckFrameView& view, const CheckFrameGeometry& g, unsigned flags) const;

    drawing::CPaint& paint_;
};

}  // namespace vel::checkframe
