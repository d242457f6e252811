// The composed frame, pixel by pixel: border, header band, rows, highlight and focus.
#include "FontMeasure.h"
#include "ListboxHost.h"

namespace {

using namespace vel;
using namespace vel::test;

class ListboxPainting : public ListboxTest {};

void Select(ListboxHost& host, long index) {
    auto row = host.Row(index);
    ASSERT_TRUE(Invoke(host.Disp(), L"SelectedItem", DISPATCH_PROPERTYPUTREF, {Obj(row.Get())}).Ok());
}

// Whether any pixel of the frame in the rectangle passes `test`.
template <class Test>
bool AnyPixelWhere(ListboxHost& host, RECT area, Test test) {
    host.Pixel(0, 0);
    HDC frame = host.control->FrameDC();
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (test(GetPixel(frame, x, y))) return true;
    return false;
}

bool AnyPixel(ListboxHost& host, RECT area, COLORREF color) {
    return AnyPixelWhere(host, area, [color](COLORREF pixel) { return pixel == color; });
}

// Dark text on a light ground: smoothed glyphs leave no pure colour to look for.
bool AnyDarkText(ListboxHost& host, RECT area) {
    return AnyPixelWhere(host, area, [](COLORREF pixel) {
        return GetRValue(pixel) < 128 && GetGValue(pixel) < 128 && GetBValue(pixel) < 128;
    });
}

TEST_F(ListboxPainting, TheBorderFollowsBorderStyleAndAppearance) {
    ListboxHost host;
    EXPECT_EQ(host.Pixel(0, 0), Sys(COLOR_BTNSHADOW)) << "3-D: sunken, shadow outside";
    EXPECT_EQ(host.Pixel(1, 1), Sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(host.Pixel(179, 129), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(host.Pixel(2, 2), Sys(COLOR_WINDOW)) << "no columns: the row area starts at the border";
    Put(host.Disp(), L"Appearance", Num(0));
    EXPECT_EQ(host.Pixel(0, 0), RGB(0, 0, 0)) << "flat: one black ring";
    EXPECT_EQ(host.Pixel(179, 129), RGB(0, 0, 0));
    Put(host.Disp(), L"BorderStyle", Num(0));
    EXPECT_EQ(host.Pixel(0, 0), Sys(COLOR_WINDOW)) << "no border";
    // What was composed is what the window shows.
    EXPECT_EQ(PixelOf(host.Window(), 0, 0), Sys(COLOR_WINDOW));
}

TEST_F(ListboxPainting, TheHeaderBandIsDrawnOnlyWithColumnsAndWhileShown) {
    ListboxHost host;
    long b = 2, h = host.control->HeaderHeight();
    EXPECT_EQ(host.Pixel(b + 4, b + h / 2), Sys(COLOR_WINDOW)) << "no columns, no band";
    host.AddColumns(2, 60);
    EXPECT_EQ(host.Pixel(b + 4, b + h / 2), Sys(COLOR_BTNFACE));
    EXPECT_EQ(host.Pixel(b, b), Sys(COLOR_BTNHIGHLIGHT)) << "raised button frame";
    EXPECT_EQ(host.Pixel(150, b + h / 2), Sys(COLOR_BTNFACE)) << "the rest of the band";
    EXPECT_EQ(host.Pixel(150, b + h + 2), Sys(COLOR_WINDOW));
    Put(host.Disp(), L"ShowColumnHeaders", Variant::FromBool(false));
    EXPECT_EQ(host.Pixel(b + 4, b + 2), Sys(COLOR_WINDOW));
}

TEST_F(ListboxPainting, APressedHeaderLooksPressedUntilTheButtonIsReleased) {
    ListboxHost host;
    host.AddColumns(2, 60);
    long b = 2;
    EXPECT_EQ(host.Pixel(b, b), Sys(COLOR_BTNHIGHLIGHT));
    SendMessageW(host.Window(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    EXPECT_EQ(GetPixel(host.control->FrameDC(), b, b), Sys(COLOR_BTNSHADOW)) << "pressed frame";
    EXPECT_EQ(GetPixel(host.control->FrameDC(), b + 60, b), Sys(COLOR_BTNHIGHLIGHT)) << "the other header";
    SendMessageW(host.Window(), WM_LBUTTONUP, 0, MAKELPARAM(20, 5));
    EXPECT_EQ(GetPixel(host.control->FrameDC(), b, b), Sys(COLOR_BTNHIGHLIGHT));
}

TEST_F(ListboxPainting, ASelectedRowIsHighlightedAcrossTheWholeWidthInListboxStyle) {
    ListboxHost host;
    host.AddColumns(2, 60);
    host.AddRows(3);
    Select(host, 2);
    long b = 2, top = b + host.control->HeaderHeight() + host.control->RowHeight();
    EXPECT_EQ(host.Pixel(170, top), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(host.Pixel(177, top), Sys(COLOR_HIGHLIGHT)) << "up to the border";
    EXPECT_EQ(host.Pixel(170, top - 1), Sys(COLOR_WINDOW)) << "the row above";
    EXPECT_EQ(host.Pixel(170, top + host.control->RowHeight()), Sys(COLOR_WINDOW)) << "the row below";
}

TEST_F(ListboxPainting, ListViewStyleHighlightsTheFirstColumnOrJustAShortLeftAlignedText) {
    ListboxHost host;
    host.AddColumns(2, 60);
    host.AddRows(3, L"R");
    Put(host.Disp(), L"SelectionType", Num(1));
    Select(host, 1);
    long b = 2, top = b + host.control->HeaderHeight();
    // Centred first column: the highlight covers the column.
    EXPECT_EQ(host.Pixel(b + 58, top), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(host.Pixel(b + 62, top), Sys(COLOR_WINDOW));
    // Left-aligned and short: the text's width plus 8 pixels.
    auto first = AsObject(Get(host.Columns().Get(), L"Item", {Num(1)}));
    Put(first.Get(), L"Alignment", Num(0));
    ComPtr<IFontDisp> font;
    AsObject(Get(host.Disp(), L"Font")).As(&font);
    SIZE text = roster::FontMeasure::Extent(host.control->FrameDC(), font.Get(), L"R1");
    long right = b + text.cx + 8;
    EXPECT_EQ(host.Pixel(right - 1, top), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(host.Pixel(right + 1, top), Sys(COLOR_WINDOW));
    // Only the first cell shows the highlight text colour; the others keep the row colour.
    auto put = Put(host.Row(1).Get(), L"SubItems", Str(L"XX"), {Num(1)});
    ASSERT_TRUE(put.Ok()) << put.description;
    EXPECT_EQ(AsText(Get(host.Row(1).Get(), L"SubItems", {Num(1)})), L"XX");
    long bottom = top + host.control->RowHeight();
    EXPECT_TRUE(AnyDarkText(host, RECT{b + 60, top, b + 120, bottom}));
    EXPECT_FALSE(AnyDarkText(host, RECT{b, top, right, bottom}));
}

TEST_F(ListboxPainting, TheFocusRectangleSitsOnTheFirstRowWhileNothingIsSelected) {
    ListboxHost host;
    host.AddColumns(1, 60);
    host.AddRows(3);
    long b = 2, top = b + host.control->HeaderHeight();
    RECT edge{b + 2, top, b + 40, top + 1};
    EXPECT_FALSE(AnyPixel(host, edge, RGB(0, 0, 0)));
    SendMessageW(host.Window(), WM_SETFOCUS, 0, 0);
    EXPECT_TRUE(AnyPixel(host, edge, RGB(0, 0, 0))) << "dotted focus line on row 1";
    Select(host, 2);
    EXPECT_FALSE(AnyPixel(host, edge, RGB(0, 0, 0))) << "the focus rectangle moved to the selected row";
    SendMessageW(host.Window(), WM_KILLFOCUS, 0, 0);
}

TEST_F(ListboxPainting, AFocusRectangleForARowScrolledAwayIsNotDrawnOnTheHeaderBand) {
    ListboxHost host;
    host.AddColumns(1, 60);
    host.AddRows(40);
    SendMessageW(host.Window(), WM_SETFOCUS, 0, 0);
    long b = 2, areaTop = b + host.control->HeaderHeight();
    host.Pixel(0, 0);
    host.control->VerticalBar().SetValue(host.control->RowHeight() / 2);
    HDC frame = host.control->FrameDC();
    for (long y = b + 2; y < areaTop - 2; ++y)
        for (long x = 100; x < 160; ++x) ASSERT_EQ(GetPixel(frame, x, y), Sys(COLOR_BTNFACE)) << x << "," << y;
    SendMessageW(host.Window(), WM_KILLFOCUS, 0, 0);
}

TEST_F(ListboxPainting, ARowCutOffAtTheBottomIsNotPainted) {
    ListboxHost host;
    long rh = host.control->RowHeight(), hh = host.control->HeaderHeight();
    host.Resize(180, 4 + hh + 5 * rh + rh / 2);
    host.AddColumns(1, 60);
    host.AddRows(6);
    Put(host.Disp(), L"MultiSelect", Variant::FromBool(true));
    for (long i = 1; i <= 6; ++i) Put(host.Row(i).Get(), L"Selected", Variant::FromBool(true));
    long fifthBottom = 2 + hh + 5 * rh;
    EXPECT_EQ(host.Pixel(150, fifthBottom - 1), Sys(COLOR_HIGHLIGHT));
    EXPECT_EQ(host.Pixel(150, fifthBottom + 1), Sys(COLOR_WINDOW)) << "row 6 does not fit and stays unpainted";
}

TEST_F(ListboxPainting, AnEmptyControlShowsItsNameAtDesignTimeAndNeverItsRows) {
    {
        ListboxHost designer(false);
        long rh = designer.control->RowHeight();
        EXPECT_TRUE(AnyDarkText(designer, RECT{2, 2, 120, 6 + rh}));
        EXPECT_FALSE(AnyDarkText(designer, RECT{2, 6 + rh, 170, 120}));
        designer.AddColumns(1, 100);
        designer.AddRows(2);
        long top = 2 + designer.control->HeaderHeight();
        EXPECT_FALSE(AnyDarkText(designer, RECT{2, top, 170, 120})) << "rows are not drawn at design time";
    }
    {
        ListboxHost running(true);
        EXPECT_FALSE(AnyDarkText(running, RECT{2, 2, 170, 120}));
    }
}

}  // namespace
