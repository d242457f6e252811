// Scroll bars: which are shown, where they sit, their ranges, and lists too long for
// 16-bit scroll values.
#include "ListboxHost.h"

namespace {

using namespace vel;
using namespace vel::test;

class ListboxScrolling : public ListboxTest {};

bool Shown(const roster::ScrollBar& bar) { return bar.Visible() && IsWindowVisible(bar.Handle()); }

TEST_F(ListboxScrolling, EachBarAppearsOnlyWhenItsContentDoesNotFit) {
    ListboxHost host;
    const auto &lr = host.control->HorizontalBar(), &ud = host.control->VerticalBar();
    host.AddColumns(1, 60);
    host.AddRows(2);
    EXPECT_FALSE(Shown(lr));
    EXPECT_FALSE(Shown(ud));

    host.AddRows(28);
    EXPECT_TRUE(Shown(ud));
    EXPECT_FALSE(Shown(lr));
    EXPECT_EQ(ud.Left(), 180 - 2 - ud.Width());
    EXPECT_EQ(ud.Top(), 2);
    EXPECT_EQ(ud.Height(), 130 - 4);
    EXPECT_EQ(ud.Width(), GetSystemMetrics(SM_CXVSCROLL));

    ASSERT_TRUE(Call(host.Items().Get(), L"Clear").Ok());
    host.AddColumns(2, 100);
    host.AddRows(2);
    EXPECT_TRUE(Shown(lr));
    EXPECT_FALSE(Shown(ud));
    EXPECT_EQ(lr.Left(), 2);
    EXPECT_EQ(lr.Top(), 130 - 2 - lr.Height());
    EXPECT_EQ(lr.Width(), 180 - 4);
    EXPECT_EQ(lr.Max(), 2 + 260 - 180 + 2) << "the columns' overhang";
}

TEST_F(ListboxScrolling, ClearingTheRowsHidesTheVerticalBarAndScrollsBackToTheTop) {
    ListboxHost host;
    auto& ud = host.control->VerticalBar();
    host.AddColumns(1, 60);
    host.AddRows(40);
    ud.SetValue(ud.Max());
    ASSERT_TRUE(Call(host.Items().Get(), L"Clear").Ok());
    EXPECT_FALSE(Shown(ud));
    EXPECT_EQ(ud.Value(), 0);
    host.AddRows(1);
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetFirstVisible")).Get(), L"Index")), 1);
}

TEST_F(ListboxScrolling, BothBarsShareTheCornerWithASquareOrASizeGrip) {
    ListboxHost host;
    const auto &lr = host.control->HorizontalBar(), &ud = host.control->VerticalBar();
    host.AddColumns(3, 100);
    host.AddRows(30);
    ASSERT_TRUE(Shown(lr));
    ASSERT_TRUE(Shown(ud));
    EXPECT_EQ(ud.Height(), 130 - 4 - lr.Height());
    EXPECT_EQ(lr.Width(), 180 - 4 - ud.Width());
    long rh = host.control->RowHeight(), hh = host.control->HeaderHeight();
    EXPECT_EQ(ud.Max(), 30 * rh - (130 - (4 + hh)) + lr.Height());
    EXPECT_EQ(ud.SmallChange(), rh);
    EXPECT_EQ(ud.LargeChange(), 4 * rh);
    EXPECT_EQ(host.Pixel(ud.Left() + 2, lr.Top() + 2), Sys(COLOR_BTNFACE)) << "plain corner square";
    // At the container's lower-right corner the square becomes a size grip.
    host.Resize(200, 150);
    const RECT corner{ud.Left(), lr.Top(), 198, 148};
    bool grip = false;
    host.Pixel(0, 0);
    for (long y = corner.top; y < corner.bottom; ++y)
        for (long x = corner.left; x < corner.right; ++x)
            grip |= GetPixel(host.control->FrameDC(), x, y) != Sys(COLOR_BTNFACE);
    EXPECT_TRUE(grip);
}

TEST_F(ListboxScrolling, AHundredThousandRowsScrollToTheLastRow) {
    ListboxHost host;
    host.AddColumns(1, 60);
    Put(host.Disp(), L"Redraw", Variant::FromBool(false));
    const long count = 100000;
    host.AddRows(count);
    Put(host.Disp(), L"Redraw", Variant::FromBool(true));
    auto& ud = host.control->VerticalBar();
    long rh = host.control->RowHeight(), hh = host.control->HeaderHeight();
    EXPECT_EQ(ud.Max(), count * rh - (130 - (4 + hh)));
    ud.SetValue(ud.Max());
    EXPECT_EQ(ud.Value(), ud.Max());
    SCROLLINFO info{sizeof(info), SIF_ALL};
    ASSERT_TRUE(GetScrollInfo(ud.Handle(), SB_CTL, &info));
    EXPECT_EQ(info.nPos, ud.Max()) << "the window's own position is 32-bit too";
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetLastVisible")).Get(), L"Index")), count);
    long first = AsLong(Get(AsObject(Call(host.Disp(), L"GetFirstVisible")).Get(), L"Index"));
    EXPECT_GT(first, count - 20);
    // The last row is painted, highlighted, at the bottom of the view.
    auto last = host.Row(count);
    Invoke(host.Disp(), L"SelectedItem", DISPATCH_PROPERTYPUTREF, {Obj(last.Get())});
    bool highlighted = false;
    host.Pixel(0, 0);
    for (long y = 2 + hh; y < 128; ++y) highlighted |= GetPixel(host.control->FrameDC(), 100, y) == Sys(COLOR_HIGHLIGHT);
    EXPECT_TRUE(highlighted);
    // Dragging the thumb reports 32-bit positions as well.
    SendMessageW(host.Window(), WM_VSCROLL, MAKEWPARAM(SB_TOP, 0), reinterpret_cast<LPARAM>(ud.Handle()));
    EXPECT_EQ(ud.Value(), 0);
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetFirstVisible")).Get(), L"Index")), 1);
}

TEST_F(ListboxScrolling, RedrawFalseDefersLayoutUntilItIsSetBack) {
    ListboxHost host;
    host.AddColumns(1, 60);
    host.Pixel(0, 0);
    HDC frame = host.control->FrameDC();
    SetPixel(frame, 100, 100, RGB(1, 2, 3));
    Put(host.Disp(), L"Redraw", Variant::FromBool(false));
    EXPECT_EQ(AsLong(Get(host.Disp(), L"Redraw")), 0);
    host.AddRows(30);
    EXPECT_FALSE(host.control->VerticalBar().Visible()) << "no layout while Redraw is false";
    EXPECT_EQ(GetPixel(host.control->FrameDC(), 100, 100), RGB(1, 2, 3)) << "no painting either";
    Put(host.Disp(), L"Redraw", Variant::FromBool(true));
    EXPECT_TRUE(host.control->VerticalBar().Visible());
    EXPECT_NE(GetPixel(host.control->FrameDC(), 100, 100), RGB(1, 2, 3));
}

TEST_F(ListboxScrolling, FirstAndLastVisibleFollowTheScrollPositionAndFailOnAnEmptyList) {
    ListboxHost host;
    host.AddColumns(1, 60);
    EXPECT_FALSE(Call(host.Disp(), L"GetFirstVisible").Ok());
    EXPECT_FALSE(Call(host.Disp(), L"GetLastVisible").Ok());
    host.AddRows(3);
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetFirstVisible")).Get(), L"Index")), 1);
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetLastVisible")).Get(), L"Index")), 3) << "all fit";
    host.AddRows(47);
    long rh = host.control->RowHeight(), hh = host.control->HeaderHeight();
    long fit = (130 - 2 + 1 - (2 + hh)) / rh;
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetLastVisible")).Get(), L"Index")), fit + 1)
        << "the row cut off at the bottom";
    host.control->VerticalBar().SetValue(5 * rh);
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetFirstVisible")).Get(), L"Index")), 6);
}

}  // namespace
