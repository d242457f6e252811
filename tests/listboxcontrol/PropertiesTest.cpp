// Property setters and their side effects, and the control's reactions to its columns.
#include <algorithm>

#include "EventRecorder.h"
#include "StandardObjects.h"
#include "ListboxHost.h"

namespace {

using namespace vel;
using namespace vel::test;

class ListboxProperties : public ListboxTest {};

constexpr DISPID kSortKey = 0x68030008;
constexpr DISPID kMultiSelect = 0x68030005;

bool Notified(const TestContainer& site, DISPID id) {
    return std::find(site.changes.begin(), site.changes.end(), id) != site.changes.end();
}

TEST_F(ListboxProperties, SettersStoreAndTellTheHostWhichPropertyChanged) {
    ListboxHost host;
    host.site->changes.clear();
    ASSERT_TRUE(Put(host.Disp(), L"MultiSelect", Variant::FromBool(true)).Ok());
    EXPECT_EQ(AsLong(Get(host.Disp(), L"MultiSelect")), -1);
    EXPECT_TRUE(Notified(*host.site.Get(), kMultiSelect));
    ASSERT_TRUE(Put(host.Disp(), L"ColumnHeaderForeColor", ColorArg(0x00FF00)).Ok());
    EXPECT_EQ(AsColor(Get(host.Disp(), L"ColumnHeaderForeColor")), 0x00FF00u);
    ASSERT_TRUE(Put(host.Disp(), L"SelectionType", Num(1)).Ok());
    EXPECT_EQ(AsLong(Get(host.Disp(), L"SelectionType")), 1);
    EXPECT_EQ(host.control->BorderWidth(), 2);
    Put(host.Disp(), L"Appearance", Num(0));
    EXPECT_EQ(host.control->BorderWidth(), 1);
    Put(host.Disp(), L"BorderStyle", Num(0));
    EXPECT_EQ(host.control->BorderWidth(), 0);
    // Values outside an enumeration are refused and change nothing.
    EXPECT_EQ(Put(host.Disp(), L"SortOrder", Num(7)).hr, static_cast<HRESULT>(0x800A017C));
    EXPECT_EQ(AsLong(Get(host.Disp(), L"SortOrder")), 0);
    EXPECT_NE(AsLong(Get(host.Disp(), L"hWnd")), 0);
    EXPECT_TRUE(Call(host.Disp(), L"OLEDrag").Ok());
}

TEST_F(ListboxProperties, AnOutOfRangeSortKeyIsReportedInAMessageBoxAndKeepsTheOldValue) {
    ListboxHost host;
    host.AddColumns(2, 50);
    ASSERT_TRUE(Put(host.Disp(), L"SortKey", Num(2)).Ok());
    EXPECT_TRUE(Notified(*host.site.Get(), kSortKey));
    host.site->changes.clear();
    for (long bad : {3L, -1L}) {
        EXPECT_TRUE(Put(host.Disp(), L"SortKey", Num(bad)).Ok()) << "no error reaches the caller";
        EXPECT_EQ(AsLong(Get(host.Disp(), L"SortKey")), 2);
    }
    ASSERT_EQ(host.site->messages.size(), 2u);
    EXPECT_EQ(host.site->messages[0],
              L"SortKey value must be between 0 and the number of ColumnHeaders.|<application>");
    EXPECT_FALSE(Notified(*host.site.Get(), kSortKey));
    EXPECT_TRUE(Put(host.Disp(), L"SortKey", Num(0)).Ok());
    EXPECT_EQ(AsLong(Get(host.Disp(), L"SortKey")), 0);
}

TEST_F(ListboxProperties, RemovingColumnsMovesTheRowWidthAndPullsTheSortKeyBack) {
    ListboxHost host;
    auto columns = host.Columns();
    for (long width : {30L, 70L, 90L}) Call(columns.Get(), L"Add", {Missing(), Missing(), Missing(), Num(width)});
    host.AddRows(3);
    EXPECT_EQ(AsLong(Get(host.Row(1).Get(), L"Width")), 30);
    Put(host.Disp(), L"SortKey", Num(3));
    ASSERT_TRUE(Call(columns.Get(), L"Remove", {Num(1)}).Ok());
    EXPECT_EQ(AsLong(Get(host.Row(1).Get(), L"Width")), 70) << "the next column's width";
    EXPECT_EQ(AsLong(Get(host.Disp(), L"SortKey")), 1);
    ASSERT_TRUE(Call(columns.Get(), L"Remove", {Num(1)}).Ok());
    EXPECT_EQ(AsLong(Get(host.Row(1).Get(), L"Width")), 90);
    ASSERT_TRUE(Call(columns.Get(), L"Clear").Ok());
    EXPECT_EQ(AsLong(Get(host.Items().Get(), L"Count")), 0) << "clearing the columns removes the rows";
    EXPECT_EQ(AsLong(Get(host.Disp(), L"SortKey")), 0);
}

TEST_F(ListboxProperties, DesignTimeColumnChangesMarkTheControlChangedAndRunTimeOnesDoNot) {
    for (bool userMode : {false, true}) {
        ListboxHost host(userMode);
        host.site->changes.clear();
        host.AddColumns(1, 40);
        EXPECT_EQ(host.site->changes.empty(), userMode) << "user mode " << userMode;
    }
}

TEST_F(ListboxProperties, SelectedItemSelectsThatRowAloneAndNothingClearsIt) {
    ListboxHost host;
    host.AddColumns(1, 100);
    host.AddRows(3);
    Put(host.Disp(), L"MultiSelect", Variant::FromBool(true));
    Put(host.Row(1).Get(), L"Selected", Variant::FromBool(true));
    Put(host.Row(2).Get(), L"Selected", Variant::FromBool(true));
    auto third = host.Row(3);
    ASSERT_TRUE(Invoke(host.Disp(), L"SelectedItem", DISPATCH_PROPERTYPUTREF, {Obj(third.Get())}).Ok());
    EXPECT_EQ(AsLong(Get(AsObject(Get(host.Disp(), L"SelectedItem")).Get(), L"Index")), 3);
    EXPECT_EQ(AsLong(Get(host.Row(1).Get(), L"Selected")), 0);
    EXPECT_EQ(AsLong(Get(host.Row(2).Get(), L"Selected")), 0);
    EXPECT_EQ(AsLong(Get(third.Get(), L"Selected")), -1);
    ASSERT_TRUE(Invoke(host.Disp(), L"SelectedItem", DISPATCH_PROPERTYPUTREF, {Obj(nullptr)}).Ok());
    EXPECT_FALSE(AsObject(Get(host.Disp(), L"SelectedItem")));
    EXPECT_EQ(AsLong(Get(third.Get(), L"Selected")), 0);
}

TEST_F(ListboxProperties, TheFontsSetTheRowAndHeaderHeights) {
    ListboxHost host;
    long rowHeight = host.control->RowHeight(), headerHeight = host.control->HeaderHeight();
    EXPECT_GT(rowHeight, 0);
    EXPECT_GT(headerHeight, rowHeight) << "header: text height of B plus 4";
    hosting::FontDescription big;
    big.size = 24;
    auto font = hosting::StandardObjects::CreateFont(big);
    ASSERT_TRUE(Invoke(host.Disp(), L"Font", DISPATCH_PROPERTYPUTREF, {Obj(font.Get())}).Ok());
    EXPECT_GT(host.control->RowHeight(), rowHeight);
    ASSERT_TRUE(Invoke(host.Disp(), L"ColumnHeaderFont", DISPATCH_PROPERTYPUTREF, {Obj(font.Get())}).Ok());
    EXPECT_GT(host.control->HeaderHeight(), headerHeight);
    Put(host.Disp(), L"ShowColumnHeaders", Variant::FromBool(false));
    EXPECT_EQ(host.control->HeaderHeight(), 0);
}

TEST_F(ListboxProperties, TheSystemColourMessageRepaintsEverything) {
    ListboxHost host;
    host.AddColumns(1, 60);
    HDC frame = host.control->FrameDC();
    SetPixel(frame, 100, 100, RGB(1, 2, 3));
    SendMessageW(host.Window(), WM_SYSCOLORCHANGE, 0, 0);
    EXPECT_EQ(GetPixel(host.control->FrameDC(), 100, 100), Sys(COLOR_WINDOW));
}

TEST_F(ListboxProperties, MouseEventsCarryContainerUnitsAndHitTestDividesByTheFactor) {
    ListboxHost host;
    host.site->ambients[DISPID_AMBIENT_SCALEUNITS] = Variant::FromString(L"Twip");
    ComPtr<IOleControl> oleControl;
    host.control.As(&oleControl);
    oleControl->OnAmbientPropertyChange(DISPID_AMBIENT_SCALEUNITS);
    EXPECT_EQ(host.control->ScaleFactor(), 15);
    host.AddColumns(1, 100);
    host.AddRows(2);
    auto events = com::Make<EventRecorder>();
    events->Connect(host.control->Unknown(), DIID___VelListbox);
    SendMessageW(host.Window(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(10, 20));
    ASSERT_FALSE(events->Events().empty());
    auto& down = events->Events().front();
    EXPECT_EQ(down.id, DISPID_MOUSEDOWN);
    EXPECT_EQ(AsLong(down.arguments[2]), 150);
    EXPECT_EQ(AsLong(down.arguments[3]), 300);
    events->Disconnect();
    long y = (2 + host.control->HeaderHeight() + host.control->RowHeight() + 1) * 15;
    VARIANT x{}, yArg{};
    x.vt = VT_R4;
    x.fltVal = 150;
    yArg.vt = VT_R4;
    yArg.fltVal = static_cast<float>(y);
    auto hit = Call(host.Disp(), L"HitTest", {Variant(x), Variant(yArg)});
    ASSERT_TRUE(hit.Ok()) << hit.description;
    EXPECT_EQ(AsLong(Get(AsObject(hit).Get(), L"Index")), 2);
}

}  // namespace
