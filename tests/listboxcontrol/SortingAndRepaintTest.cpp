// Sorting in the control when event handlers change the rows, and what a change of the
// rows costs on the screen: rows outside the view are not drawn again.
#include <random>

#include "EventRecorder.h"
#include "ListboxHost.h"
#include "ListboxSorter.h"

namespace {

using namespace vel;
using namespace vel::test;

class ListboxSorting : public ListboxTest {};

// The rows stand in ascending order of their texts, each Index at its position.
void ExpectSortedAndNumbered(ListboxHost& host) {
    com::ComPtr<_VelListItems> list;
    host.control->get_ListItems(&list);
    auto* items = static_cast<roster::VelListItems*>(list.Get());
    for (long p = 1; p <= items->Count(); ++p) {
        EXPECT_EQ(AsLong(Get(host.Row(p).Get(), L"Index")), p);
        if (p == 1) continue;
        EXPECT_LE(roster::ListboxSorter::Compare(items->At(p - 1)->TextValue().View(), items->At(p)->TextValue().View()), 0)
            << "rows " << p - 1 << " and " << p;
    }
}

TEST_F(ListboxSorting, AHandlerRemovingRowsAsASortedListGrowsLosesNoOtherRow) {
    ListboxHost host;
    host.AddColumns(2, 60);
    Put(host.Disp(), L"SortKey", Num(1));
    Put(host.Disp(), L"Sorted", Variant::FromBool(true));
    auto items = host.Items();
    auto sink = com::Make<EventRecorder>();
    sink->Connect(items.Get(), DIID___VelListItems);
    // Every fourth added row makes the handler remove the first row.
    int added = 0;
    sink->OnEvent([&](const RecordedEvent& e) {
        if (e.id == 1 && ++added % 4 == 0) Call(items.Get(), L"Remove", {Num(1)});
    });
    std::mt19937 random(7);
    for (int i = 0; i < 40; ++i) {
        std::wstring text(1, static_cast<wchar_t>(L'a' + random() % 5));
        ASSERT_TRUE(Call(items.Get(), L"Add", {Missing(), Missing(), Str(text.c_str())}).Ok());
    }
    sink->Disconnect();
    EXPECT_EQ(AsLong(Get(items.Get(), L"Count")), 30);
    ExpectSortedAndNumbered(host);
}

TEST_F(ListboxSorting, ASortInsideARemovalHandlerSortsWhatRemains) {
    ListboxHost host;
    host.AddColumns(1, 60);
    host.AddRows(12, L"r");
    Put(host.Disp(), L"SortKey", Num(1));
    auto items = host.Items();
    auto sink = com::Make<EventRecorder>();
    sink->Connect(items.Get(), DIID___VelListItems);
    sink->OnEvent([&](const RecordedEvent& e) {
        if (e.id == 3) Put(host.Disp(), L"Sorted", Variant::FromBool(true));  // while rows renumber
        if (e.id == 3 && AsLong(Get(items.Get(), L"Count")) > 8) Call(items.Get(), L"Remove", {Num(2)});
    });
    ASSERT_TRUE(Call(items.Get(), L"Remove", {Num(1)}).Ok());
    sink->Disconnect();
    EXPECT_EQ(AsLong(Get(items.Get(), L"Count")), 8);
    ExpectSortedAndNumbered(host);
}

class ListboxRepaint : public ListboxTest {};

// A marked pixel of the composed frame in the first row survives a change unless the
// rows were drawn again.
struct Mark {
    ListboxHost& host;
    int x, y;
    Mark(ListboxHost& host, int x, int y) : host(host), x(x), y(y) { SetPixel(host.control->FrameDC(), x, y, RGB(1, 2, 3)); }
    bool Drawn() const { return GetPixel(host.control->FrameDC(), x, y) != RGB(1, 2, 3); }
};

TEST_F(ListboxRepaint, ChangesBelowTheViewAreNotDrawnThoseInViewAre) {
    ListboxHost host;
    host.AddColumns(3, 50);
    host.AddRows(100);
    int y = 2 + host.control->HeaderHeight() + host.control->RowHeight() / 2;
    Mark mark(host, 30, y);
    Put(host.Row(80).Get(), L"Text", Str(L"far below"));
    Put(host.Row(90).Get(), L"SubItems", Str(L"far below"), {Num(2)});
    host.AddRows(50);
    Call(host.Items().Get(), L"Remove", {Num(120)});
    EXPECT_FALSE(mark.Drawn());
    EXPECT_EQ(host.control->VerticalBar().Max(),
              149 * host.control->RowHeight() - (130 - (4 + host.control->HeaderHeight())))
        << "the scroll range follows";
    Put(host.Row(1).Get(), L"SubItems", Str(L"in view"), {Num(2)});
    EXPECT_TRUE(mark.Drawn());
    Mark again(host, 30, y);
    Call(host.Items().Get(), L"Add", {Num(3)});
    EXPECT_TRUE(again.Drawn()) << "rows in view moved down";
}

}  // namespace
