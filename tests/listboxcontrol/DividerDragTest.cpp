// Column dividers: the splitter's tracker and the column width it leaves behind.
#include "EventRecorder.h"
#include "ListboxHost.h"

namespace {

using namespace vel;
using namespace vel::test;
using roster::CSplitter;

class DividerDrag : public ListboxTest {};

long ScreenX(HWND window, long x) {
    POINT point{x, 0};
    ClientToScreen(window, &point);
    return point.x;
}

COLORREF ScreenPixel(int x, int y) {
    HDC screen = GetDC(nullptr);
    COLORREF color = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    return color;
}

TEST_F(DividerDrag, TheTrackerStaysWithinItsBoundsAndIsErasedOnRelease) {
    ListboxHost host;
    HWND window = host.Window();
    CSplitter splitter;
    splitter.SetParentHwnd(window);
    splitter.SetWidth(2);
    splitter.SetHeight(50);
    splitter.SetParentWidth(100);
    EXPECT_FALSE(splitter.MouseUp()) << "no drag to end";
    splitter.MouseDown(0, 2, 40.0f, 10.0f);
    EXPECT_TRUE(splitter.Dragging());
    EXPECT_EQ(splitter.Value(), -1) << "nothing tracked before the first move";
    EXPECT_EQ(splitter.TrackerRect().left, ScreenX(window, 40));
    EXPECT_EQ(splitter.TrackerRect().right - splitter.TrackerRect().left, 2);
    EXPECT_EQ(splitter.TrackerRect().bottom - splitter.TrackerRect().top, 50);
    splitter.MouseMove(0, 2, 150.0f, 10.0f);
    EXPECT_EQ(splitter.Value(), 98) << "past the far bound: ParentWidth - Width";
    splitter.MouseMove(0, 2, 99.0f, 10.0f);
    EXPECT_EQ(splitter.Value(), 99) << "between ParentWidth - Width and ParentWidth: kept";
    splitter.MouseMove(0, 2, -7.0f, 10.0f);
    EXPECT_EQ(splitter.Value(), 0);
    EXPECT_EQ(splitter.TrackerRect().left, ScreenX(window, 0));
    EXPECT_TRUE(splitter.MouseUp());
    EXPECT_FALSE(splitter.Dragging());
    splitter.MouseMove(0, 2, 50.0f, 10.0f);
    EXPECT_EQ(splitter.Value(), 0) << "no tracking while idle";
}

TEST_F(DividerDrag, TheTrackerInvertsTheScreenAndTheSecondInversionRestoresIt) {
    ListboxHost host;
    host.AddColumns(2, 60);
    POINT probe{100, 60};
    ClientToScreen(host.Window(), &probe);
    COLORREF before = ScreenPixel(probe.x, probe.y);
    if (before == CLR_INVALID) GTEST_SKIP() << "the screen cannot be read here";
    CSplitter splitter;
    splitter.SetParentHwnd(host.Window());
    splitter.SetWidth(2);
    splitter.SetHeight(100);
    splitter.SetParentWidth(176);
    splitter.MouseDown(0, 2, 100.0f, 0.0f);
    EXPECT_EQ(ScreenPixel(probe.x, probe.y), before ^ 0xFFFFFF);
    splitter.MouseUp();
    EXPECT_EQ(ScreenPixel(probe.x, probe.y), before);
}

TEST_F(DividerDrag, DraggingADividerSetsTheColumnWidthToTheMouseAndNeverBelowFourPixels) {
    ListboxHost host;
    host.AddColumns(2, 60);
    host.AddRows(3);
    auto events = com::Make<EventRecorder>();
    events->Connect(host.control->Unknown(), DIID___VelListbox);
    HWND window = host.Window();
    auto first = AsObject(Get(host.Columns().Get(), L"Item", {Num(1)}));
    const long divider = 2 + 60, y = 5;

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(divider, y));
    EXPECT_TRUE(host.control->Splitter().Dragging());
    EXPECT_EQ(GetCapture(), window);
    for (auto& event : events->Events()) EXPECT_NE(event.id, DISPID_MOUSEDOWN) << "no MouseDown on a divider";
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, y));
    EXPECT_EQ(host.control->Splitter().TrackerRect().left, ScreenX(window, 100));
    EXPECT_EQ(AsLong(Get(first.Get(), L"Width")), 60) << "the width changes only on release";
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(100, y));
    EXPECT_FALSE(host.control->Splitter().Dragging());
    EXPECT_NE(GetCapture(), window);
    EXPECT_EQ(AsLong(Get(first.Get(), L"Width")), 98);
    EXPECT_EQ(AsLong(Get(host.Row(1).Get(), L"Width")), 98) << "the rows follow the first column";
    for (auto& event : events->Events()) EXPECT_NE(event.id, 1) << "a drag is no ColumnClick";

    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 + 98, y));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-40, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(-40, y));
    EXPECT_EQ(AsLong(Get(first.Get(), L"Width")), 4);
    events->Disconnect();
}

// The system asks for the pointer before the mouse message that changes it: a new
// pointer shows at once, not at the next move.
TEST_F(DividerDrag, APointerChangedOverTheControlShowsAtOnce) {
    ListboxHost host;
    host.AddColumns(2, 60);
    HWND window = host.Window();
    const HCURSOR arrow = LoadCursorW(nullptr, IDC_ARROW), wait = LoadCursorW(nullptr, IDC_WAIT);
    // The system keeps what it makes of a pointer the first time the pointer is shown.
    SetCursor(wait);
    SetCursor(arrow);
    CountGdiFromHere();
    SetCapture(window);  // the mouse belongs to the list box wherever the real one is
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(2 + 60, 5));
    const HCURSOR onDivider = GetCursor();
    SendMessageW(window, WM_MOUSEMOVE, 0, MAKELPARAM(20, 5));
    const HCURSOR offDivider = GetCursor();
    Put(host.Disp(), L"MousePointer", Num(11));
    const HCURSOR set = GetCursor();
    ReleaseCapture();
    SetCursor(arrow);
    EXPECT_TRUE(onDivider && onDivider != arrow) << "the resize pointer on the divider";
    EXPECT_EQ(offDivider, arrow) << "the ordinary pointer off it";
    EXPECT_EQ(set, wait) << "a MousePointer set by code";
}

TEST_F(DividerDrag, PressingAHeaderRaisesColumnClickForTheHeaderUnderTheMouseAtRelease) {
    ListboxHost host;
    host.AddColumns(2, 60);
    auto events = com::Make<EventRecorder>();
    events->Connect(host.control->Unknown(), DIID___VelListbox);
    HWND window = host.Window();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 5));
    EXPECT_FALSE(host.control->Splitter().Dragging());
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(90, 5));
    bool clicked = false;
    for (auto& event : events->Events())
        if (event.id == 1) {
            clicked = true;
            EXPECT_EQ(AsLong(Get(AsObject(event.arguments[0]).Get(), L"Index")), 2);
        }
    EXPECT_TRUE(clicked);
    events->Disconnect();
}

}  // namespace
