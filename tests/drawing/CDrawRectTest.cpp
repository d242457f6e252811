// Frames, separators and splitter bars of CDrawRect, read back pixel by pixel.
#include <gtest/gtest.h>

#include <array>
#include <set>

#include "CDrawRect.h"
#include "Canvas.h"
#include "RaisedError.h"

using namespace vel::drawing;

namespace {

constexpr COLORREF kBack = RGB(90, 10, 10);
constexpr COLORREF kBlack = RGB(0, 0, 0);

COLORREF Shadow() { return GetSysColor(COLOR_BTNSHADOW); }
COLORREF Highlight() { return GetSysColor(COLOR_BTNHIGHLIGHT); }
COLORREF DarkShadow() { return GetSysColor(COLOR_3DDKSHADOW); }
COLORREF Light() { return GetSysColor(COLOR_3DLIGHT); }
COLORREF Face() { return GetSysColor(COLOR_BTNFACE); }

// A canvas whose DC background colour (kBack) differs from its paper.
class FrameCanvas : public Canvas {
public:
    FrameCanvas(int width, int height) : Canvas(width, height) { SetBkColor(DC(), kBack); }
};

// Colours expected on each side of a 12 x 12 frame at the origin; kPaper where nothing is drawn.
struct FrameColours {
    Rect3DStyle style;
    COLORREF outerTop, outerLeft, outerBottom, outerRight;
    COLORREF innerTop, innerLeft, innerBottom, innerRight;
};

std::array<FrameColours, 9> ExpectedFrames() {
    const COLORREF none = Canvas::kPaper;
    return {{
        {Rect3DStyle::Sunken, Shadow(), Shadow(), Highlight(), Highlight(), DarkShadow(), DarkShadow(), Light(), Light()},
        {Rect3DStyle::Raised, Highlight(), Highlight(), DarkShadow(), DarkShadow(), Light(), Light(), Shadow(), Shadow()},
        {Rect3DStyle::Pressed, Shadow(), Shadow(), Shadow(), Shadow(), Light(), Light(), Light(), Light()},
        {Rect3DStyle::Flat, kBlack, kBlack, kBlack, kBlack, none, none, none, none},
        {Rect3DStyle::RaisedOuter, Highlight(), Highlight(), DarkShadow(), DarkShadow(), none, none, none, none},
        {Rect3DStyle::SunkenOuter, DarkShadow(), DarkShadow(), Highlight(), Highlight(), none, none, none, none},
        {Rect3DStyle::Erase, kBack, kBack, kBack, kBack, none, none, none, none},
        {Rect3DStyle::RaisedInner, Highlight(), Highlight(), Shadow(), Shadow(), none, none, none, none},
        {Rect3DStyle::SunkenInner, Shadow(), Shadow(), Highlight(), Highlight(), none, none, none, none},
    }};
}

}  // namespace

TEST(CDrawRect, TheSystemColoursUsedAreTellApart) {
    std::set<COLORREF> colours{Shadow(), Highlight(), DarkShadow(), Light(), Face(), kBack, kBlack, Canvas::kPaper};
    EXPECT_EQ(colours.size(), 8u) << "pixel checks below need distinct colours";
}

TEST(CDrawRect, EveryFrameStyleDrawsItsRingsInItsColours) {
    for (const FrameColours& expected : ExpectedFrames()) {
        SCOPED_TRACE(static_cast<long>(expected.style));
        FrameCanvas canvas(12, 12);
        CDrawRect::Draw3DRect(canvas.DC(), 0, 0, 12, 12, expected.style);
        EXPECT_EQ(canvas.Pixel(5, 0), expected.outerTop);
        EXPECT_EQ(canvas.Pixel(0, 5), expected.outerLeft);
        EXPECT_EQ(canvas.Pixel(5, 11), expected.outerBottom);
        EXPECT_EQ(canvas.Pixel(11, 5), expected.outerRight);
        EXPECT_EQ(canvas.Pixel(5, 1), expected.innerTop);
        EXPECT_EQ(canvas.Pixel(1, 5), expected.innerLeft);
        EXPECT_EQ(canvas.Pixel(5, 10), expected.innerBottom);
        EXPECT_EQ(canvas.Pixel(10, 5), expected.innerRight);
        EXPECT_EQ(canvas.CountPixels(Canvas::kPaper), expected.innerTop == Canvas::kPaper ? 100 : 64);
    }
}

TEST(CDrawRect, SunkenFrameCoversExactlyItsLines) {
    FrameCanvas canvas(12, 12);
    CDrawRect::Draw3DRect(canvas.DC(), 0, 0, 12, 12, Rect3DStyle::Sunken);
    // Outer: top x 1..10 and left y 0..10 in shadow; bottom x 0..10 and right y 0..11 in highlight.
    EXPECT_EQ(canvas.CountPixels(Shadow()), 10 + 11);
    EXPECT_EQ(canvas.CountPixels(Highlight()), 11 + 12);
    EXPECT_EQ(canvas.Pixel(11, 0), Highlight());
    EXPECT_EQ(canvas.Pixel(0, 11), Highlight());
    // Inner, one pixel further in: top x 2..9, left y 1..9; bottom x 1..9, right y 1..10.
    EXPECT_EQ(canvas.CountPixels(DarkShadow()), 8 + 9);
    EXPECT_EQ(canvas.CountPixels(Light()), 9 + 10);
    EXPECT_EQ(canvas.Pixel(10, 1), Light());
    EXPECT_EQ(canvas.Pixel(1, 10), Light());
}

TEST(CDrawRect, FramesFollowTheirPosition) {
    FrameCanvas canvas(30, 30);
    CDrawRect::Draw3DRect(canvas.DC(), 7, 5, 10, 8, Rect3DStyle::Flat);
    RECT ink = canvas.InkBounds(Canvas::kPaper);
    EXPECT_EQ(ink.left, 7);
    EXPECT_EQ(ink.top, 5);
    EXPECT_EQ(ink.right, 17);
    EXPECT_EQ(ink.bottom, 13);
    EXPECT_EQ(canvas.CountPixels(kBlack), 2 * 10 + 2 * 6);
}

TEST(CDrawRect, VerticalSeparatorIsShadowLeftOfHighlight) {
    FrameCanvas canvas(12, 16);
    CDrawRect::Draw3DRect(canvas.DC(), 5, 2, 0, 10, Rect3DStyle::VerticalSeparator);
    EXPECT_EQ(canvas.CountPixels(Shadow()), 10);
    EXPECT_EQ(canvas.CountPixels(Highlight()), 10);
    EXPECT_EQ(canvas.Pixel(5, 3), Shadow());
    EXPECT_EQ(canvas.Pixel(5, 12), Shadow());
    EXPECT_EQ(canvas.Pixel(6, 12), Highlight());
    EXPECT_EQ(canvas.Pixel(5, 2), Canvas::kPaper);
}

TEST(CDrawRect, HorizontalSeparatorIsTwoLinesShadowAboveHighlight) {
    FrameCanvas canvas(102, 10);
    CDrawRect::Draw3DRect(canvas.DC(), 0, 5, 100, 0, Rect3DStyle::HorizontalSeparator);
    EXPECT_EQ(canvas.CountPixels(Shadow()), 100);
    EXPECT_EQ(canvas.CountPixels(Highlight()), 100);
    EXPECT_EQ(canvas.Pixel(50, 5), Shadow());
    EXPECT_EQ(canvas.Pixel(50, 6), Highlight());
}

TEST(CDrawRect, UnknownStylesDrawNothing) {
    for (long style : {-1L, 11L}) {
        FrameCanvas canvas(12, 12);
        CDrawRect::Draw3DRect(canvas.DC(), 0, 0, 12, 12, static_cast<Rect3DStyle>(style));
        EXPECT_EQ(canvas.CountPixels(Canvas::kPaper), 144);
    }
}

TEST(CDrawRect, LeavesTheDCAsItFoundIt) {
    FrameCanvas canvas(20, 20);
    HDC dc = canvas.DC();
    MoveToEx(dc, 3, 4, nullptr);
    HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN);
    for (long style = 0; style <= 10; ++style)
        CDrawRect::Draw3DRect(dc, 1, 1, 15, 15, static_cast<Rect3DStyle>(style));
    CDrawRect::DrawRoundSplitter(dc, 0, 3, 0, 0, 0, 10, 10);

    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetBkColor(dc), kBack);
    EXPECT_EQ(SaveDC(dc), 1) << "a saved state was left on the DC's stack";
    RestoreDC(dc, -1);
}

TEST(CDrawRect, OverflowingCoordinatesRaiseOverflowAndDrawNothing) {
    FrameCanvas canvas(12, 12);
    EXPECT_EQ(RaisedError([&] { CDrawRect::Draw3DRect(canvas.DC(), 0x7FFFFFFF, 0, 12, 12, Rect3DStyle::Sunken); }),
              kOverflow);
    EXPECT_EQ(RaisedError([&] { CDrawRect::DrawRoundSplitter(canvas.DC(), 1, 1, 0, 0, 0x7FFFFFFF, 12, 12); }),
              kOverflow);
    EXPECT_EQ(canvas.CountPixels(Canvas::kPaper), 144);
}

TEST(CDrawRectSplitter, HorizontalBarBelowTheRectangleReadsHighlightFaceShadow) {
    FrameCanvas canvas(30, 20);
    CDrawRect::DrawRoundSplitter(canvas.DC(), 1, 3, 2, 0, 0, 20, 10);
    for (int x : {3, 10, 22}) {
        EXPECT_EQ(canvas.Pixel(x, 10), Highlight());
        EXPECT_EQ(canvas.Pixel(x, 11), Face());
        EXPECT_EQ(canvas.Pixel(x, 12), Shadow());
    }
    EXPECT_EQ(canvas.Pixel(2, 10), Canvas::kPaper);
    EXPECT_EQ(canvas.Pixel(23, 10), Canvas::kPaper);
    EXPECT_EQ(canvas.Pixel(10, 13), Canvas::kPaper);
    EXPECT_EQ(canvas.CountPixels(Canvas::kPaper), 30 * 20 - 3 * 20);
}

TEST(CDrawRectSplitter, VerticalBarRightOfTheRectangle) {
    FrameCanvas canvas(30, 20);
    CDrawRect::DrawRoundSplitter(canvas.DC(), 0, 3, 2, 0, 0, 20, 10);
    EXPECT_EQ(canvas.Pixel(20, 3), Highlight());
    EXPECT_EQ(canvas.Pixel(21, 7), Face());
    EXPECT_EQ(canvas.Pixel(22, 12), Shadow());
    EXPECT_EQ(canvas.Pixel(20, 2), Canvas::kPaper);
    EXPECT_EQ(canvas.CountPixels(Canvas::kPaper), 30 * 20 - 3 * 10);
}

TEST(CDrawRectSplitter, ThicknessDecidesTheLines) {
    FrameCanvas one(30, 20);
    CDrawRect::DrawRoundSplitter(one.DC(), 1, 1, 0, 0, 0, 20, 10);
    EXPECT_EQ(one.CountPixels(Highlight()), 20);
    EXPECT_EQ(one.CountPixels(Canvas::kPaper), 30 * 20 - 20);

    FrameCanvas two(30, 20);
    CDrawRect::DrawRoundSplitter(two.DC(), 1, 2, 0, 0, 0, 20, 10);
    EXPECT_EQ(two.Pixel(5, 10), Highlight());
    EXPECT_EQ(two.Pixel(5, 11), Shadow());

    for (long size : {0L, -4L}) {
        FrameCanvas none(30, 20);
        CDrawRect::DrawRoundSplitter(none.DC(), 1, size, 0, 0, 0, 20, 10);
        EXPECT_EQ(none.CountPixels(Canvas::kPaper), 30 * 20);
    }
}
