// The composed frame pixel by pixel, against what the geometry says: the layout of
// each alignment, the etched (or flat) frame line and its gaps, the system check box in
// each state drawn at its rectangle, the caption plain, embossed and focused, and a
// picture with its mask colour and greyed form.
#include "CheckFrameHost.h"
#include "CheckFramePainter.h"

namespace vel::test {
namespace {

using checkframe::CheckFrameGeometry;
using checkframe::CheckFramePainter;
using checkframe::CheckFrameView;

class CheckFramePainting : public CheckFrameTest {};

COLORREF Window() { return Sys(COLOR_WINDOW); }
COLORREF Face() { return Sys(COLOR_BTNFACE); }
COLORREF Shadow() { return Sys(COLOR_BTNSHADOW); }
COLORREF Highlight() { return Sys(COLOR_BTNHIGHLIGHT); }

short LineY(const CheckFrameHost& host) { return CheckFramePainter::LineY(host.control->Geometry()); }

// Whether the frame shows, at the check box's rectangle, exactly what DrawFrameControl
// draws there with `state` on the frame's background.
bool ShowsSystemBox(const CheckFrameHost& host, UINT state) {
    host.control->RepaintParts(checkframe::rdAll);
    auto& g = host.control->Geometry();
    HDC frame = host.control->FrameDC();
    HDC screen = GetDC(nullptr);
    HDC reference = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, g.checkBoxLeft + 20, g.checkBoxTop + 20);
    HGDIOBJ old = SelectObject(reference, bitmap);
    RECT box{g.checkBoxLeft, g.checkBoxTop, g.checkBoxLeft + g.checkBoxWidth + 1, g.checkBoxTop + g.checkBoxHeight + 1};
    HBRUSH face = CreateSolidBrush(Face());
    FillRect(reference, &box, face);
    DeleteObject(face);
    DrawFrameControl(reference, &box, DFC_BUTTON, state);
    bool same = true;
    for (int x = box.left; x < box.right; ++x)
        for (int y = box.top; y < box.bottom; ++y) same = same && GetPixel(frame, x, y) == GetPixel(reference, x, y);
    SelectObject(reference, old);
    DeleteObject(bitmap);
    DeleteDC(reference);
    ReleaseDC(nullptr, screen);
    return same;
}

// How many pixels of the caption's rectangle have `colour`.
int CaptionPixels(const CheckFrameHost& host, COLORREF colour) {
    host.control->RepaintParts(checkframe::rdAll);
    auto& g = host.control->Geometry();
    int count = 0;
    for (int x = g.captionLeft - 1; x <= g.captionLeft + g.captionWidth + 1; ++x)
        for (int y = g.captionTop - 1; y <= g.captionTop + g.captionHeight + 1; ++y)
            count += GetPixel(host.control->FrameDC(), x, y) == colour;
    return count;
}

TEST_F(CheckFramePainting, VerticalLayoutCentresTheSmallerOfBoxAndCaption) {
    CheckFrameView view;
    view.width = 200;
    CheckFrameGeometry g;
    g.captionHeight = 13;
    CheckFramePainter::Place(view, g);
    EXPECT_EQ(g.checkBoxTop, 0) << "round(0.5) is 0";
    EXPECT_EQ(g.captionTop, 1);
    EXPECT_EQ(CheckFramePainter::LineY(g), 7) << "round(6.5) + 1";
    g.checkBoxHeight = g.checkBoxWidth = 36;
    CheckFramePainter::Place(view, g);
    EXPECT_EQ(g.captionTop, 13) << "round(23 x 0.5 + 1.5)";
    EXPECT_EQ(g.checkBoxTop, 1);
}

TEST_F(CheckFramePainting, EachAlignmentPlacesBoxAndCaption) {
    CheckFrameView view;
    view.width = 200;
    CheckFrameGeometry g;
    g.captionWidth = 40;
    CheckFramePainter::Place(view, g);
    EXPECT_EQ(g.checkBoxLeft, 9);
    EXPECT_EQ(g.captionLeft, 26);
    view.alignment = checkframe::kRightJustify;
    CheckFramePainter::Place(view, g);
    EXPECT_EQ(g.checkBoxLeft, 179);
    EXPECT_EQ(g.captionLeft, 9);
    view.alignment = checkframe::kRightCaptionJustify;
    CheckFramePainter::Place(view, g);
    EXPECT_EQ(g.checkBoxLeft, 179);
    EXPECT_EQ(g.captionLeft, 134) << "five pixels left of the box";
}

TEST_F(CheckFramePainting, TheEtchedLineRunsRoundTheFrameWithGapsForBoxAndCaption) {
    CheckFrameHost host;
    auto& g = host.control->Geometry();
    int y = LineY(host);
    EXPECT_EQ(host.Pixel(3, y), Shadow());
    EXPECT_EQ(host.Pixel(3, y + 1), Highlight());
    EXPECT_EQ(host.Pixel(0, 50), Shadow());
    EXPECT_EQ(host.Pixel(1, 50), Highlight());
    EXPECT_EQ(host.Pixel(100, 97), Shadow());
    EXPECT_EQ(host.Pixel(100, 98), Highlight());
    EXPECT_EQ(host.Pixel(199, 50), Face()) << "the last column is left to the background";
    EXPECT_EQ(host.Pixel(g.checkBoxLeft + g.checkBoxWidth + 1, y), Face()) << "the gap between box and caption";
    EXPECT_EQ(host.Pixel(g.captionLeft + g.captionWidth + 1, y), Face()) << "the gap ends two pixels after the caption";
    EXPECT_EQ(host.Pixel(g.captionLeft + g.captionWidth + 3, y), Shadow());
    EXPECT_EQ(host.Pixel(100, 50), Face()) << "the body is the background colour";
}

TEST_F(CheckFramePainting, WithoutACaptionOnlyTheBoxInterruptsTheLine) {
    CheckFrameHost host;
    Put(host.Disp(), L"Caption", Str(L""));
    auto& g = host.control->Geometry();
    EXPECT_EQ(host.Pixel(g.checkBoxLeft + g.checkBoxWidth + 1, LineY(host)), Shadow());
    EXPECT_EQ(host.Pixel(g.checkBoxLeft - 1, LineY(host)), Shadow());
}

TEST_F(CheckFramePainting, NoBorderLeavesOnlyTheBackgroundAndFlatDrawsAMonoLine) {
    CheckFrameHost host;
    Put(host.Disp(), L"BorderStyle", Num(0));
    EXPECT_EQ(host.Pixel(3, LineY(host)), Face());
    EXPECT_EQ(host.Pixel(100, 97), Face());
    Put(host.Disp(), L"BorderStyle", Num(1));
    Put(host.Disp(), L"Appearance", Num(0));
    COLORREF line = host.Pixel(3, LineY(host));
    EXPECT_NE(line, Window()) << "a line is drawn";
    EXPECT_EQ(host.Pixel(100, 50), Window()) << "a flat frame sits on the window colour";
    EXPECT_EQ(host.Pixel(0, 50), line) << "the line is of one colour";
}

TEST_F(CheckFramePainting, TheSystemCheckBoxShowsEachValueAtItsRectangle) {
    CheckFrameHost host;
    EXPECT_TRUE(ShowsSystemBox(host, DFCS_BUTTONCHECK));
    Put(host.Disp(), L"Value", Num(1));
    EXPECT_TRUE(ShowsSystemBox(host, DFCS_BUTTONCHECK | DFCS_CHECKED));
    Put(host.Disp(), L"Value", Num(2));
    EXPECT_TRUE(ShowsSystemBox(host, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE));
    Put(host.Disp(), L"Appearance", Num(0));
    Put(host.Disp(), L"BackColor", Colour(0x8000000F));
    EXPECT_TRUE(ShowsSystemBox(host, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE | DFCS_FLAT));
}

TEST_F(CheckFramePainting, RightAlignedBoxSitsNinePixelsFromTheRightEdge) {
    CheckFrameHost host;
    Put(host.Disp(), L"Alignment", Num(1));
    Put(host.Disp(), L"Value", Num(1));
    EXPECT_TRUE(ShowsSystemBox(host, DFCS_BUTTONCHECK | DFCS_CHECKED));
    EXPECT_EQ(host.control->Geometry().checkBoxLeft, 179);
    EXPECT_EQ(host.control->Geometry().captionLeft, 9);
    EXPECT_GT(CaptionPixels(host, RGB(0, 0, 0)), 0) << "the caption is drawn at the left";
}

TEST_F(CheckFramePainting, ThePressedLookLastsUntilTheNextPlainRepaint) {
    CheckFrameHost host;
    host.control->RepaintParts(checkframe::rdAll);
    host.control->RepaintParts(checkframe::rdCheckBox | checkframe::rdPressed);
    auto& g = host.control->Geometry();
    COLORREF pressed = GetPixel(host.control->FrameDC(), g.checkBoxLeft + 6, g.checkBoxTop + 6);
    EXPECT_EQ(pressed, Face()) << "a pushed box is filled with the button face";
    host.control->RepaintParts(checkframe::rdCheckBox);
    EXPECT_EQ(GetPixel(host.control->FrameDC(), g.checkBoxLeft + 6, g.checkBoxTop + 6), Window());
}

TEST_F(CheckFramePainting, TheCaptionIsPlainEmbossedWhenDisabledAndFocusedWithARectangle) {
    CheckFrameHost host;
    EXPECT_GT(CaptionPixels(host, Sys(COLOR_BTNTEXT)), 0);
    Put(host.Disp(), L"ForeColor", Num(0x0000FF));
    EXPECT_GT(CaptionPixels(host, RGB(255, 0, 0)), 0);
    Put(host.Disp(), L"Enabled", Variant::FromBool(false));
    EXPECT_EQ(CaptionPixels(host, RGB(255, 0, 0)), 0);
    EXPECT_GT(CaptionPixels(host, Shadow()), 0);
    EXPECT_GT(CaptionPixels(host, Highlight()), 0) << "the highlight one pixel right and down";
    Put(host.Disp(), L"Enabled", Variant::FromBool(true));
    int plain = CaptionPixels(host, Face());
    SendMessageW(host.control->WindowHandle(), WM_SETFOCUS, 0, 0);
    EXPECT_LT(CaptionPixels(host, Face()), plain) << "the focus rectangle covers background";
    SendMessageW(host.control->WindowHandle(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(CaptionPixels(host, Face()), plain);
}

// A 6 x 6 picture: red, with a green (mask) square and a white and a light grey pixel.
COLORREF Sample(int x, int y) {
    if (x < 2 && y < 2) return RGB(0, 255, 0);
    if (x == 5 && y == 5) return RGB(255, 255, 255);
    if (x == 4 && y == 5) return RGB(192, 192, 192);
    return RGB(255, 0, 0);
}

TEST_F(CheckFramePainting, APictureIsDrawnWithItsMaskColourAndGreyedForm) {
    CheckFrameHost host;
    auto picture = MakeBitmapPicture(6, 6, Sample);
    ASSERT_TRUE(PutRef(host.Disp(), L"Picture", picture.Get()).Ok());
    Put(host.Disp(), L"MaskColor", Num(0x00FF00));
    auto& g = host.control->Geometry();
    ASSERT_EQ(g.checkBoxWidth, 10);
    int px = 0, py = 0;
    auto at = [&](int x, int y) { return host.Pixel(px + x, py + y); };
    px = g.checkBoxLeft + 2;
    py = g.checkBoxTop + 2;
    EXPECT_EQ(at(3, 3), Window()) << "unchecked: the empty box only";
    EXPECT_EQ(host.Pixel(g.checkBoxLeft + 1, g.checkBoxTop), Shadow()) << "the sunken outline";
    Put(host.Disp(), L"Value", Num(1));
    EXPECT_EQ(at(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(at(0, 0), RGB(0, 255, 0)) << "opaque while UseMaskColor is off";
    Put(host.Disp(), L"UseMaskColor", Variant::FromBool(true));
    EXPECT_EQ(at(0, 0), Window()) << "the mask colour shows the box through";
    EXPECT_EQ(at(3, 3), RGB(255, 0, 0));
    Put(host.Disp(), L"Value", Num(2));
    EXPECT_EQ(at(3, 3), Shadow());
    EXPECT_EQ(at(5, 5), Face());
    EXPECT_EQ(at(4, 5), Highlight());
    EXPECT_EQ(at(0, 0), Window());
    Put(host.Disp(), L"Value", Num(1));
    Put(host.Disp(), L"Enabled", Variant::FromBool(false));
    EXPECT_EQ(at(3, 3), Shadow()) << "a disabled frame greys a checked picture";
    Put(host.Disp(), L"Appearance", Num(0));
    EXPECT_EQ(host.Pixel(g.checkBoxLeft + 1, g.checkBoxTop), RGB(0, 0, 0)) << "the flat outline";
}

TEST_F(CheckFramePainting, AMaskColourSetBeforeThePictureIsTheOneItIsDrawnWith) {
    CheckFrameHost host;
    Put(host.Disp(), L"MaskColor", Num(0x00FF00));
    Put(host.Disp(), L"UseMaskColor", Variant::FromBool(true));
    Put(host.Disp(), L"Value", Num(1));
    auto picture = MakeBitmapPicture(6, 6, Sample);
    PutRef(host.Disp(), L"Picture", picture.Get());
    auto& g = host.control->Geometry();
    EXPECT_EQ(host.Pixel(g.checkBoxLeft + 2, g.checkBoxTop + 2), Window());
}

}  // namespace
}  // namespace vel::test
