// Event handlers may do anything to the collection that raised the event: remove the
// row or column they were handed, clear everything, or drop the last reference.
#include "RosterFixture.h"

namespace vel::test {
namespace {

class Handlers : public RosterFixture {};

TEST_F(Handlers, RemovingTheAddedRowInsideListItemAdded) {
    AddColumns(1);
    AddRows(2);
    RecordItemEvents().OnEvent([&](const RecordedEvent& e) {
        if (e.id == 1) Call(Disp(items.Get()), L"Remove", {Num(AsLong(Get(AsObject(e.arguments[0]).Get(), L"Index")))});
    });
    auto added = Call(Disp(items.Get()), L"Add", {Num(1), Str(L"gone")});
    ASSERT_TRUE(added.Ok());
    EXPECT_EQ(items->Count(), 2);
    EXPECT_EQ(AsText(Get(AsObject(added).Get(), L"Key")), L"gone") << "the returned row is still a valid object";
    EXPECT_TRUE(Put(AsObject(added).Get(), L"Text", Str(L"x")).Ok());
    EXPECT_EQ(items->At(1)->IndexValue(), 1);
    EXPECT_EQ(items->At(2)->IndexValue(), 2);
}

TEST_F(Handlers, ClearingWhileRemovalRenumbers) {
    AddColumns(1);
    AddRows(5);
    int changes = 0;
    RecordItemEvents().OnEvent([&](const RecordedEvent& e) {
        if (e.id == 3 && ++changes == 2) Call(Disp(items.Get()), L"Clear");
    });
    ASSERT_TRUE(Call(Disp(items.Get()), L"Remove", {Num(1)}).Ok());
    EXPECT_EQ(items->Count(), 0);
    EXPECT_EQ(changes, 2) << "rows cleared meanwhile report nothing more";
    AddRows(2);
    EXPECT_EQ(items->At(2)->IndexValue(), 2);
}

TEST_F(Handlers, RemovingEveryRowFromInsideAChangeEvent) {
    AddColumns(1);
    AddRows(4);
    RecordItemEvents().OnEvent([&](const RecordedEvent& e) {
        if (e.id == 3 && items->Count() > 0) Call(Disp(items.Get()), L"Remove", {Num(items->Count())});
    });
    ASSERT_TRUE(Put(Row(1).Get(), L"Selected", Variant::FromBool(true)).Ok());
    EXPECT_EQ(items->Count(), 0);
}

TEST_F(Handlers, DroppingTheLastReferenceToTheCollectionInsideItsEvent) {
    AddColumns(1);
    AddRows(3);
    auto row = Row(2);
    RecordItemEvents().OnEvent([&](const RecordedEvent& e) {
        if (e.id == 2) {
            itemEvents->Disconnect();
            items.Reset();
        }
    });
    ASSERT_TRUE(Call(Disp(items.Get()), L"Remove", {Num(2)}).Ok());
    EXPECT_FALSE(items);
    EXPECT_TRUE(Put(row.Get(), L"Text", Str(L"still here")).Ok()) << "rows outlive their collection";
    EXPECT_EQ(AsLong(Get(row.Get(), L"Top")), 0) << "a row of no list has no position";
}

TEST_F(Handlers, RemovingColumnsInsideColumnEvents) {
    AddColumns(3);
    RecordColumnEvents().OnEvent([&](const RecordedEvent& e) {
        if (e.id == 2 || e.id == 3) Call(Disp(columns.Get()), L"Clear");
    });
    ASSERT_TRUE(Call(Disp(columns.Get()), L"Add").Ok());
    EXPECT_EQ(columns->Count(), 0);
    EXPECT_FALSE(roster::LibraryFlags::InternalRenumber());
    AddColumns(0);
    ASSERT_TRUE(Call(Disp(columns.Get()), L"Add").Ok());
    EXPECT_EQ(columns->Count(), 0);
}

}  // namespace
}  // namespace vel::test
