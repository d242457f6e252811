// Rows through the automation boundary, called by name as a script calls them.
#include "RosterFixture.h"

namespace vel::test {
namespace {

class ListItems : public RosterFixture {
protected:
    IDispatch* L() { return Disp(items.Get()); }
    long Count() { return AsLong(Get(L(), L"Count")); }
    long IndexOf(IDispatch* row) { return AsLong(Get(row, L"Index")); }
    std::wstring TextOf(IDispatch* row) { return AsText(Get(row, L"Text")); }
};

TEST_F(ListItems, AddWithoutArgumentsGivesAnEmptyFirstRowAndOnlyTheAddedEvent) {
    AddColumns(2);
    auto& events = RecordItemEvents();
    auto added = Call(L(), L"Add");
    ASSERT_TRUE(added.Ok());
    auto row = AsObject(added);
    EXPECT_EQ(IndexOf(row.Get()), 1);
    EXPECT_EQ(TextOf(row.Get()), L"");
    EXPECT_EQ(Get(row.Get(), L"Key").value.Type(), VT_EMPTY);
    EXPECT_EQ(events.Ids(), std::vector<DISPID>{1});
    EXPECT_EQ(AsObject(events.Events()[0].arguments[0]).Get(), row.Get());
}

TEST_F(ListItems, AddNeedsAColumnForTheSubItemSlot) {
    EXPECT_TRUE(Fails(Call(L(), L"Add", {Missing(), Str(L"a")}), kSubscript, L"Subscript out of range"));
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(Call(L(), L"Add", {Missing(), Str(L"a")}).hr, kSubscript) << "a failed Add leaves the key free";
}

TEST_F(ListItems, InsertingRenumbersSilentlyAndOnlyExistingPositionsAreAccepted) {
    AddColumns(1);
    AddRows(3);
    auto& events = RecordItemEvents();
    auto front = AsObject(Call(L(), L"Add", {Num(1), Str(L"front"), Str(L"F")}));
    ASSERT_TRUE(front);
    EXPECT_EQ(events.Ids(), std::vector<DISPID>{1}) << "no ListItemChanged while adding";
    for (long p = 1; p <= 4; ++p) EXPECT_EQ(IndexOf(Row(p).Get()), p);
    EXPECT_EQ(TextOf(Row(1).Get()), L"F");
    EXPECT_EQ(TextOf(Row(2).Get()), L"t1");

    EXPECT_TRUE(Fails(Call(L(), L"Add", {Num(5)}), kSubscript, L"Subscript out of range")) << "cannot append by index";
    EXPECT_TRUE(Fails(Call(L(), L"Add", {Num(0)}), kSubscript, L"Subscript out of range"));
    EXPECT_TRUE(Call(L(), L"Add", {Str(L"2")}).Ok()) << "a string that reads as a number is a position";
    EXPECT_EQ(Count(), 5);
    EXPECT_TRUE(Call(L(), L"Add", {Str(L"k2")}).Ok()) << "an Index naming a key inserts before that row";
    EXPECT_EQ(AsText(Get(Row(4).Get(), L"Key")), L"");
    EXPECT_EQ(AsText(Get(Row(5).Get(), L"Key")), L"k2");
}

TEST_F(ListItems, KeysAreUniqueTrimmedAndCaseInsensitiveButBlankKeysNeverClash) {
    AddColumns(1);
    ASSERT_TRUE(Call(L(), L"Add", {Missing(), Str(L"a")}).Ok());
    EXPECT_TRUE(Fails(Call(L(), L"Add", {Missing(), Str(L" A ")}), kItemKeyExists, L"Key already exists."));
    EXPECT_TRUE(Call(L(), L"Add", {Missing(), Str(L"")}).Ok());
    EXPECT_TRUE(Call(L(), L"Add", {Missing(), Str(L"")}).Ok());
    EXPECT_TRUE(Call(L(), L"Add", {Missing(), Str(L"   ")}).Ok());
    EXPECT_EQ(Count(), 4);

    auto row = Row(1);
    EXPECT_TRUE(Fails(Put(row.Get(), L"Key", Str(L"a")), kItemKeyExists, L"Key already exists."))
        << "setting a key to its own value clashes with itself";
    EXPECT_TRUE(Put(row.Get(), L"Key", Str(L" b ")).Ok());
    EXPECT_EQ(AsText(Get(row.Get(), L"Key")), L" b ") << "stored untrimmed";
    EXPECT_TRUE(Call(L(), L"Add", {Missing(), Str(L"a")}).Ok()) << "the old key is free again";
    EXPECT_TRUE(Fails(Put(Row(2).Get(), L"Key", Str(L"B")), kItemKeyExists, L"Key already exists."));
    EXPECT_EQ(AsText(Get(Row(2).Get(), L"Key")), L"") << "a refused key leaves the old one";
}

TEST_F(ListItems, NonStringKeysClashByTheirTextAndNumbersAreAlwaysPositions) {
    AddColumns(1);
    ASSERT_TRUE(Call(L(), L"Add", {Missing(), Num(12)}).Ok());
    ASSERT_TRUE(Call(L(), L"Add", {Missing(), Variant::FromBool(true)}).Ok());
    EXPECT_EQ(Get(Row(1).Get(), L"Key").value.Type(), VT_I4) << "the key keeps its type";
    EXPECT_TRUE(Fails(Call(L(), L"Add", {Missing(), Str(L"12")}), kItemKeyExists, L"Key already exists."));
    EXPECT_TRUE(Fails(Call(L(), L"Add", {Missing(), Str(L"true")}), kItemKeyExists, L"Key already exists."));
    ASSERT_TRUE(Call(L(), L"Add", {Missing(), Str(L"7")}).Ok());
    EXPECT_TRUE(Fails(Get(L(), L"Item", {Str(L"7")}), kOutOfBounds, L"Index out of bounds."))
        << "a key that reads as a number is taken as a position";
    EXPECT_TRUE(Fails(Put(Row(1).Get(), L"Key", Null()), kInvalidValue, L"Invalid property value"));
}

TEST_F(ListItems, ItemFindsByExactKeyOrByPosition) {
    AddColumns(1);
    ASSERT_TRUE(Call(L(), L"Add", {Missing(), Str(L"a"), Str(L"first")}).Ok());
    ASSERT_TRUE(Call(L(), L"Add", {Missing(), Str(L"b"), Str(L"second")}).Ok());
    ASSERT_TRUE(Call(L(), L"Add", {Missing(), Str(L" c "), Str(L"third")}).Ok());
    EXPECT_EQ(TextOf(AsObject(Get(L(), L"Item", {Str(L"b")})).Get()), L"second");
    EXPECT_TRUE(Fails(Get(L(), L"Item", {Str(L"B")}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Get(L(), L"Item", {Str(L"c")}), kOutOfBounds, L"Index out of bounds.")) << "no trimming";
    EXPECT_EQ(TextOf(AsObject(Get(L(), L"Item", {Str(L" c ")})).Get()), L"third");
    EXPECT_EQ(TextOf(AsObject(Get(L(), L"Item", {Str(L"2")})).Get()), L"second");
    EXPECT_EQ(TextOf(AsObject(Get(L(), L"Item", {Dbl(2.5)})).Get()), L"second") << "halves round to even";
    EXPECT_EQ(TextOf(AsObject(Get(L(), L"Item", {Dbl(1.5)})).Get()), L"second");
    EXPECT_TRUE(Fails(Get(L(), L"Item", {Str(L"")}), kOutOfBounds, L"Index out of bounds."));
    ASSERT_TRUE(Call(L(), L"Add", {Missing(), Missing(), Str(L"unkeyed")}).Ok());
    EXPECT_EQ(TextOf(AsObject(Get(L(), L"Item", {Str(L"")})).Get()), L"unkeyed") << "a missing key equals \"\"";
    EXPECT_TRUE(Fails(Get(L(), L"Item", {Num(0)}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Get(L(), L"Item", {Num(5)}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Get(L(), L"Item", {Dbl(3e9)}), kOverflow, L"Overflow"));
    EXPECT_TRUE(Fails(Get(L(), L"Item", {Str(L"1e10")}), kOverflow, L"Overflow"));
}

TEST_F(ListItems, RemoveRenumbersWithAnIndexEventPerRemainingRowThenTheRemovedEvent) {
    AddColumns(1);
    AddRows(4);
    auto removedRow = Row(2);
    auto& events = RecordItemEvents();
    ASSERT_TRUE(Call(L(), L"Remove", {Num(2)}).Ok());
    ASSERT_EQ(events.Ids(), (std::vector<DISPID>{3, 3, 3, 2}));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(AsText(events.Events()[i].arguments[1]), L"Index");
        EXPECT_EQ(AsLong(Get(AsObject(events.Events()[i].arguments[0]).Get(), L"Index")), i + 1);
    }
    EXPECT_EQ(AsObject(events.Events()[3].arguments[0]).Get(), removedRow.Get());
    EXPECT_EQ(IndexOf(removedRow.Get()), 2) << "a removed row keeps its last index";
    EXPECT_EQ(AsText(Get(Row(2).Get(), L"Key")), L"k3");
    EXPECT_TRUE(Fails(Call(L(), L"Remove", {Str(L"k2")}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Call(L(), L"Add", {Missing(), Str(L"k2")}).Ok()) << "the removed row's key is free";
    EXPECT_TRUE(Call(L(), L"Remove", {Str(L"k4")}).Ok());
    EXPECT_EQ(Count(), 3);
}

TEST_F(ListItems, ClearRaisesOneRemovedEventWithNothing) {
    AddColumns(1);
    AddRows(3);
    auto kept = Row(1);
    auto& events = RecordItemEvents();
    ASSERT_TRUE(Call(L(), L"Clear").Ok());
    ASSERT_EQ(events.Ids(), std::vector<DISPID>{2});
    EXPECT_EQ(events.Events()[0].arguments[0].Type(), VT_DISPATCH);
    EXPECT_EQ(events.Events()[0].arguments[0].Get().pdispVal, nullptr);
    EXPECT_EQ(Count(), 0);
    EXPECT_EQ(items->ColumnCount(), 1);
    EXPECT_TRUE(Put(kept.Get(), L"Text", Str(L"still usable")).Ok());
    EXPECT_TRUE(Call(L(), L"Add", {Missing(), Str(L"k1")}).Ok()) << "cleared keys are free";
    EXPECT_EQ(events.Ids(), (std::vector<DISPID>{2, 1})) << "a cleared row no longer reports changes";
}

TEST_F(ListItems, IndexIsWritableOnlyAtDesignTime) {
    AddColumns(1);
    AddRows(2);
    auto& events = RecordItemEvents();
    auto row = Row(1);
    EXPECT_TRUE(Fails(Put(row.Get(), L"Index", Num(7)), kItemIndexReadOnly, L"Index is Read-only at runtime."));
    EXPECT_EQ(IndexOf(row.Get()), 1);
    EXPECT_TRUE(events.Ids().empty());
    roster::LibraryFlags::SetRunTimeMode(false);
    EXPECT_TRUE(Put(row.Get(), L"Index", Num(7)).Ok());
    EXPECT_EQ(IndexOf(row.Get()), 7);
    EXPECT_EQ(events.Ids(), std::vector<DISPID>{3});
    EXPECT_EQ(AsText(events.Events()[0].arguments[1]), L"Index");
    ASSERT_TRUE(Call(L(), L"Add").Ok());
    EXPECT_EQ(IndexOf(row.Get()), 1) << "the next renumbering puts every row back in place";
}

TEST_F(ListItems, PropertiesNotifyTheirNamesAndTagAndKeyDoNot) {
    AddColumns(2);
    AddRows(1);
    auto& events = RecordItemEvents();
    auto row = Row(1);
    ASSERT_TRUE(Put(row.Get(), L"Text", Str(L"x")).Ok());
    ASSERT_TRUE(Put(row.Get(), L"SubItems", Str(L"s"), {Num(2)}).Ok());
    ASSERT_TRUE(Put(row.Get(), L"Selected", Variant::FromBool(true)).Ok());
    ASSERT_TRUE(Put(row.Get(), L"Tag", Dbl(1.5)).Ok());
    ASSERT_TRUE(Put(row.Get(), L"Key", Str(L"new")).Ok());
    ASSERT_EQ(events.Ids(), (std::vector<DISPID>{3, 3, 3}));
    const wchar_t* names[] = {L"Text", L"SubItems", L"Selected"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(AsText(events.Events()[i].arguments[1]), names[i]);
    EXPECT_EQ(Get(row.Get(), L"Tag").value.Get().dblVal, 1.5);
    EXPECT_EQ(AsText(Get(row.Get(), L"SubItems", {Num(2)})), L"s");
}

TEST_F(ListItems, SubItemSlotsFollowTheColumns) {
    AddColumns(2);
    AddRows(1);
    auto row = Row(1);
    ASSERT_TRUE(Put(row.Get(), L"SubItems", Str(L"one"), {Num(1)}).Ok());
    ASSERT_TRUE(Put(row.Get(), L"SubItems", Str(L"two"), {Num(2)}).Ok());
    EXPECT_TRUE(Fails(Get(row.Get(), L"SubItems", {Num(0)}), kSubscript, L"Subscript out of range"));
    EXPECT_TRUE(Fails(Get(row.Get(), L"SubItems", {Num(3)}), kSubscript, L"Subscript out of range"));
    EXPECT_TRUE(Fails(Put(row.Get(), L"SubItems", Str(L"x"), {Num(3)}), kSubscript, L"Subscript out of range"));

    items->AddColumnSlot();
    EXPECT_EQ(AsText(Get(row.Get(), L"SubItems", {Num(1)})), L"one");
    EXPECT_EQ(AsText(Get(row.Get(), L"SubItems", {Num(2)})), L"two");
    EXPECT_EQ(AsText(Get(row.Get(), L"SubItems", {Num(3)})), L"");
    items->RemoveColumnSlot();
    items->RemoveColumnSlot();
    EXPECT_EQ(AsText(Get(row.Get(), L"SubItems", {Num(1)})), L"one");
    EXPECT_TRUE(Fails(Get(row.Get(), L"SubItems", {Num(2)}), kSubscript, L"Subscript out of range"));
    EXPECT_THROW(items->RemoveColumnSlot(), com::AutomationError) << "a row keeps at least one slot";
    EXPECT_EQ(items->ColumnCount(), 1);
}

TEST_F(ListItems, GeometryIsInContainerUnitsAndOverflowsLikeItsWidth) {
    AddColumns(1);
    AddRows(3);
    items->SetBorderOffset(2);
    items->SetHeaderHeight(20);
    items->SetRowHeight(16);
    items->SetRowWidth(100);
    auto row = Row(3);
    EXPECT_EQ(AsLong(Get(Row(1).Get(), L"Top")), 20 * 15);
    EXPECT_EQ(AsLong(Get(row.Get(), L"Top")), (20 + 2 * 16) * 15);
    EXPECT_EQ(AsLong(Get(row.Get(), L"Left")), 30);
    EXPECT_EQ(AsLong(Get(row.Get(), L"Width")), 1500);
    EXPECT_EQ(AsLong(Get(row.Get(), L"Height")), 240);

    items->SetRowHeight(3000);
    EXPECT_TRUE(Fails(Get(row.Get(), L"Height"), kOverflow, L"Overflow")) << "a 16-bit product";
    items->SetRowHeight(16);
    items->SetRowWidth(200000000);
    EXPECT_TRUE(Fails(Get(row.Get(), L"Width"), kOverflow, L"Overflow")) << "a 32-bit product";
}

TEST_F(ListItems, RowTopCountsBeyondSixteenBits) {
    items->SetHeaderHeight(20);
    items->SetRowHeight(16);
    EXPECT_EQ(items->GetRowTop(1), 20);
    EXPECT_EQ(items->GetRowTop(40000), 20 + 39999 * 16);
    EXPECT_EQ(items->GetRowTop(100000), 20 + 99999 * 16);
    EXPECT_THROW(items->GetRowTop(200000000), com::AutomationError);
}

TEST_F(ListItems, SelectionHelpersOfTheListBox) {
    AddColumns(1);
    AddRows(5);
    auto& events = RecordItemEvents();
    items->SelectRange(*items->At(2), *items->At(4));
    ASSERT_EQ(events.Ids(), (std::vector<DISPID>{3, 3, 3}));
    EXPECT_EQ(AsLong(Get(AsObject(events.Events()[0].arguments[0]).Get(), L"Index")), 4)
        << "counts from B towards A";
    for (long p = 1; p <= 5; ++p) EXPECT_EQ(items->At(p)->IsSelected(), p >= 2 && p <= 4);
    events.ClearLog();
    items->DeselectAll();
    EXPECT_TRUE(events.Ids().empty());
    for (long p = 1; p <= 5; ++p) EXPECT_FALSE(items->At(p)->IsSelected());

    roster::VelListItems::Items reversed(items->All().rbegin(), items->All().rend());
    items->ReplaceItems(reversed);
    EXPECT_TRUE(events.Ids().empty());
    EXPECT_EQ(AsText(Get(Row(1).Get(), L"Key")), L"k5");
    EXPECT_EQ(IndexOf(Row(1).Get()), 1);
    EXPECT_EQ(TextOf(AsObject(Get(L(), L"Item", {Str(L"k5")})).Get()), L"t5") << "keys follow their rows";
}

TEST_F(ListItems, EnumerationVisitsRowsInPositionOrder) {
    AddColumns(1);
    AddRows(3);
    auto result = Call(L(), L"NewEnum");
    ASSERT_TRUE(result.Ok());
    ComPtr<IEnumVARIANT> enumerator;
    ASSERT_TRUE(SUCCEEDED(result.value.Get().punkVal->QueryInterface(IID_PPV_ARGS(&enumerator))));
    ASSERT_TRUE(Call(L(), L"Remove", {Num(1)}).Ok()) << "the enumerator keeps its snapshot";
    std::vector<std::wstring> keys;
    Variant v;
    while (enumerator->Next(1, v.Out(), nullptr) == S_OK) keys.push_back(AsText(Get(v.Get().pdispVal, L"Key")));
    EXPECT_EQ(keys, (std::vector<std::wstring>{L"k1", L"k2", L"k3"}));
}

// Positions are kept lazily in long lists: every Index read between inserts and
// removals at the front, in the middle and at the end is the row's position, and rows
// removed or cleared keep the position they had last.
TEST_F(ListItems, IndexReadsRightAtEveryMomentOfALongList) {
    AddColumns(1);
    for (int i = 0; i < 3000; ++i) items->AddItem(Missing().Get(), Missing().Get(), Missing().Get());
    std::vector<ComPtr<IDispatch>> removed;
    std::vector<long> removedAt;
    unsigned seed = 12345;
    auto next = [&](long n) { return static_cast<long>((seed = seed * 1103515245u + 12345u) >> 8) % n; };
    for (int step = 0; step < 4000; ++step) {
        long count = items->Count();
        switch (next(4)) {
        case 0: Call(L(), L"Add", {Num(1)}); break;
        case 1: Call(L(), L"Add", {Num(1 + next(count))}); break;
        case 2: {
            long at = next(3) == 0 ? 1 : 1 + next(count);
            removed.push_back(Row(at));
            removedAt.push_back(at);
            Call(L(), L"Remove", {Num(at)});
            break;
        }
        default: Call(L(), L"Add"); break;
        }
        if (step % 7 == 0) {
            long p = 1 + next(items->Count());
            ASSERT_EQ(IndexOf(Row(p).Get()), p) << "step " << step;
        }
    }
    for (long p = 1; p <= items->Count(); p += 97) ASSERT_EQ(IndexOf(Row(p).Get()), p);
    for (size_t i = 0; i < removed.size(); i += 31) ASSERT_EQ(IndexOf(removed[i].Get()), removedAt[i]);
    auto last = Row(items->Count());
    long lastAt = items->Count();
    ASSERT_TRUE(Call(L(), L"Clear").Ok());
    EXPECT_EQ(IndexOf(last.Get()), lastAt);
}

}  // namespace
}  // namespace vel::test
