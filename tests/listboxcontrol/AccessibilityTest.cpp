// The list box as an accessibility client sees it through oleacc: the tree of the header
// band and the rows as the list shows them, selection and default actions that go the
// way clicks go, the WinEvents of key presses, and references that outlive rows and the
// control and fail cleanly.
#include <cstdio>
#include <cstdlib>

#include "AccessibleClient.h"
#include "EventRecorder.h"
#include "ListboxEventIds.h"
#include "ListboxHost.h"

namespace {

using namespace vel;
using namespace vel::test;
namespace acc = vel::test::accessible;

class ListboxAccessibility : public ListboxTest {};

// Three columns and `rows` rows with sub-items "a<n>" and "b<n>".
void Fill(ListboxHost& host, long rows) {
    host.AddColumns(3, 60);
    host.AddRows(rows);
    for (long i = 1; i <= rows; ++i) {
        auto row = host.Row(i);
        Put(row.Get(), L"SubItems", Str((L"a" + std::to_wstring(i)).c_str()), {Num(1)});
        Put(row.Get(), L"SubItems", Str((L"b" + std::to_wstring(i)).c_str()), {Num(2)});
    }
}

// The names of the rows among the list's children, in the order given.
std::vector<std::wstring> RowNames(IAccessible* list) {
    std::vector<std::wstring> names;
    for (LONG id : acc::ChildIds(acc::Children(list))) names.push_back(acc::Name(list, id));
    return names;
}

// Where VEL_ACCESSIBLE_REPORT names a file, the test writes what a client printed there.
void Report(const std::wstring& text) {
    const char* path = std::getenv("VEL_ACCESSIBLE_REPORT");
    if (!path) return;
    if (FILE* file = std::fopen(path, "ab")) {
        std::fputs(std::string(text.begin(), text.end()).c_str(), file);
        std::fclose(file);
    }
}

TEST_F(ListboxAccessibility, TheTreeFollowsTheRowsColumnsScrollingAndSorting) {
    ListboxHost host;
    Fill(host, 20);
    auto list = acc::FromWindow(host.Window());
    ASSERT_TRUE(list);
    EXPECT_EQ(acc::Role(list.Get()), ROLE_SYSTEM_LIST);
    auto children = acc::Children(list.Get());
    ASSERT_EQ(children.size(), 21u) << "the header band and one child per row";
    auto band = acc::ObjectOf(children[0]);
    ASSERT_TRUE(band);
    auto columns = acc::Children(band.Get());
    ASSERT_EQ(columns.size(), 3u);
    EXPECT_EQ(acc::Name(band.Get(), columns[1].Get().lVal), L"C2");
    EXPECT_EQ(acc::Role(band.Get(), columns[1].Get().lVal), ROLE_SYSTEM_COLUMNHEADER);
    auto ids = acc::ChildIds(children);
    EXPECT_EQ(acc::Name(list.Get(), ids[4]), L"Row 5");
    EXPECT_EQ(acc::Role(list.Get(), ids[4]), ROLE_SYSTEM_LISTITEM);
    EXPECT_EQ(acc::Description(list.Get(), ids[4]), L"C2: a5, C3: b5");

    // Locations are the painted rows on screen; rows below the view are off screen.
    POINT origin{0, 0};
    ClientToScreen(host.Window(), &origin);
    long rh = host.control->RowHeight(), top = 2 + host.control->HeaderHeight();
    RECT second = acc::Location(list.Get(), ids[1]);
    EXPECT_EQ(second.top - origin.y, top + rh);
    EXPECT_EQ(second.bottom - second.top, rh);
    EXPECT_EQ(acc::Location(band.Get(), columns[1].Get().lVal).left - origin.x, 2 + 60);
    EXPECT_FALSE(acc::State(list.Get(), ids[0]) & STATE_SYSTEM_OFFSCREEN);
    EXPECT_TRUE(acc::State(list.Get(), ids[19]) & STATE_SYSTEM_OFFSCREEN);
    SendMessageW(host.Window(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    long scrolled = host.control->VerticalBar().Value() / rh;
    ASSERT_GT(scrolled, 0);
    EXPECT_TRUE(acc::State(list.Get(), ids[0]) & STATE_SYSTEM_OFFSCREEN);
    EXPECT_EQ(acc::Location(list.Get(), ids[scrolled]).top - origin.y, top) << "the first row in view";
    VARIANT hit;
    POINT inside{origin.x + 10, origin.y + static_cast<LONG>(top + rh + 1)};
    ASSERT_EQ(list->accHitTest(inside.x, inside.y, &hit), S_OK);
    EXPECT_EQ(hit.vt, VT_I4);
    EXPECT_EQ(hit.lVal, ids[scrolled + 1]);

    // Sorting reorders the children; each id still names its row.
    WinEventLog events(host.Window());
    Put(host.Disp(), L"SortKey", Num(1));
    Put(host.Disp(), L"SortOrder", Num(1));
    Put(host.Disp(), L"Sorted", Variant::FromBool(true));
    EXPECT_EQ(events.CountOf(L"REORDER CLIENT 0"), 1u);
    auto sorted = RowNames(list.Get());
    ASSERT_EQ(sorted.size(), 20u);
    EXPECT_EQ(sorted.front(), L"Row 9");
    EXPECT_EQ(sorted.back(), L"Row 1");
    EXPECT_EQ(acc::Name(list.Get(), ids[4]), L"Row 5");

    // A removed row's id names nothing; the rows after it keep theirs; an added row shows.
    Put(host.Disp(), L"Sorted", Variant::FromBool(false));
    LONG removed = ids[4];
    long position = 0;
    for (long i = 1; i <= 20; ++i)
        if (AsText(Get(host.Row(i).Get(), L"Text")) == L"Row 5") position = i;
    events.Clear();
    ASSERT_TRUE(Call(host.Items().Get(), L"Remove", {Num(position)}).Ok());
    BSTR name = nullptr;
    EXPECT_EQ(list->get_accName(acc::Child(removed), &name), E_INVALIDARG);
    EXPECT_EQ(name, nullptr);
    EXPECT_EQ(events.CountOf(L"DESTROY CLIENT " + std::to_wstring(removed)), 1u);
    EXPECT_EQ(acc::Name(list.Get(), ids[5]), L"Row 6");
    Call(host.Items().Get(), L"Add", {Missing(), Missing(), Str(L"Added")});
    auto names = RowNames(list.Get());
    ASSERT_EQ(names.size(), 20u);
    EXPECT_EQ(names.back(), L"Added");
    ASSERT_TRUE(Put(host.Row(20).Get(), L"Text", Str(L"Renamed")).Ok());
    EXPECT_EQ(events.CountOf(L"NAMECHANGE CLIENT " + std::to_wstring(acc::ChildIds(acc::Children(list.Get())).back())),
              1u);
}

TEST_F(ListboxAccessibility, SelectingAndDefaultActionsGoTheWayClicksGo) {
    ListboxHost host;
    Fill(host, 10);
    Put(host.Disp(), L"MultiSelect", Variant::FromBool(true));
    auto recorder = com::Make<EventRecorder>();
    recorder->Connect(host.control->Unknown(), DIID___VelListbox);
    auto list = acc::FromWindow(host.Window());
    ASSERT_TRUE(list);
    auto ids = acc::ChildIds(acc::Children(list.Get()));
    ASSERT_EQ(ids.size(), 10u);
    WinEventLog events(host.Window());
    SendMessageW(host.Window(), WM_SETFOCUS, 0, 0);

    ASSERT_EQ(list->accSelect(SELFLAG_TAKESELECTION, acc::Child(ids[1])), S_OK);
    EXPECT_EQ(recorder->Ids(), (std::vector<DISPID>{roster::events::kListItemClick, roster::events::kClick}));
    ASSERT_EQ(list->accSelect(SELFLAG_ADDSELECTION, acc::Child(ids[3])), S_OK);
    ASSERT_EQ(list->accSelect(SELFLAG_EXTENDSELECTION, acc::Child(ids[5])), S_OK);
    for (long i = 1; i <= 10; ++i) {
        bool selected = AsLong(Get(host.Row(i).Get(), L"Selected")) != 0;
        EXPECT_EQ(selected, i >= 2 && i <= 6) << "a Shift click from the anchor, row " << i;
        EXPECT_EQ((acc::State(list.Get(), ids[i - 1]) & STATE_SYSTEM_SELECTED) != 0, selected) << i;
    }
    EXPECT_TRUE(acc::State(list.Get(), ids[5]) & STATE_SYSTEM_FOCUSED);
    VARIANT focus, selection;
    ASSERT_EQ(list->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.lVal, ids[5]);
    ASSERT_EQ(list->get_accSelection(&selection), S_OK);
    ASSERT_EQ(selection.vt, VT_UNKNOWN);
    VariantClear(&selection);
    ASSERT_EQ(list->accSelect(SELFLAG_REMOVESELECTION, acc::Child(ids[3])), S_OK);
    EXPECT_EQ(AsLong(Get(host.Row(4).Get(), L"Selected")), 0);
    EXPECT_EQ(list->accSelect(SELFLAG_ADDSELECTION | SELFLAG_REMOVESELECTION, acc::Child(ids[3])), E_INVALIDARG);
    auto& log = events.Lines();
    EXPECT_GE(events.CountOf(L"SELECTIONADD CLIENT " + std::to_wstring(ids[3])), 1u);
    EXPECT_EQ(events.CountOf(L"SELECTIONREMOVE CLIENT " + std::to_wstring(ids[3])), 1u);
    EXPECT_GE(events.CountOf(L"FOCUS CLIENT " + std::to_wstring(ids[5])), 1u);
    EXPECT_FALSE(log.empty());

    // A row's default action is a double click; a column header's a click on its caption.
    recorder->ClearLog();
    ASSERT_EQ(list->accDoDefaultAction(acc::Child(ids[7])), S_OK);
    EXPECT_EQ(recorder->Ids(), (std::vector<DISPID>{roster::events::kListItemClick, roster::events::kDblClick}));
    auto band = acc::ObjectOf(acc::Children(list.Get())[0]);
    ASSERT_TRUE(band);
    recorder->ClearLog();
    ASSERT_EQ(band->accDoDefaultAction(acc::Child(2)), S_OK);
    ASSERT_EQ(recorder->Ids(), (std::vector<DISPID>{roster::events::kColumnClick}));
    EXPECT_EQ(AsText(Get(AsObject(recorder->Events()[0].arguments[0]).Get(), L"Text")), L"C2");
    VARIANT next;
    ASSERT_EQ(list->accNavigate(NAVDIR_NEXT, acc::Child(ids[7]), &next), S_OK);
    EXPECT_EQ(next.lVal, ids[8]);
    recorder->Disconnect();
}

// The closing report's client output: the tree of a list like the demo's and the events
// of a sequence of key presses. Then the list goes while a client still holds it.
TEST_F(ListboxAccessibility, KeyPressesRaiseFocusAndSelectionEventsAndNoReferenceOutlivesTheList) {
    ComPtr<IAccessible> list, band;
    std::vector<LONG> ids;
    {
        ListboxHost host(true, nullptr, 260, 110);
        Fill(host, 30);
        Put(AsObject(Get(host.Columns().Get(), L"Item", {Num(1)})).Get(), L"Text", Str(L"Name"));
        Put(host.Row(3).Get(), L"Selected", Variant::FromBool(true));
        list = acc::FromWindow(host.Window());
        ASSERT_TRUE(list);
        Report(L"Accessible tree of the list box:\n" + acc::Tree(list.Get(), host.Window()));
        ids = acc::ChildIds(acc::Children(list.Get()));
        band = acc::ObjectOf(acc::Children(list.Get())[0]);
        WinEventLog events(host.Window());
        SendMessageW(host.Window(), WM_SETFOCUS, 0, 0);
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_END, VK_HOME}) {
            SendMessageW(host.Window(), WM_KEYDOWN, key, 0);
            SendMessageW(host.Window(), WM_KEYUP, key, 0);
        }
        std::wstring log = L"Events of Down, Down, End, Home:\n";
        for (auto& line : events.Lines()) log += L"  " + line + L"\n";
        Report(log);
        EXPECT_EQ(events.CountOf(L"FOCUS CLIENT " + std::to_wstring(ids[3])), 1u) << log;
        EXPECT_EQ(events.CountOf(L"SELECTION CLIENT " + std::to_wstring(ids[29])), 1u) << log;
        EXPECT_EQ(events.CountOf(L"FOCUS CLIENT " + std::to_wstring(ids[0])), 1u) << log;
    }
    LONG count = 0;
    BSTR name = nullptr;
    EXPECT_EQ(list->get_accChildCount(&count), RPC_E_DISCONNECTED);
    EXPECT_EQ(list->get_accName(acc::Child(ids[0]), &name), RPC_E_DISCONNECTED);
    EXPECT_EQ(band->get_accChildCount(&count), RPC_E_DISCONNECTED);
    list.Reset();
    band.Reset();
    EXPECT_EQ(com::Module::ObjectCount(), 0) << "no accessible object outlives its client";
}

}  // namespace
