// Input that form code cannot send: hit tests with values no script makes, the mouse
// wheel, the dialog code, and the focus moves of Left and Right.
#include <cmath>
#include <limits>

#include "ListboxHost.h"

namespace {

using namespace vel;
using namespace vel::test;

class ListboxInput : public ListboxTest {};

// The row HitTest finds at (x, y), by position; 0 for none, -1 for an error.
long HitRow(ListboxHost& host, float x, float y) {
    ::VelListItem* item = nullptr;
    if (FAILED(host.control->HitTest(&x, &y, &item))) return -1;
    if (!item) return 0;
    LONG index = 0;
    item->get_Index(&index);
    item->Release();
    return index;
}

TEST_F(ListboxInput, HitTestAnswersNothingForPointsNoRowCanBeAt) {
    ListboxHost host;
    host.AddColumns(2, 60);
    host.AddRows(20);
    const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
    const float huge = std::numeric_limits<float>::max();
    long rh = host.control->RowHeight(), top = 2 + host.control->HeaderHeight();
    EXPECT_EQ(HitRow(host, 10, static_cast<float>(top + rh + 1)), 2);
    for (float x : {10.0f, nan, inf, -inf, huge, -huge})
        for (float y : {nan, inf, -inf, huge, -huge, 1e9f, -1e9f})
            EXPECT_EQ(HitRow(host, x, y), 0) << x << ", " << y;
    // The list-view style also tests x.
    Put(host.Disp(), L"SelectionType", Num(1));
    EXPECT_EQ(HitRow(host, 10, static_cast<float>(top + 1)), 1);
    for (float x : {nan, inf, -inf, huge, -huge}) EXPECT_EQ(HitRow(host, x, static_cast<float>(top + 1)), 0) << x;
}

TEST_F(ListboxInput, TheWheelScrollsByTheSystemsLinesPerNotch) {
    ListboxHost host;
    host.AddColumns(1, 60);
    host.AddRows(200);
    const auto& ud = host.control->VerticalBar();
    UINT lines = 3;
    SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
    ASSERT_GT(lines, 0u);
    long rh = host.control->RowHeight();
    auto turn = [&](int delta) { SendMessageW(host.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0); };
    turn(-WHEEL_DELTA);
    EXPECT_EQ(ud.Value(), static_cast<long>(lines) * rh);
    turn(-WHEEL_DELTA / 3);
    turn(-WHEEL_DELTA / 3);
    EXPECT_EQ(ud.Value(), static_cast<long>(lines) * rh + (2 * static_cast<long>(lines) / 3) * rh)
        << "parts of a notch add up to whole rows";
    turn(WHEEL_DELTA * 100);
    EXPECT_EQ(ud.Value(), 0) << "stops at the top";
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetFirstVisible")).Get(), L"Index")), 1);
    // The delta is a 16-bit field: 200 notches is about the most one message can carry.
    turn(-WHEEL_DELTA * 200);
    EXPECT_EQ(ud.Value(), ud.Max()) << "stops at the bottom";
    EXPECT_EQ(AsLong(Get(AsObject(Call(host.Disp(), L"GetLastVisible")).Get(), L"Index")), 200);

    // A list whose rows all fit does not scroll.
    ListboxHost small;
    small.AddColumns(1, 60);
    small.AddRows(2);
    SendMessageW(small.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    EXPECT_EQ(small.control->VerticalBar().Value(), 0);
}

TEST_F(ListboxInput, DialogHostsDeliverTheArrowKeys) {
    ListboxHost host;
    LRESULT code = SendMessageW(host.Window(), WM_GETDLGCODE, 0, 0);
    EXPECT_TRUE(code & DLGC_WANTARROWS);
    EXPECT_TRUE(code & DLGC_WANTCHARS);
}

TEST_F(ListboxInput, LeftAndRightMoveTheFocusToTheNextAndThePreviousControl) {
    ListboxHost host;
    host.AddColumns(1, 60);
    host.AddRows(3);
    HWND parent = GetParent(host.Window());
    ASSERT_TRUE(parent);
    auto button = [&](const wchar_t* text) {
        return CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 140, 40, 20, parent, nullptr,
                               nullptr, nullptr);
    };
    // Three tab stops in a ring: the next and the previous control are the two others.
    HWND first = button(L"one"), second = button(L"two");
    SetFocus(host.Window());
    ASSERT_EQ(GetFocus(), host.Window());
    SendMessageW(host.Window(), WM_KEYDOWN, VK_LEFT, 0);
    HWND next = GetFocus();
    EXPECT_TRUE(next == first || next == second);
    SetFocus(host.Window());
    SendMessageW(host.Window(), WM_KEYDOWN, VK_RIGHT, 0);
    HWND previous = GetFocus();
    EXPECT_TRUE(previous == first || previous == second);
    EXPECT_NE(previous, next);
    DestroyWindow(first);
    DestroyWindow(second);
}

}  // namespace
