// Columns through the automation boundary, called by name as a script calls them.
#include "RosterFixture.h"

namespace vel::test {
namespace {

class ColumnHeaders : public RosterFixture {
protected:
    IDispatch* C() { return Disp(columns.Get()); }
    long Prop(IDispatch* column, const wchar_t* name) { return AsLong(Get(column, name)); }
};

TEST_F(ColumnHeaders, AddWithoutArgumentsGivesAVisibleCentredColumnOfOneHundredPixels) {
    auto& events = RecordColumnEvents();
    auto column = AsObject(Call(C(), L"Add"));
    ASSERT_TRUE(column);
    EXPECT_EQ(AsText(Get(column.Get(), L"Text")), L"Column 1");
    EXPECT_EQ(Prop(column.Get(), L"Width"), 1500);
    EXPECT_EQ(Prop(column.Get(), L"Alignment"), 2);
    EXPECT_EQ(Get(column.Get(), L"Visible").value.Get().boolVal, VARIANT_TRUE);
    EXPECT_EQ(Prop(column.Get(), L"Index"), 1);
    EXPECT_EQ(Prop(column.Get(), L"SubItemIndex"), 0);
    EXPECT_EQ(events.Ids(), std::vector<DISPID>{2});
}

TEST_F(ColumnHeaders, DefaultCaptionsCountTheColumnsWhateverThePosition) {
    AddColumns(2);
    auto front = AsObject(Call(C(), L"Add", {Num(1)}));
    EXPECT_EQ(AsText(Get(front.Get(), L"Text")), L"Column 3");
    EXPECT_EQ(Prop(Column(2).Get(), L"Index"), 2);
    EXPECT_EQ(AsText(Get(Column(2).Get(), L"Text")), L"Column 1");
    EXPECT_TRUE(Fails(Call(C(), L"Add", {Num(4)}), kSubscript, L"Subscript out of range"));
    EXPECT_EQ(AsLong(Get(C(), L"Count")), 3);
}

TEST_F(ColumnHeaders, AddTakesEveryArgumentWithoutWidthChecks) {
    EXPECT_TRUE(Fails(Call(C(), L"Add", {Missing(), Str(L"Name"), Str(L"Caption"), Num(0), Num(7)}), kInvalidValue,
                      L"Invalid property value"))
        << "an alignment outside the enumeration is refused";
    auto column = AsObject(Call(C(), L"Add", {Missing(), Str(L"Name"), Str(L"Caption"), Num(0), Num(2)}));
    ASSERT_TRUE(column);
    EXPECT_EQ(Prop(column.Get(), L"Width"), 0) << "Add stores a width of 0 without error";
    EXPECT_EQ(Prop(column.Get(), L"Alignment"), 2);
    EXPECT_EQ(AsText(Get(column.Get(), L"Key")), L"Name");
    auto wide = AsObject(Call(C(), L"Add", {Missing(), Missing(), Missing(), Dbl(22.5 * 15)}));
    EXPECT_EQ(columns->At(2)->GetInternalWidth(), 22) << "pixels round halves to even";
    EXPECT_TRUE(Fails(Call(C(), L"Add", {Missing(), Str(L" name ")}), kColumnKeyExists, L"Key already exists."));
    EXPECT_TRUE(Fails(Call(C(), L"Add", {Missing(), Missing(), Missing(), Str(L"wide")}), kTypeMismatch,
                      L"Type mismatch"));
    EXPECT_TRUE(Fails(Call(C(), L"Add", {Missing(), Missing(), Missing(), Missing(), Dbl(1e12)}), kOverflow,
                      L"Overflow"));
    EXPECT_EQ(AsLong(Get(C(), L"Count")), 2) << "failed Adds leave nothing behind";
    columns->SetScaleFactor(0);
    EXPECT_TRUE(Fails(Call(C(), L"Add", {Missing(), Missing(), Missing(), Num(100)}), kDivisionByZero,
                      L"Division by zero"));
}

TEST_F(ColumnHeaders, WidthIsCheckedAndNeverNarrowerThanFourPixels) {
    AddColumns(1);
    auto& events = RecordColumnEvents();
    auto column = Column(1);
    ASSERT_TRUE(Put(column.Get(), L"Width", Num(1)).Ok());
    EXPECT_EQ(columns->At(1)->GetInternalWidth(), 4);
    EXPECT_EQ(Prop(column.Get(), L"Width"), 60);
    EXPECT_TRUE(Fails(Put(column.Get(), L"Width", Num(0)), kWidthNotPositive, L"Width must be greater than 0."));
    EXPECT_TRUE(Fails(Put(column.Get(), L"Width", Num(-5)), kWidthNotPositive, L"Width must be greater than 0."));
    EXPECT_EQ(Prop(column.Get(), L"Width"), 60);
    ASSERT_TRUE(Put(column.Get(), L"Width", Num(1522)).Ok());
    EXPECT_EQ(columns->At(1)->GetInternalWidth(), 101);
    EXPECT_EQ(events.Ids(), (std::vector<DISPID>{3, 3}));
    columns->SetScaleFactor(0);
    EXPECT_TRUE(Fails(Put(column.Get(), L"Width", Num(100)), kDivisionByZero, L"Division by zero"));
}

TEST_F(ColumnHeaders, PropertiesNotifyTheirNamesButIndexKeyAndTagDoNot) {
    AddColumns(1);
    auto& events = RecordColumnEvents();
    auto column = Column(1);
    ASSERT_TRUE(Put(column.Get(), L"Text", Str(L"x")).Ok());
    ASSERT_TRUE(Put(column.Get(), L"Width", Num(300)).Ok());
    ASSERT_TRUE(Put(column.Get(), L"Visible", Variant::FromBool(false)).Ok());
    ASSERT_TRUE(Put(column.Get(), L"Alignment", Num(2)).Ok());
    ASSERT_TRUE(Put(column.Get(), L"Key", Str(L"k")).Ok());
    ASSERT_TRUE(Put(column.Get(), L"Tag", Str(L"t")).Ok());
    roster::LibraryFlags::SetRunTimeMode(false);
    ASSERT_TRUE(Put(column.Get(), L"Index", Num(5)).Ok());
    ASSERT_EQ(events.Ids(), (std::vector<DISPID>{3, 3, 3, 3}));
    const wchar_t* names[] = {L"Text", L"Width", L"Visible", L"Alignment"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(AsText(events.Events()[i].arguments[1]), names[i]);
    EXPECT_EQ(Prop(column.Get(), L"Index"), 5);
    EXPECT_EQ(Prop(column.Get(), L"SubItemIndex"), 4);
}

TEST_F(ColumnHeaders, IndexIsReadOnlyAtRunTimeExceptWhileAddIsBeingHandled) {
    AddColumns(1);
    EXPECT_TRUE(Fails(Put(Column(1).Get(), L"Index", Num(3)), kColumnIndexReadOnly, L"Index is Read-only at runtime."));
    auto& events = RecordColumnEvents();
    CallResult inHandler;
    events.OnEvent([&](const RecordedEvent& e) {
        if (e.id == 2) inHandler = Put(AsObject(e.arguments[0]).Get(), L"Index", Num(2));
    });
    ASSERT_TRUE(Call(C(), L"Add").Ok());
    EXPECT_TRUE(inHandler.Ok()) << "renumbering is still allowed while ColumnHeaderAdded is handled";
    EXPECT_FALSE(roster::LibraryFlags::InternalRenumber());
    EXPECT_TRUE(Fails(Call(C(), L"Add", {Num(9)}), kSubscript, L"Subscript out of range"));
    EXPECT_FALSE(roster::LibraryFlags::InternalRenumber()) << "a failed Add clears the flag";
}

TEST_F(ColumnHeaders, RemoveRenumbersSilentlyAndClearReportsNothing) {
    AddColumns(3);
    auto& events = RecordColumnEvents();
    auto removed = Column(1);
    ASSERT_TRUE(Call(C(), L"Remove", {Num(1)}).Ok());
    EXPECT_EQ(events.Ids(), std::vector<DISPID>{1});
    EXPECT_EQ(AsObject(events.Events()[0].arguments[0]).Get(), removed.Get());
    EXPECT_EQ(Prop(Column(1).Get(), L"Index"), 1);
    EXPECT_EQ(Prop(Column(2).Get(), L"Index"), 2);
    EXPECT_TRUE(Fails(Call(C(), L"Remove", {Num(3)}), kOutOfBounds, L"Index out of bounds."));
    events.ClearLog();
    ASSERT_TRUE(Call(C(), L"Clear").Ok());
    ASSERT_EQ(events.Ids(), std::vector<DISPID>{1});
    EXPECT_EQ(events.Events()[0].arguments[0].Get().pdispVal, nullptr);
    EXPECT_EQ(AsLong(Get(C(), L"Count")), 0);
    EXPECT_EQ(Prop(removed.Get(), L"Width"), 1500) << "a removed column keeps its scale";
}

TEST_F(ColumnHeaders, LookupByKeyOrPosition) {
    ASSERT_TRUE(Call(C(), L"Add", {Missing(), Str(L"Name"), Str(L"N")}).Ok());
    ASSERT_TRUE(Call(C(), L"Add", {Missing(), Str(L"Size"), Str(L"S")}).Ok());
    EXPECT_EQ(AsText(Get(AsObject(Get(C(), L"Item", {Str(L"2")})).Get(), L"Text")), L"S");
    EXPECT_EQ(AsText(Get(AsObject(Get(C(), L"Item", {Str(L"Name")})).Get(), L"Text")), L"N");
    EXPECT_TRUE(Fails(Get(C(), L"Item", {Str(L"name")}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Put(Column(2).Get(), L"Key", Str(L"NAME")), kColumnKeyExists, L"Key already exists."));
    EXPECT_TRUE(Fails(Put(Column(2).Get(), L"Key", Str(L"Size")), kColumnKeyExists, L"Key already exists."));
}

TEST_F(ColumnHeaders, GeometrySkipsInvisibleColumns) {
    AddColumns(3);
    columns->SetBorderOffset(2);
    columns->SetHeaderHeight(20);
    ASSERT_TRUE(Put(Column(1).Get(), L"Width", Num(50 * 15)).Ok());
    ASSERT_TRUE(Put(Column(2).Get(), L"Visible", Variant::FromBool(false)).Ok());
    EXPECT_EQ(Prop(Column(3).Get(), L"Left"), (2 + 50) * 15);
    EXPECT_EQ(Prop(Column(1).Get(), L"Top"), 30);
    EXPECT_EQ(Prop(Column(1).Get(), L"Height"), 300);
    EXPECT_EQ(columns->GetTotalWidth(), 2 + 50 + 100);
    columns->SetBorderOffset(3000);
    EXPECT_TRUE(Fails(Get(Column(1).Get(), L"Top"), kOverflow, L"Overflow")) << "a 16-bit product";
}

TEST_F(ColumnHeaders, CaptionAndDividerHitTests) {
    AddColumns(3);
    columns->SetBorderOffset(2);
    columns->SetHeaderHeight(20);
    ASSERT_TRUE(Put(Column(2).Get(), L"Visible", Variant::FromBool(false)).Ok());
    // Column 1 spans 2..102, column 3 spans 102..202.
    auto hit = [&](float x, float y) { return AsObject(Call(C(), L"HitTest", {Dbl(x), Dbl(y)})); };
    EXPECT_EQ(hit(50, 10).Get(), Column(1).Get());
    EXPECT_EQ(hit(150, 10).Get(), Column(3).Get());
    EXPECT_FALSE(hit(100.5f, 10)) << "the last two pixels belong to the divider";
    EXPECT_FALSE(hit(50, 20)) << "below the header band";
    EXPECT_FALSE(hit(50, 2)) << "on the border";
    EXPECT_EQ(columns->HitTestDivider(101, 10), columns->At(1));
    EXPECT_EQ(columns->HitTestDivider(104, 10), columns->At(1)) << "within two pixels, the leftmost wins";
    EXPECT_EQ(columns->HitTestDivider(200, 10), columns->At(3));
    EXPECT_EQ(columns->HitTestDivider(150, 10), nullptr);
    columns->SetScrollLeft(50);
    EXPECT_EQ(hit(60, 10).Get(), Column(3).Get());
    EXPECT_FALSE(hit(50, 10)) << "column 1's divider, scrolled";
    EXPECT_EQ(columns->HitTestDivider(52, 10), columns->At(1));
}

}  // namespace
}  // namespace vel::test
