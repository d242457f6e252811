// The icons in the notifier's property bag: what is stored, what comes back (pictures
// compared by their pixels), and bags that were damaged or written by hand.
#include "IconsFixture.h"
#include "MemoryPropertyBag.h"
#include "PropertyBag.h"

namespace vel::test {
namespace {

using hosting::MemoryPropertyBag;
using hosting::PropertyBag;

class IconPersistence : public IconsTest {
protected:
    void TearDown() override {
        reread.Reset();
        bag.Reset();
        IconsTest::TearDown();
    }

    // Reads `bag` into a fresh collection and answers the problems reported.
    std::vector<std::wstring> ReadBack() {
        reread = com::Make<VelIcons>();
        reread->SetListener(&rereadOwner);
        PropertyBag properties(bag.Get());
        auto problems = reread->ReadFromBag(properties);
        reread->SetListener(nullptr);
        return problems;
    }

    void Store(const wchar_t* name, Variant value) {
        PropertyBag properties(bag.Get());
        properties.Write(name, value);
    }

    com::ComPtr<MemoryPropertyBag> bag = com::Make<MemoryPropertyBag>();
    com::ComPtr<VelIcons> reread;
    RecordingOwner rereadOwner;
};

TEST_F(IconPersistence, AnEmptyCollectionStoresNothingAndReadsBackEmpty) {
    PropertyBag properties(bag.Get());
    icons->WriteToBag(properties);
    EXPECT_EQ(bag->Count(), 0u);
    EXPECT_TRUE(ReadBack().empty());
    EXPECT_EQ(reread->Count(), 0);
}

TEST_F(IconPersistence, EntriesComeBackInOrderWithTheirFieldsAndPictures) {
    auto red = MakeIconPicture(RGB(200, 0, 0), RGB(0, 255, 0));
    auto blue = MakeIconPicture(RGB(0, 0, 200), RGB(255, 255, 0));
    ASSERT_TRUE(Call(Disp(icons.Get()), L"Add", {Missing(), Str(L"r"), Obj(red.Get())}).Ok());
    ASSERT_TRUE(Call(Disp(icons.Get()), L"Add", {Missing(), Str(L"b"), Obj(blue.Get())}).Ok());
    ASSERT_TRUE(Call(Disp(icons.Get()), L"Add").Ok());  // no picture, no fields
    ASSERT_TRUE(Put(Icon(1).Get(), L"Name", Str(L"Red")).Ok());
    ASSERT_TRUE(Put(Icon(2).Get(), L"Tag", Num(42)).Ok());
    PropertyBag properties(bag.Get());
    icons->WriteToBag(properties);
    EXPECT_TRUE(bag->Contains(L"IconCount"));
    EXPECT_TRUE(bag->Contains(L"IconName1"));
    EXPECT_FALSE(bag->Contains(L"IconName2")) << "defaults are not stored";
    EXPECT_FALSE(bag->Contains(L"IconTag1"));
    EXPECT_TRUE(bag->Contains(L"Icon#3")) << "a missing picture is stored as Nothing";

    EXPECT_TRUE(ReadBack().empty());
    ASSERT_EQ(reread->Count(), 3);
    EXPECT_EQ(std::wstring(reread->At(1)->NameValue().View()), L"Red");
    EXPECT_EQ(AsText(Variant(reread->At(1)->KeyValue())), L"r");
    EXPECT_EQ(AsText(Variant(reread->At(2)->KeyValue())), L"b");
    EXPECT_EQ(AsLong(Variant(reread->At(2)->TagValue())), 42);
    EXPECT_FALSE(reread->At(3)->Picture());
    for (auto [x, y] : {std::pair{0, 0}, {9, 9}, {20, 20}}) {
        EXPECT_EQ(PicturePixel(reread->At(1)->Picture(), x, y), PicturePixel(red.Get(), x, y));
        EXPECT_EQ(PicturePixel(reread->At(2)->Picture(), x, y), PicturePixel(blue.Get(), x, y));
    }
    EXPECT_NE(reread->At(1)->Picture(), static_cast<IPictureDisp*>(red.Get())) << "a copy, not the same object";
    // Each entry raised IconAdded and then four IconChanged.
    EXPECT_EQ(rereadOwner.heard.size(), 15u);
}

TEST_F(IconPersistence, DamagedBagsLoadWhatTheyCanAndSaySo) {
    Store(L"IconCount", Num(3));
    Store(L"IconKey1", Str(L"same"));
    Store(L"Icon#1", Obj(MakeIconPicture(RGB(1, 100, 1)).Get()));
    Store(L"IconKey2", Str(L" SAME "));
    Store(L"Icon#2", Str(L"garbage"));
    // Icon#3 is missing.
    auto problems = ReadBack();
    ASSERT_EQ(reread->Count(), 3);
    EXPECT_EQ(AsText(Variant(reread->At(2)->KeyValue())), L"") << "the clashing key is dropped";
    EXPECT_TRUE(reread->At(1)->Picture());
    EXPECT_FALSE(reread->At(2)->Picture());
    EXPECT_FALSE(reread->At(3)->Picture()) << "a missing picture leaves the entry empty";
    ASSERT_EQ(problems.size(), 3u);
    EXPECT_EQ(problems[0], L"Icon 2: key dropped: Key already exists.");
    EXPECT_EQ(problems[1], L"Icon 2: picture not loaded: Invalid property value");
    EXPECT_EQ(problems[2], L"1 icons have no stored picture and are left empty.");
}

TEST_F(IconPersistence, CountsOutOfRangeAreCutToWhatTheCollectionHolds) {
    Store(L"IconCount", Num(-5));
    auto problems = ReadBack();
    EXPECT_EQ(reread->Count(), 0);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], L"IconCount -5 is out of range; 0 icons are read.");

    Store(L"IconCount", Num(2000000000));
    problems = ReadBack();
    EXPECT_EQ(reread->Count(), 32767);
    ASSERT_EQ(problems.size(), 2u);
    EXPECT_EQ(problems[1], L"32767 icons have no stored picture and are left empty.");
    reread->ClearIcons();

    Store(L"IconCount", Str(L"many"));
    EXPECT_TRUE(ReadBack().empty()) << "an unreadable count reads as none";
    EXPECT_EQ(reread->Count(), 0);
}

TEST_F(IconPersistence, ABitmapStoredAsAnIconIsRefused) {
    Store(L"IconCount", Num(1));
    Store(L"Icon#1", Obj(MakeBitmapPicture(RGB(5, 5, 5)).Get()));
    Store(L"IconName1", Str(L"kept"));
    auto problems = ReadBack();
    ASSERT_EQ(reread->Count(), 1);
    EXPECT_FALSE(reread->At(1)->Picture());
    EXPECT_EQ(std::wstring(reread->At(1)->NameValue().View()), L"kept");
    ASSERT_EQ(problems.size(), 1u);
}

}  // namespace
}  // namespace vel::test
