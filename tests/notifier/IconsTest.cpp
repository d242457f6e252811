// The icon collection as form code uses it: adding after a position, lookups, removal,
// events, and the failures Add shows instead of raising.
#include "IconsFixture.h"

namespace vel::test {
namespace {

CallResult SetIcon(IDispatch* icon, IDispatch* picture) {
    return Invoke(icon, L"Icon", DISPATCH_PROPERTYPUTREF, {Obj(picture)});
}

TEST_F(IconsTest, AddWithoutArgumentsAppendsAnEmptyEntryAndRaisesOnlyIconAdded) {
    AddIcons(2);
    auto& recorded = RecordEvents();
    auto added = AsObject(Call(Disp(icons.Get()), L"Add"));
    ASSERT_TRUE(added);
    EXPECT_EQ(AsLong(Get(added.Get(), L"Index")), 3);
    EXPECT_FALSE(AsObject(Get(added.Get(), L"Icon")));
    EXPECT_EQ(AsText(Get(added.Get(), L"Key")), L"");
    EXPECT_EQ(AsText(Get(added.Get(), L"Name")), L"");
    EXPECT_EQ(Get(added.Get(), L"Tag").value.Type(), VT_EMPTY);
    EXPECT_EQ(recorded.Ids(), std::vector<DISPID>{1});
    EXPECT_EQ(owner.heard, std::vector<std::wstring>{L"added"});
}

// How JScript's undefined and null, and a script's variable holding Empty, arrive.
TEST_F(IconsTest, EmptyAndNullCountAsOmittedInEveryArgumentOfAdd) {
    AddIcons(1);
    Variant empty;
    VARIANT reference{};
    reference.vt = VT_BYREF | VT_VARIANT;
    reference.pvarVal = empty.Ptr();
    const std::vector<std::vector<Variant>> calls{
        {Null()}, {Missing(), Null()}, {Missing(), Missing(), Null()}, {empty, empty, empty},
        {Variant(reference), Variant(reference), Variant(reference)}};
    for (auto& arguments : calls) {
        owner.messages.clear();
        auto added = AsObject(Call(Disp(icons.Get()), L"Add", arguments));
        ASSERT_TRUE(added) << "call " << Count();
        EXPECT_TRUE(owner.messages.empty()) << testing::PrintToString(owner.messages[0].text);
        EXPECT_EQ(AsLong(Get(added.Get(), L"Index")), Count()) << "appended";
        EXPECT_EQ(AsText(Get(added.Get(), L"Key")), L"");
        EXPECT_FALSE(AsObject(Get(added.Get(), L"Icon")));
    }
    EXPECT_EQ(Count(), 6);
}

TEST_F(IconsTest, AddWithAPositionInsertsAfterItAndRenumbersSilently) {
    AddIcons(3);
    auto& recorded = RecordEvents();
    auto picture = MakeIconPicture(RGB(0, 200, 0));
    auto added = AsObject(Call(Disp(icons.Get()), L"Add", {Num(1), Str(L"new"), Obj(picture.Get())}));
    ASSERT_TRUE(added);
    EXPECT_EQ(KeyOf(2), L"new");
    for (long i = 1; i <= 4; ++i) EXPECT_EQ(IndexOf(i), i);
    EXPECT_EQ(KeyOf(3), L"k2");
    EXPECT_EQ(recorded.Ids(), std::vector<DISPID>{1}) << "no IconChanged while adding";
    // Appending to the end goes by omitting the position; the last position inserts after it.
    ASSERT_TRUE(Call(Disp(icons.Get()), L"Add", {Num(4), Str(L"last")}).Ok());
    EXPECT_EQ(KeyOf(5), L"last");
}

TEST_F(IconsTest, AddShowsItsFailuresAndLeavesTheCollectionAlone) {
    AddIcons(2);
    struct Case {
        std::vector<Variant> arguments;
        const wchar_t* message;
        UINT style;
    } cases[] = {
        {{Num(0)}, L"Subscript out of range", MB_OK | MB_ICONINFORMATION},
        {{Num(3)}, L"Subscript out of range", MB_OK | MB_ICONINFORMATION},
        {{Str(L"nokey")}, L"Subscript out of range", MB_OK | MB_ICONINFORMATION},
        {{Missing(), Str(L" K1 ")}, L"Key already exists.", MB_OK | MB_ICONINFORMATION},
        {{Missing(), Missing(), Obj(MakeBitmapPicture(RGB(1, 2, 3)).Get())}, L"Invalid icon.", MB_OK},
        {{Missing(), Missing(), Str(L"not a picture")}, L"Type mismatch", MB_OK | MB_ICONINFORMATION},
        {{Missing(), Missing(), Obj(nullptr)}, L"Type mismatch", MB_OK | MB_ICONINFORMATION},
        {{Dbl(1e12)}, L"Overflow", MB_OK | MB_ICONINFORMATION},
    };
    for (auto& c : cases) {
        owner.messages.clear();
        auto result = Call(Disp(icons.Get()), L"Add", c.arguments);
        EXPECT_TRUE(result.Ok()) << "Add reports, it does not raise";
        EXPECT_FALSE(AsObject(result)) << "nothing is returned";
        ASSERT_EQ(owner.messages.size(), 1u);
        EXPECT_EQ(owner.messages[0].text, c.message);
        EXPECT_EQ(owner.messages[0].style, c.style);
        EXPECT_EQ(Count(), 2);
    }
    EXPECT_EQ(owner.heard, std::vector<std::wstring>{}) << "no events from failed adds";
    // A failed Add leaves no suppression behind: a later change is reported.
    ASSERT_TRUE(Put(Icon(1).Get(), L"Name", Str(L"first")).Ok());
    EXPECT_EQ(owner.heard, std::vector<std::wstring>{L"changed Name"});
}

TEST_F(IconsTest, TheCollectionHoldsAtMost32767Entries) {
    for (long i = 0; i < VelIcons::kMaxCount; ++i) ASSERT_TRUE(icons->AddIcon(Missing().Get(), Missing().Get(), Missing().Get()));
    EXPECT_EQ(IndexOf(VelIcons::kMaxCount), 32767);
    owner.messages.clear();
    EXPECT_FALSE(icons->AddIcon(Missing().Get(), Missing().Get(), Missing().Get()));
    ASSERT_EQ(owner.messages.size(), 1u);
    EXPECT_EQ(owner.messages[0].text, L"Overflow");
    EXPECT_EQ(Count(), 32767);
}

TEST_F(IconsTest, ItemTakesPositionsAndExactKeys) {
    AddIcons(3);
    ASSERT_TRUE(Put(Icon(3).Get(), L"Key", Str(L"2")).Ok());
    EXPECT_EQ(KeyOf(2), L"k2") << "a numeric string is a position, never a key";
    EXPECT_EQ(IndexOf(3), 3);
    EXPECT_EQ(AsLong(Get(AsObject(Get(Disp(icons.Get()), L"Item", {Str(L"k1")})).Get(), L"Index")), 1);
    EXPECT_TRUE(Fails(Get(Disp(icons.Get()), L"Item", {Str(L"K1")}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Get(Disp(icons.Get()), L"Item", {Num(0)}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_TRUE(Fails(Get(Disp(icons.Get()), L"Item", {Num(4)}), kOutOfBounds, L"Index out of bounds."));
}

TEST_F(IconsTest, RemoveRenumbersWithoutEventsThenRaisesIconRemoved) {
    AddIcons(3);
    auto second = Icon(2);
    auto& recorded = RecordEvents();
    ASSERT_TRUE(Call(Disp(icons.Get()), L"Remove", {Num(2)}).Ok());
    EXPECT_EQ(IndexOf(1), 1);
    EXPECT_EQ(IndexOf(2), 2);
    EXPECT_EQ(KeyOf(2), L"k3");
    ASSERT_EQ(recorded.Ids(), std::vector<DISPID>{2});
    EXPECT_EQ(AsObject(recorded.Events()[0].arguments[0]).Get(), second.Get());
    EXPECT_EQ(AsLong(Get(second.Get(), L"Index")), 2) << "a removed entry keeps its last index";
    EXPECT_TRUE(Fails(Call(Disp(icons.Get()), L"Remove", {Num(3)}), kSubscript, L"Subscript out of range"));
    EXPECT_TRUE(Fails(Call(Disp(icons.Get()), L"Remove", {Str(L"k2")}), kSubscript, L"Subscript out of range"));
    EXPECT_EQ(Count(), 2);
    // The removed entry still belongs to its former collection for keys and changes.
    EXPECT_TRUE(Fails(Put(second.Get(), L"Key", Str(L"K3")), kKeyExists, L"Key already exists."));
    ASSERT_TRUE(Put(second.Get(), L"Key", Str(L"free")).Ok());
    EXPECT_EQ(AsLong(Get(Disp(icons.Get()), L"Count")), 2);
    EXPECT_TRUE(Fails(Get(Disp(icons.Get()), L"Item", {Str(L"free")}), kOutOfBounds, L"Index out of bounds."));
    EXPECT_EQ(owner.heard.back(), L"changed Key");
}

TEST_F(IconsTest, ClearRaisesOneIconRemovedWithNothing) {
    AddIcons(3);
    auto& recorded = RecordEvents();
    ASSERT_TRUE(Call(Disp(icons.Get()), L"Clear").Ok());
    ASSERT_EQ(recorded.Ids(), std::vector<DISPID>{2});
    EXPECT_FALSE(AsObject(recorded.Events()[0].arguments[0]));
    EXPECT_EQ(Count(), 0);
    ASSERT_TRUE(Call(Disp(icons.Get()), L"Add", {Missing(), Str(L"k1")}).Ok()) << "the cleared keys are free again";
}

TEST_F(IconsTest, SettersValidateAndNotifyByName) {
    AddIcons(2);
    auto icon = Icon(1);
    auto& recorded = RecordEvents();
    ASSERT_TRUE(Put(icon.Get(), L"Name", Str(L"n")).Ok());
    ASSERT_TRUE(Put(icon.Get(), L"Tag", Num(7)).Ok());
    ASSERT_TRUE(Put(icon.Get(), L"Key", Str(L"key")).Ok());
    ASSERT_TRUE(SetIcon(icon.Get(), nullptr).Ok());
    EXPECT_FALSE(AsObject(Get(icon.Get(), L"Icon")));
    EXPECT_EQ(owner.heard, (std::vector<std::wstring>{L"changed Name", L"changed Tag", L"changed Key", L"changed Icon"}));
    ASSERT_EQ(recorded.Ids(), (std::vector<DISPID>{3, 3, 3, 3}));
    EXPECT_EQ(AsText(recorded.Events()[3].arguments[1]), L"Icon");

    // An icon is kept; a bitmap is refused with 380 and no event; the entry's own key clashes.
    auto picture = MakeIconPicture(RGB(0, 0, 255));
    ASSERT_TRUE(SetIcon(icon.Get(), picture.Get()).Ok());
    owner.heard.clear();
    auto bitmap = MakeBitmapPicture(RGB(9, 9, 9));
    EXPECT_TRUE(Fails(SetIcon(icon.Get(), bitmap.Get()), kInvalidValue, L"Invalid property value"));
    EXPECT_EQ(AsObject(Get(icon.Get(), L"Icon")).Get(), static_cast<IDispatch*>(picture.Get()));
    EXPECT_TRUE(Fails(Put(icon.Get(), L"Key", Str(L" KEY")), kKeyExists, L"Key already exists."));
    EXPECT_EQ(KeyOf(1), L"key");
    EXPECT_TRUE(owner.heard.empty());
    // Blank keys never clash.
    ASSERT_TRUE(Put(Icon(2).Get(), L"Key", Str(L"")).Ok());
    ASSERT_TRUE(Put(icon.Get(), L"Key", Str(L" ")).Ok());
}

TEST_F(IconsTest, HandlersThatEmptyTheCollectionDuringEventsAreSafe) {
    AddIcons(2);
    auto& recorded = RecordEvents();
    recorded.OnEvent([&](const RecordedEvent& e) {
        if (e.id == 1) icons->ClearIcons();
    });
    ASSERT_TRUE(Call(Disp(icons.Get()), L"Add").Ok());
    EXPECT_EQ(Count(), 0);
    recorded.OnEvent([&](const RecordedEvent& e) {
        if (e.id == 3) icons->ClearIcons();
    });
    AddIcons(1);
    ASSERT_TRUE(Put(Icon(1).Get(), L"Name", Str(L"x")).Ok());
    EXPECT_EQ(Count(), 0);
}

TEST_F(IconsTest, EntriesOutliveTheirCollection) {
    AddIcons(2);
    auto kept = Icon(1);
    icons->SetListener(nullptr);
    icons.Reset();
    ASSERT_TRUE(Put(kept.Get(), L"Key", Str(L"k2")).Ok()) << "no collection left to clash with";
    ASSERT_TRUE(Put(kept.Get(), L"Name", Str(L"alone")).Ok());
    kept.Reset();
    EXPECT_EQ(com::Module::ObjectCount(), 0) << "collection and entries are released";
    icons = com::Make<VelIcons>();
}

}  // namespace
}  // namespace vel::test
