#include "CheckFramePainter.h"

#include <algorithm>
#include <cmath>

#include "CDrawRect.h"
#include "CPicture.h"

namespace vel::checkframe {
namespace {

constexpr OLE_COLOR kWindowBackground = 0x80000005;
constexpr OLE_COLOR kHighlight3D = 0x80000014;
constexpr OLE_COLOR kButtonShadow = 0x80000010;

// Rounds to the nearest integer, halves to even.
long Round(double value) { return static_cast<long>(std::nearbyint(value)); }

RECT CaptionRect(const CheckFrameGeometry& g, long shift) {
    return {g.captionLeft - 1 + shift, g.captionTop - 1 + shift, g.captionLeft + g.captionWidth + 1 + shift,
            g.captionTop + g.captionHeight + 1 + shift};
}

}  // namespace

short CheckFramePainter::LineY(const CheckFrameGeometry& g) {
    return static_cast<short>(Round(g.captionHeight * 0.5) + g.captionTop);
}

void CheckFramePainter::Place(const CheckFrameView& view, CheckFrameGeometry& g) {
    if (g.checkBoxHeight <= g.captionHeight) {
        g.checkBoxTop = Round((g.captionHeight - g.checkBoxHeight) * 0.5);
        g.captionTop = 1;
    } else {
        g.captionTop = Round((g.checkBoxHeight - g.captionHeight) * 0.5 + 1.5);
        g.checkBoxTop = 1;
    }
    switch (view.alignment) {
    case kRightJustify:
        g.checkBoxLeft = Round(view.width - (g.checkBoxWidth + 9.0));
        g.captionLeft = 9;
        break;
    case kRightCaptionJustify:
        g.checkBoxLeft = Round(view.width - (g.checkBoxWidth + 9.0));
        g.captionLeft = Round(g.checkBoxLeft - (g.captionWidth + 5.0));
        break;
    default:
        g.checkBoxLeft = 9;
        g.captionLeft = g.checkBoxWidth + 14;
        break;
    }
}

void CheckFramePainter::Paint(HDC surfaceDc, const CheckFrameView& view, unsigned flags, CheckFrameGeometry& g) {
    HDC dc = flags == rdAll ? paint_.GetMemDC(surfaceDc, view.width, view.height, GetBkColor(surfaceDc) != 0)
                            : paint_.hDCMem();
    Place(view, g);
    if (!dc) return;
    if (flags & rdFrame) {
        drawing::CPaint::DrawBackground(dc, 0, 0, view.width, view.height, view.backColor);
    } else if (flags & rdCaption) {
        EraseCaptionStrip(dc, view, g);
        flags |= rdFrame;
    }
    if ((flags & rdFrame) && view.borderStyle == 1) DrawFrameLine(dc, view, g);
    if (flags & rdCaption) DrawCaption(dc, view, g);
    if (flags & rdCheckBox) DrawCheckBox(dc, view, g, flags);
    paint_.BltMemDC(surfaceDc, view.width, view.height);
}

void CheckFramePainter::EraseCaptionStrip(HDC dc, const CheckFrameView& view, const CheckFrameGeometry& g) const {
    long left = 0, width = 0;
    switch (view.alignment) {
    case kRightJustify:
        left = g.captionLeft - 2;
        width = g.eraseWidth + 2;
        break;
    case kRightCaptionJustify:
        left = std::min(0L, g.captionLeft) - 2;
        width = g.checkBoxLeft;
        break;
    default:
        left = g.captionLeft - 4;
        width = g.eraseWidth + 2;
        break;
    }
    drawing::CPaint::DrawBackground(dc, left, g.captionTop, width, g.captionHeight, view.backColor);
}

// The etched line runs round the frame, left out where caption and check box sit.
void CheckFramePainter::DrawFrameLine(HDC dc, const CheckFrameView& view, const CheckFrameGeometry& g) const {
    const long lineY = LineY(g);
    if (!view.caption.empty()) {
        long gapLeft = 0, gapRight = 0;
        switch (view.alignment) {
        case kRightJustify:
            gapLeft = g.captionLeft - 2;
            gapRight = g.captionLeft + g.captionWidth + 2;
            break;
        case kRightCaptionJustify:
            gapLeft = g.captionLeft - 2;
            gapRight = g.checkBoxLeft;
            break;
        default:
            gapLeft = g.checkBoxLeft + g.checkBoxWidth;
            gapRight = g.captionLeft + g.captionWidth + 2;
            break;
        }
        ExcludeClipRect(dc, gapLeft, lineY - 2, gapRight, lineY + 4);
    }
    ExcludeClipRect(dc, g.checkBoxLeft, lineY - 2, g.checkBoxLeft + g.checkBoxWidth, lineY + 4);
    RECT edge{0, lineY, view.width - 1, view.height - 1};
    DrawEdge(dc, &edge, EDGE_ETCHED, view.appearance == 1 ? BF_RECT : BF_RECT | BF_MONO);
    SelectClipRgn(dc, nullptr);
}

void CheckFramePainter::DrawCaption(HDC dc, const CheckFrameView& view, CheckFrameGeometry& g) {
    g.focus = CaptionRect(g, 0);
    drawing::CPaint::DrawBackground(dc, g.captionLeft - 1, g.captionTop - 1, g.captionWidth + 2, g.captionHeight + 2,
                                    view.backColor);
    if (!view.hasFont) return;
    constexpr UINT kFormat = DT_SINGLELINE | DT_NOCLIP;
    const COLORREF back = drawing::CPaint::TranslateColor(view.backColor);
    auto draw = [&](const RECT& rect, OLE_COLOR colour) {
        paint_.DrawTextWithFont(view.caption, view.font, rect, kFormat, drawing::TextAlignment::Center, back,
                                drawing::CPaint::TranslateColor(colour));
    };
    if (view.enabled) {
        draw(g.focus, view.foreColor);
        if (view.hasFocus) DrawFocusRect(dc, &g.focus);
        return;
    }
    // Embossed: the highlight one pixel right and down, the shadow on top of it.
    draw(CaptionRect(g, 1), kHighlight3D);
    draw(g.focus, kButtonShadow);
}

void CheckFramePainter::DrawCheckBox(HDC dc, const CheckFrameView& view, const CheckFrameGeometry& g,
                                     unsigned flags) const {
    if (!view.picture) {
        RECT box{g.checkBoxLeft, g.checkBoxTop, g.checkBoxLeft + g.checkBoxWidth + 1, g.checkBoxTop + g.checkBoxHeight + 1};
        UINT state = DFCS_BUTTONCHECK;
        if (view.appearance == 0) state |= DFCS_FLAT;
        if (flags & rdPressed) state |= DFCS_PUSHED;
        if (view.value != 0) state |= DFCS_CHECKED;
        if (view.value == 2) state |= DFCS_INACTIVE;
        DrawFrameControl(dc, &box, DFC_BUTTON, state);
        return;
    }
    drawing::CPaint::DrawBackground(dc, g.checkBoxLeft, g.checkBoxTop, g.checkBoxWidth, g.checkBoxHeight,
                                    (flags & rdPressed) ? view.backColor : kWindowBackground);
    drawing::CDrawRect::Draw3DRect(dc, g.checkBoxLeft, g.checkBoxTop, g.checkBoxWidth, g.checkBoxHeight,
                                   view.appearance == 1 ? drawing::Rect3DStyle::Sunken : drawing::Rect3DStyle::Flat);
    if (view.value == 0) return;
    view.picture->SetDestinationDC(dc);
    view.picture->MaskBlt(static_cast<short>(g.checkBoxLeft + 2), static_cast<short>(g.checkBoxTop + 2),
                          view.useMaskColor, view.value == 2 || !view.enabled);
}

}  // namespace vel::checkframe
