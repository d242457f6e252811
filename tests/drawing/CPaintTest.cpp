// The off-screen DC of CPaint and its fill and text operations, checked by the
// pixels they leave in memory DCs.
#include <gtest/gtest.h>

#include "CPaint.h"
#include "Canvas.h"
#include "RaisedError.h"

using namespace vel::drawing;

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kInk = RGB(200, 0, 0);

bool IsDeleted(HGDIOBJ object) { return GetObjectType(object) == 0; }

FontDescription Arial(long height) { return FontDescription{L"Arial", height}; }

}  // namespace

TEST(CPaintMemDC, StartsWithoutOffscreenDCAndMakesOneOfTheRequestedSize) {
    CPaint paint;
    EXPECT_EQ(paint.hDCMem(), nullptr);

    Canvas control(40, 30);
    HDC memDC = paint.GetMemDC(control.DC(), 40, 30);
    ASSERT_NE(memDC, nullptr);
    EXPECT_EQ(paint.hDCMem(), memDC);
    BITMAP bitmap{};
    GetObjectW(GetCurrentObject(memDC, OBJ_BITMAP), sizeof(bitmap), &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 40);
    EXPECT_EQ(bitmap.bmHeight, 30);
}

TEST(CPaintMemDC, ANewMemDCFreesThePreviousDCAndBitmap) {
    Canvas control(20, 20);
    CPaint paint;
    HDC first = paint.GetMemDC(control.DC(), 20, 20);
    HGDIOBJ firstBitmap = GetCurrentObject(first, OBJ_BITMAP);

    HDC second = paint.GetMemDC(control.DC(), 10, 10);
    EXPECT_TRUE(IsDeleted(first));
    EXPECT_TRUE(IsDeleted(firstBitmap));
    EXPECT_EQ(GetObjectType(second), static_cast<DWORD>(OBJ_MEMDC));
}

TEST(CPaintMemDC, ReleaseFreesEverythingOnceAndLeavesNoDanglingDC) {
    Canvas control(20, 20);
    HDC memDC = nullptr;
    HGDIOBJ bitmap = nullptr;
    {
        CPaint paint;
        memDC = paint.GetMemDC(control.DC(), 20, 20);
        bitmap = GetCurrentObject(memDC, OBJ_BITMAP);
        paint.ReleaseMemDC();
        EXPECT_TRUE(IsDeleted(memDC));
        EXPECT_TRUE(IsDeleted(bitmap));
        EXPECT_EQ(paint.hDCMem(), nullptr);
        paint.ReleaseMemDC();
        memDC = paint.GetMemDC(control.DC(), 20, 20);
        bitmap = GetCurrentObject(memDC, OBJ_BITMAP);
    }
    EXPECT_TRUE(IsDeleted(memDC));
    EXPECT_TRUE(IsDeleted(bitmap));
}

TEST(CPaintMemDC, InitialisesTheBitmapWithTheControlsBackgroundOnlyOnRequest) {
    constexpr COLORREF kControlBack = RGB(10, 200, 30);
    Canvas control(16, 16, kControlBack);
    CPaint paint;

    paint.GetMemDC(control.DC(), 16, 16);
    EXPECT_NE(GetPixel(paint.hDCMem(), 5, 5), kControlBack);

    HDC memDC = paint.GetMemDC(control.DC(), 16, 16, true);
    EXPECT_EQ(GetPixel(memDC, 0, 0), kControlBack);
    EXPECT_EQ(GetPixel(memDC, 15, 15), kControlBack);
}

TEST(CPaintMemDC, BltCopiesTheRequestedTopLeftBlock) {
    Canvas control(30, 30);
    CPaint paint;
    HDC memDC = paint.GetMemDC(control.DC(), 30, 30);
    CPaint::DrawBackground(memDC, 0, 0, 30, 30, kBlue);

    paint.BltMemDC(control.DC(), 20, 10);
    EXPECT_EQ(control.Pixel(0, 0), kBlue);
    EXPECT_EQ(control.Pixel(19, 9), kBlue);
    EXPECT_EQ(control.Pixel(20, 9), Canvas::kPaper);
    EXPECT_EQ(control.Pixel(19, 10), Canvas::kPaper);
}

TEST(CPaintMemDC, ToleratesNullDCsAndEmptySizes) {
    CPaint paint;
    paint.BltMemDC(nullptr, 10, 10);
    paint.GetMemDC(nullptr, 0, 0, true);
    paint.BltMemDC(nullptr, 10, 10);
    paint.GetMemDC(nullptr, -5, -5);
    paint.DrawTextWithFont(L"x", Arial(12), RECT{0, 0, 10, 10}, 0, TextAlignment::Left);
    CPaint::DrawBackground(nullptr, 0, 0, 10, 10, kBlue);
}

TEST(CPaintColours, TranslatesSystemColoursAndPassesRgbThrough) {
    EXPECT_EQ(CPaint::TranslateColor(0x8000000F), GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(CPaint::TranslateColor(0x80000005), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(CPaint::TranslateColor(0x00FF0000), 0x00FF0000u);
    EXPECT_EQ(CPaint::TranslateColor(0), 0u);
}

TEST(CPaintBackground, FillsExactlyTheRectangleAndKeepsTheBackgroundColour) {
    Canvas canvas(20, 20);
    CPaint::DrawBackground(canvas.DC(), 2, 3, 5, 4, 0x00FF0000);

    EXPECT_EQ(canvas.CountPixels(kBlue), 5 * 4);
    RECT filled = canvas.InkBounds(Canvas::kPaper);
    EXPECT_EQ(filled.left, 2);
    EXPECT_EQ(filled.top, 3);
    EXPECT_EQ(filled.right, 7);
    EXPECT_EQ(filled.bottom, 7);
    EXPECT_EQ(GetBkColor(canvas.DC()), Canvas::kPaper);
}

TEST(CPaintBackground, FillsWithSystemColourOrWithTheDCsOwnBackground) {
    Canvas canvas(10, 10, RGB(1, 1, 1));
    CPaint::DrawBackground(canvas.DC(), 0, 0, 10, 5, 0x8000000F);
    EXPECT_EQ(canvas.Pixel(4, 4), GetSysColor(COLOR_BTNFACE));

    SetBkColor(canvas.DC(), RGB(7, 8, 9));
    CPaint::DrawBackground(canvas.DC(), 0, 5, 10, 5);
    EXPECT_EQ(canvas.Pixel(4, 5), RGB(7, 8, 9));
    EXPECT_EQ(GetBkColor(canvas.DC()), RGB(7, 8, 9));

    CPaint::DrawBackground(canvas.DC());
    EXPECT_EQ(canvas.Pixel(0, 0), GetSysColor(COLOR_BTNFACE));
}

TEST(CPaintBackground, OverflowingRectangleRaisesOverflow) {
    Canvas canvas(4, 4);
    EXPECT_EQ(RaisedError([&] { CPaint::DrawBackground(canvas.DC(), 0x7FFFFFFF, 0, 1, 1, kBlue); }), kOverflow);
}

TEST(CPaintFonts, BuildsTheDescribedFont) {
    OwnedFont font = CPaint::CreateLogFont({L"Courier New", 17, true, true, true, true});
    ASSERT_TRUE(font);
    LOGFONTW made{};
    GetObjectW(font.Get(), sizeof(made), &made);
    EXPECT_EQ(made.lfHeight, 17);
    EXPECT_EQ(made.lfWeight, FW_BOLD);
    EXPECT_TRUE(made.lfItalic && made.lfUnderline && made.lfStrikeOut);
    EXPECT_EQ(made.lfCharSet, DEFAULT_CHARSET);
    EXPECT_STREQ(made.lfFaceName, L"Courier New");

    GetObjectW(CPaint::CreateLogFont({L"Arial", -9}).Get(), sizeof(made), &made);
    EXPECT_EQ(made.lfHeight, -9);
    EXPECT_EQ(made.lfWeight, FW_NORMAL);
    EXPECT_FALSE(made.lfItalic || made.lfUnderline || made.lfStrikeOut);
}

TEST(CPaintFonts, FaceNameLongerThanTheFaceFieldRaisesSubscriptOutOfRange) {
    EXPECT_TRUE(CPaint::CreateLogFont({std::wstring(31, L'a'), 12}));
    EXPECT_EQ(RaisedError([] { CPaint::CreateLogFont({std::wstring(32, L'a'), 12}); }), kSubscriptOutOfRange);
}

// Text drawn through DrawTextAligned compared with the same text drawn plainly.
class CPaintAlignedText : public ::testing::Test {
protected:
    static constexpr RECT kBox{10, 0, 190, 30};

    RECT PlainInk(UINT format) {
        Canvas canvas(200, 30);
        SetTextColor(canvas.DC(), kInk);
        RECT box = kBox;
        DrawTextW(canvas.DC(), L"W", 1, &box, format);
        return canvas.InkBounds(Canvas::kPaper);
    }

    RECT AlignedInk(TextAlignment alignment, UINT& format) {
        Canvas canvas(200, 30);
        SetTextColor(canvas.DC(), kInk);
        RECT box = kBox;
        CPaint::DrawTextAligned(canvas.DC(), L"W", box, format, alignment);
        return canvas.InkBounds(Canvas::kPaper);
    }

    long TwoSpaces() {
        Canvas canvas(1, 1);
        SIZE size{};
        GetTextExtentPoint32W(canvas.DC(), L"  ", 2, &size);
        return size.cx;
    }
};

TEST_F(CPaintAlignedText, LeftTextStartsTwoSpacesIn) {
    UINT format = DT_SINGLELINE;
    RECT aligned = AlignedInk(TextAlignment::Left, format);
    ASSERT_GT(TwoSpaces(), 0);
    EXPECT_EQ(aligned.left, PlainInk(DT_SINGLELINE).left + TwoSpaces());
    EXPECT_EQ(format, static_cast<UINT>(DT_SINGLELINE));
}

TEST_F(CPaintAlignedText, RightTextEndsTwoSpacesInAndAddsRightFlag) {
    UINT format = DT_SINGLELINE;
    RECT aligned = AlignedInk(TextAlignment::Right, format);
    EXPECT_EQ(aligned.right, PlainInk(DT_SINGLELINE | DT_RIGHT).right - TwoSpaces());
    EXPECT_EQ(format, static_cast<UINT>(DT_SINGLELINE | DT_RIGHT));
}

TEST_F(CPaintAlignedText, OtherAlignmentsCentreWithoutPadding) {
    for (long value : {2L, 7L}) {
        UINT format = DT_SINGLELINE;
        RECT aligned = AlignedInk(static_cast<TextAlignment>(value), format);
        EXPECT_EQ(aligned.left, PlainInk(DT_SINGLELINE | DT_CENTER).left);
        EXPECT_EQ(format, static_cast<UINT>(DT_SINGLELINE | DT_CENTER));
    }
}

TEST(CPaintTextWithFont, DrawsInForeColourWithTransparentBackgroundAndTheGivenFont) {
    Canvas control(200, 60);
    CPaint paint;
    HDC memDC = paint.GetMemDC(control.DC(), 200, 60, true);

    paint.DrawTextWithFont(L"Wg", Arial(40), RECT{0, 0, 200, 60}, DT_SINGLELINE, TextAlignment::Center,
                           RGB(0, 255, 0), kInk);
    paint.BltMemDC(control.DC(), 200, 60);

    EXPECT_EQ(control.CountPixels(RGB(0, 255, 0)), 0) << "background must stay transparent";
    EXPECT_GT(control.CountPixels(kInk), 0);
    RECT ink = control.InkBounds(Canvas::kPaper);
    EXPECT_GT(ink.bottom - ink.top, 20) << "the 40-pixel font was not used";
    EXPECT_EQ(GetBkMode(memDC), OPAQUE);
}

TEST(CPaintTextWithFont, LeavesEverySettingOfTheOffscreenDCAsItWas) {
    Canvas control(100, 30);
    CPaint paint;
    HDC memDC = paint.GetMemDC(control.DC(), 100, 30);
    OwnedFont ownFont = CPaint::CreateLogFont(Arial(11));
    HGDIOBJ previousFont = SelectObject(memDC, ownFont.Get());
    SetTextColor(memDC, RGB(1, 2, 3));
    SetBkColor(memDC, RGB(4, 5, 6));
    SetBkMode(memDC, OPAQUE);

    paint.DrawTextWithFont(L"Text", Arial(20), RECT{0, 0, 100, 30}, DT_SINGLELINE, TextAlignment::Left,
                           RGB(9, 9, 9), RGB(8, 8, 8));
    paint.DrawTextWithFont(L"Text", {L"Arial", 20, true, true, true, true}, RECT{0, 0, 100, 30}, 0,
                           TextAlignment::Right);

    EXPECT_EQ(GetCurrentObject(memDC, OBJ_FONT), ownFont.Get());
    EXPECT_EQ(GetTextColor(memDC), RGB(1, 2, 3));
    EXPECT_EQ(GetBkColor(memDC), RGB(4, 5, 6));
    EXPECT_EQ(GetBkMode(memDC), OPAQUE);
    SelectObject(memDC, previousFont);
}

TEST(CPaintTextWithFont, TooLongFaceNameRaisesBeforeTouchingTheDC) {
    Canvas control(10, 10);
    CPaint paint;
    HDC memDC = paint.GetMemDC(control.DC(), 10, 10);
    HGDIOBJ font = GetCurrentObject(memDC, OBJ_FONT);
    const FontDescription tooLong{std::wstring(40, L'x'), 12};
    EXPECT_EQ(RaisedError([&] {
                  paint.DrawTextWithFont(L"x", tooLong, RECT{0, 0, 10, 10}, 0, TextAlignment::Left, RGB(1, 1, 1));
              }),
              kSubscriptOutOfRange);
    EXPECT_EQ(GetCurrentObject(memDC, OBJ_FONT), font);
    EXPECT_EQ(GetBkMode(memDC), OPAQUE);
}
