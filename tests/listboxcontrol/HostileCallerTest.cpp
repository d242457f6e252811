// Careless and hostile callers: wrong argument counts, extreme widths, fonts that GDI
// cannot take, handlers that change the columns during a drag, and references that
// must all come back.
#include "EventRecorder.h"
#include "ListboxHost.h"

#include <psapi.h>
#include "StandardObjects.h"

namespace {

using namespace vel;
using namespace vel::test;

class HostileCaller : public ListboxTest {};

// An object of the caller's own, counting the references the control takes.
class CallerObject : public com::ComObject<CallerObject, IDispatch> {
public:
    STDMETHODIMP GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return DISP_E_UNKNOWNNAME; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return DISP_E_MEMBERNOTFOUND;
    }
    ULONG References() {
        AddRef();
        return Release();
    }
};

Variant Unknown(IUnknown* object) {
    VARIANT raw{};
    raw.vt = VT_UNKNOWN;
    raw.punkVal = object;
    return Variant(raw);  // copies, taking its own reference
}

// Pixels of a colour inside a rectangle of the last composed frame.
int CountPixels(ListboxHost& host, RECT area, COLORREF colour) {
    host.Pixel(0, 0);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y)
        for (int x = area.left; x < area.right; ++x)
            if (GetPixel(host.control->FrameDC(), x, y) == colour) ++count;
    return count;
}

TEST_F(HostileCaller, ASurplusArgumentIsAWrongArgumentCountWhateverThePropertyHolds) {
    ListboxHost host;
    host.AddColumns(1, 80);
    host.AddRows(2);
    auto surplus = Num(1);
    EXPECT_EQ(Get(host.Disp(), L"SelectedItem", {surplus}).hr, DISP_E_BADPARAMCOUNT) << "no row selected";
    EXPECT_EQ(Get(host.Disp(), L"MouseIcon", {surplus}).hr, DISP_E_BADPARAMCOUNT) << "no icon";
    EXPECT_EQ(Get(host.Disp(), L"MouseIcon", {Str(L"x"), surplus}).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Call(host.Disp(), L"GetFirstVisible", {surplus}).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(Put(host.Disp(), L"BackColor", Num(255), {surplus}).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(AsColor(Get(host.Disp(), L"BackColor")), 0x80000005u) << "a refused put changes nothing";
    EXPECT_EQ(Call(host.Columns().Get(), L"Clear", {surplus}).hr, DISP_E_BADPARAMCOUNT);
    EXPECT_EQ(AsLong(Get(host.Columns().Get(), L"Count")), 1) << "a refused method does nothing";

    Put(host.Row(2).Get(), L"Selected", Variant::FromBool(true));
    EXPECT_FALSE(Get(host.Disp(), L"SelectedItem", {surplus}).Ok()) << "a row takes no argument either";
    // A surplus still reaches the default member of a returned collection.
    auto row = AsObject(Get(host.Disp(), L"ListItems", {Num(2)}));
    ASSERT_TRUE(row);
    EXPECT_EQ(AsText(Get(row.Get(), L"Text")), L"Row 2");
}

// Script engines pass variables as references to VARIANTs; a handler's own by-reference
// argument passed on is a reference to a reference.
TEST_F(HostileCaller, ArgumentsPassedByReferenceReachPlainParameters) {
    ListboxHost host;
    host.AddColumns(1, 80);
    host.AddRows(2);
    const float scale = static_cast<float>(host.control->ScaleFactor());
    float x = 5 * scale, y = static_cast<float>(2 + host.control->HeaderHeight() + 1) * scale;
    VARIANT xRef{}, yRef{};
    xRef.vt = yRef.vt = VT_BYREF | VT_R4;
    xRef.pfltVal = &x;
    yRef.pfltVal = &y;
    VARIANT xVariable{}, yVariable{};
    xVariable.vt = yVariable.vt = VT_BYREF | VT_VARIANT;
    xVariable.pvarVal = &xRef;
    yVariable.pvarVal = &yRef;
    auto hit = Call(host.Disp(), L"HitTest", {Variant(xVariable), Variant(yVariable)});
    ASSERT_TRUE(hit.Ok()) << "a reference to a reference to a Single";
    auto row = AsObject(hit);
    ASSERT_TRUE(row);
    EXPECT_EQ(AsText(Get(row.Get(), L"Text")), L"Row 1");
    EXPECT_EQ(x, 5 * scale) << "the caller's variable is left as it was";

    VARIANT plain{};
    plain.vt = VT_I4;
    plain.lVal = 2;
    VARIANT variable{};
    variable.vt = VT_BYREF | VT_VARIANT;
    variable.pvarVal = &plain;
    auto second = AsObject(Get(host.Disp(), L"ListItems", {Variant(variable)}));
    ASSERT_TRUE(second) << "a VARIANT parameter takes the reference as it is";
    EXPECT_EQ(AsText(Get(second.Get(), L"Text")), L"Row 2");
}

TEST_F(HostileCaller, AWidthThatWouldOverflowIsRefusedAndChangesNothing) {
    ListboxHost host;
    host.AddColumns(2, 50);
    auto columns = host.Columns();
    auto first = AsObject(Get(columns.Get(), L"Item", {Num(1)}));
    EXPECT_EQ(Put(first.Get(), L"Width", Num(2147483647)).hr, static_cast<HRESULT>(0x800A0006));
    EXPECT_EQ(AsLong(Get(first.Get(), L"Width")), 50);
    EXPECT_EQ(Call(columns.Get(), L"Add", {Missing(), Missing(), Str(L"c"), Num(2147483647)}).hr,
              static_cast<HRESULT>(0x800A0006));
    EXPECT_EQ(AsLong(Get(columns.Get(), L"Count")), 2) << "a refused Add keeps no column";
    // A negative width is no width at all: refused as an invalid value before any sum.
    EXPECT_EQ(Call(columns.Get(), L"Add", {Missing(), Missing(), Str(L"c"), Num(-2147483647)}).hr,
              static_cast<HRESULT>(0x800A017C));
    EXPECT_EQ(AsLong(Get(columns.Get(), L"Count")), 2);

    // Everything goes on working and reports success.
    EXPECT_TRUE(Call(host.Items().Get(), L"Add", {Missing(), Missing(), Str(L"r")}).Ok());
    EXPECT_TRUE(Call(columns.Get(), L"Add", {Missing(), Missing(), Str(L"c"), Num(30)}).Ok());
    EXPECT_TRUE(Put(first.Get(), L"Width", Num(70)).Ok());
    EXPECT_TRUE(Call(columns.Get(), L"Remove", {Num(3)}).Ok());
    EXPECT_EQ(AsLong(Get(first.Get(), L"Width")), 70);
}

TEST_F(HostileCaller, HugeTwipWidthsStopBeforeTheirSumOverflows) {
    ListboxHost host;
    host.site->ambients[DISPID_AMBIENT_SCALEUNITS] = Variant::FromString(L"Twip");
    ComPtr<IOleControl> control;
    host.control.As(&control);
    control->OnAmbientPropertyChange(DISPID_AMBIENT_SCALEUNITS);
    auto columns = host.Columns();
    long added = 0;
    for (int i = 0; i < 16; ++i) {
        auto result = Call(columns.Get(), L"Add", {Missing(), Missing(), Str(L"c"), Num(2147483647)});
        if (result.Ok()) {
            ++added;
        } else {
            EXPECT_EQ(result.hr, static_cast<HRESULT>(0x800A0006));
        }
    }
    EXPECT_LT(added, 16);
    EXPECT_EQ(AsLong(Get(columns.Get(), L"Count")), added) << "only the successful calls added columns";
    EXPECT_TRUE(Call(host.Items().Get(), L"Add", {Missing(), Missing(), Str(L"r")}).Ok());
    EXPECT_TRUE(Call(columns.Get(), L"Remove", {Num(1)}).Ok());
    EXPECT_TRUE(Call(columns.Get(), L"Add", {Missing(), Missing(), Str(L"c"), Num(150)}).Ok());
    host.Pixel(0, 0);
}

TEST_F(HostileCaller, AFaceNameLongerThanGdiTakesNeverStopsPainting) {
    ListboxHost host(true, nullptr, 200, 120);
    host.AddColumns(1, 150);
    Put(AsObject(Get(host.Columns().Get(), L"Item", {Num(1)})).Get(), L"Text", Str(L"WWWWWWWW"));
    host.AddRows(1, L"WWWWWWWW");
    const COLORREF text = Sys(COLOR_BTNTEXT);
    const long header = host.control->HeaderHeight(), rowHeight = host.control->RowHeight();
    const RECT headerArea{2, 2, 150, header}, rowArea{2, header, 150, header + rowHeight};
    ASSERT_GT(CountPixels(host, rowArea, text), 0);

    auto font = hosting::StandardObjects::CreateFont({std::wstring(40, L'A'), 10.0});
    for (auto property : {L"Font", L"ColumnHeaderFont"}) {
        auto before = AsObject(Get(host.Disp(), property));
        auto result = Invoke(host.Disp(), property, DISPATCH_PROPERTYPUTREF, {Obj(font.Get())});
        if (!result.Ok()) {
            EXPECT_EQ(AsObject(Get(host.Disp(), property)), before) << "a refused font changes nothing";
        }
    }
    EXPECT_GT(CountPixels(host, headerArea, text), 0) << "the caption is drawn";
    EXPECT_GT(CountPixels(host, rowArea, text), 0) << "the row is drawn";
    // The font object may also be renamed after it was given.
    ComPtr<IFont> given;
    AsObject(Get(host.Disp(), L"Font")).As(&given);
    if (given) given->put_Name(com::Bstr(std::wstring(64, L'B')).Get());
    EXPECT_GT(CountPixels(host, rowArea, text), 0);
}

// Drags the first column's divider while `handler` runs on the first MouseMove.
void DragFirstDivider(ListboxHost& host, std::function<void()> handler) {
    auto events = com::Make<EventRecorder>();
    events->Connect(host.control->Unknown(), DIID___VelListbox);
    bool ran = false;
    events->OnEvent([&](const RecordedEvent& event) {
        if (event.id == DISPID_MOUSEMOVE && !ran) {
            ran = true;
            handler();
        }
    });
    HWND window = host.Window();
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2 + 60, 5));
    SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 5));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(100, 5));
    events->Disconnect();
    EXPECT_FALSE(host.control->Splitter().Dragging());
}

std::vector<long> Widths(ListboxHost& host) {
    std::vector<long> widths;
    auto columns = host.Columns();
    for (long i = 1; i <= AsLong(Get(columns.Get(), L"Count")); ++i)
        widths.push_back(AsLong(Get(AsObject(Get(columns.Get(), L"Item", {Num(i)})).Get(), L"Width")));
    return widths;
}

TEST_F(HostileCaller, ADividerDragFollowsItsColumnAndEndsQuietlyWhenTheColumnIsGone) {
    {
        ListboxHost host;
        host.AddColumns(3, 60);
        DragFirstDivider(host, [&] { Call(host.Columns().Get(), L"Remove", {Num(1)}); });
        EXPECT_EQ(Widths(host), (std::vector<long>{60, 60})) << "the removed column's drag resizes nothing";
    }
    {
        ListboxHost host;
        host.AddColumns(2, 60);
        DragFirstDivider(host, [&] { Call(host.Columns().Get(), L"Add", {Num(1), Missing(), Str(L"new"), Num(30)}); });
        EXPECT_EQ(Widths(host), (std::vector<long>{30, 98 - 30, 60})) << "the dragged column, now second, is resized";
    }
    {
        ListboxHost host;
        host.AddColumns(2, 60);
        DragFirstDivider(host, [&] { Call(host.Columns().Get(), L"Clear"); });
        EXPECT_TRUE(Widths(host).empty());
        host.Pixel(0, 0);
    }
}

TEST_F(HostileCaller, EveryReferenceGivenComesBack) {
    auto mine = com::Make<CallerObject>();
    const ULONG held = mine->References();
    auto font = hosting::StandardObjects::CreateFont({L"Arial", 9.0});
    ComPtr<IUnknown> fontUnknown;
    font.As(&fontUnknown);
    fontUnknown->AddRef();
    const ULONG fontHeld = fontUnknown->Release();
    {
        ListboxHost host;
        host.AddColumns(1, 80);
        host.AddRows(2);
        Get(host.Disp(), L"SelectedItem", {Obj(mine.Get())});
        Get(host.Disp(), L"MouseIcon", {Obj(mine.Get()), Obj(mine.Get())});
        Call(host.Disp(), L"GetFirstVisible", {Obj(mine.Get())});
        Get(host.Disp(), L"ListItems", {Num(1), Obj(mine.Get())});
        Invoke(host.Disp(), L"Font", DISPATCH_PROPERTYPUTREF, {Unknown(mine->Unknown())});
        Invoke(host.Disp(), L"MouseIcon", DISPATCH_PROPERTYPUTREF, {Unknown(mine->Unknown())});
        Invoke(host.Disp(), L"SelectedItem", DISPATCH_PROPERTYPUTREF, {Unknown(mine->Unknown())});
        EXPECT_EQ(mine->References(), held) << "nothing of a refused call is kept";

        EXPECT_TRUE(Invoke(host.Disp(), L"Font", DISPATCH_PROPERTYPUTREF, {Unknown(fontUnknown.Get())}).Ok());
        EXPECT_TRUE(Invoke(host.Disp(), L"ColumnHeaderFont", DISPATCH_PROPERTYPUTREF, {Unknown(fontUnknown.Get())}).Ok());
        ComPtr<IUnknown> row;
        host.Row(2).As(&row);
        EXPECT_TRUE(Invoke(host.Disp(), L"SelectedItem", DISPATCH_PROPERTYPUTREF, {Unknown(row.Get())}).Ok());
    }
    EXPECT_EQ(mine->References(), held);
    fontUnknown->AddRef();
    EXPECT_EQ(fontUnknown->Release(), fontHeld) << "the control let go of the font";
    // The fixture checks that no row outlived the control.
}

BOOL CALLBACK CountChild(HWND, LPARAM counted) {
    ++*reinterpret_cast<long*>(counted);
    return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counted) {
    ++*reinterpret_cast<long*>(counted);
    EnumChildWindows(window, CountChild, counted);
    return TRUE;
}

// Windows of this thread, child windows included.
long ThreadWindows() {
    long count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

SIZE_T PrivateBytes() {
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof(counters));
    return counters.PrivateUsage;
}

void CreatePaintDestroy() {
    ListboxHost host;
    host.AddColumns(3, 50);
    host.AddRows(20);
    Put(host.Row(3).Get(), L"Selected", Variant::FromBool(true));
    host.Pixel(0, 0);
}

TEST_F(HostileCaller, AThousandControlsCreatedPaintedAndDestroyedLeaveNothingBehind) {
    for (int i = 0; i < 20; ++i) CreatePaintDestroy();
    const long gdi = GdiObjectCount(), windows = ThreadWindows();
    const SIZE_T memory = PrivateBytes();
    for (int i = 0; i < 1000; ++i) CreatePaintDestroy();
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(ThreadWindows(), windows);
    // Flat: less than a kilobyte a control, where one leaked frame alone is tens of kilobytes.
    EXPECT_LT(PrivateBytes(), memory + 1000 * 1024) << "memory grew by " << (PrivateBytes() - memory) / 1024 << " KB";
}

}  // namespace
