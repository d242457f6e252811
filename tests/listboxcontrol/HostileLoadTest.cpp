// Saved forms no control wrote: nested objects of any class, huge column counts,
// repeated keys and values the setters refuse. Each load either gives a consistent
// control or is refused whole, and never takes long.
#include <cmath>

#include "CaseTimeLimit.h"
#include "LoadedListbox.h"
#include "SavedFormBytes.h"

namespace {

using namespace vel;
using namespace vel::test;

class HostileLoad : public ListboxTest {};

TEST_F(HostileLoad, OnlyFontsAndPicturesLoadAsSavedObjects) {
    for (int depth : {1, 3000}) {
        CaseTimeLimit limit(20, "nested saved list boxes");
        auto nested = SavedFormBytes::Nested(CLSID_VelListbox, depth);
        LoadedListbox loaded(SavedFormBytes().Object(L"Font", CLSID_VelListbox, nested).Bytes());
        EXPECT_FALSE(SUCCEEDED(loaded.result)) << depth << " deep: a list box is no font";
        ComPtr<IFont> font;
        AsObject(Get(loaded.Disp(), L"Font")).As(&font);
        EXPECT_TRUE(font) << "the control keeps a font of its own";
    }
    // A real font still loads.
    ListboxHost source(false);
    auto sourceFont = AsObject(Get(source.Disp(), L"Font"));
    Put(sourceFont.Get(), L"Name", Str(L"Courier New"));
    Put(sourceFont.Get(), L"Size", Num(15));
    Put(sourceFont.Get(), L"Bold", Variant::FromBool(true));
    auto bag = com::Make<hosting::MemoryPropertyBag>();
    ComPtr<IPersistPropertyBag> persist;
    source.control.As(&persist);
    ASSERT_HRESULT_SUCCEEDED(persist->Save(bag.Get(), TRUE, FALSE));
    LoadedListbox restored(bag.Get());
    EXPECT_HRESULT_SUCCEEDED(restored.result);
    auto font = AsObject(Get(restored.Disp(), L"Font"));
    // The system reads a font back as it made it: a face it lacks as the one it uses, the
    // size as the nearest it has.
    EXPECT_EQ(AsText(Get(font.Get(), L"Name")), AsText(Get(sourceFont.Get(), L"Name")));
    EXPECT_NEAR(AsLong(Get(font.Get(), L"Size")), 15, 1);
    EXPECT_TRUE(AsLong(Get(font.Get(), L"Bold")));
}

TEST_F(HostileLoad, AColumnCountBeyondAPositionIsRefusedAndTheLargestLoadsQuickly) {
    for (double count : {2147483647.0, 1e9, 32768.0, 100000.0, -1.0}) {
        CaseTimeLimit limit(20, "a huge column count");
        LoadedListbox loaded(SavedFormBytes().Double(L"NumColumns", count).Text(L"ColText1", L"one").Bytes());
        EXPECT_FALSE(SUCCEEDED(loaded.result)) << count;
        EXPECT_EQ(loaded.Columns(), 0) << count;
    }
    {
        CaseTimeLimit limit(20, "a column count that is no number");
        LoadedListbox nan(SavedFormBytes().Double(L"NumColumns", std::nan("")).Bytes());
        EXPECT_EQ(nan.Columns(), 0);
    }
    // Saved forms omit every default: a column that keeps all of its own has no entry.
    LoadedListbox three(SavedFormBytes().Long(L"NumColumns", 3).Text(L"ColText1", L"one").Long(L"ColAlignment3", 1).Bytes());
    EXPECT_HRESULT_SUCCEEDED(three.result);
    ASSERT_EQ(three.Columns(), 3);
    auto second = AsObject(Get(AsObject(Get(three.Disp(), L"ColumnHeaders")).Get(), L"Item", {Num(2)}));
    EXPECT_EQ(AsLong(Get(second.Get(), L"Width")), 150);
    EXPECT_EQ(AsText(Get(second.Get(), L"Text")), L"");
    // Bounds a build that grows faster than the count; emulated machines take many times
    // what a real one does.
    CaseTimeLimit limit(120, "the largest column count");
    LoadedListbox largest(SavedFormBytes().Long(L"NumColumns", 32767).Text(L"ColText1", L"one").Bytes());
    EXPECT_HRESULT_SUCCEEDED(largest.result);
    EXPECT_EQ(largest.Columns(), 32767);
}

TEST_F(HostileLoad, ALoadIsAppliedWholeOrRefusedWhole) {
    struct Case {
        const char* what;
        SavedFormBytes bytes;
    };
    auto base = [] { return SavedFormBytes().Long(L"BackColor", 255).Long(L"MultiSelect", -1); };
    std::vector<Case> cases{
        {"repeated keys", base().Long(L"NumColumns", 3).Text(L"ColKey1", L"a").Text(L"ColKey2", L"b").Text(L"ColKey3", L" A ")},
        {"a negative sort key", base().Long(L"NumColumns", 2).Text(L"ColText1", L"x").Text(L"ColText2", L"y").Long(L"SortKey", -5)},
        {"a sort key past the columns", base().Long(L"NumColumns", 1).Text(L"ColText1", L"x").Long(L"SortKey", 2)},
        {"widths whose sum overflows", base().Long(L"NumColumns", 2).Long(L"ColInternalWidth1", INT32_MIN)
                                           .Long(L"ColInternalWidth2", INT32_MIN)},
    };
    for (auto& c : cases) {
        CaseTimeLimit limit(20, c.what);
        LoadedListbox loaded(c.bytes.Bytes());
        EXPECT_FALSE(SUCCEEDED(loaded.result)) << c.what;
        EXPECT_EQ(loaded.Columns(), 0) << c.what << ": no half-built columns";
        EXPECT_EQ(AsLong(Get(loaded.Disp(), L"MultiSelect")), 0) << c.what << ": nothing else applied";
        EXPECT_EQ(AsLong(Get(loaded.Disp(), L"SortKey")), 0) << c.what;
        EXPECT_TRUE(Call(AsObject(Get(loaded.Disp(), L"ColumnHeaders")).Get(), L"Add").Ok()) << c.what << ": usable";
    }
    LoadedListbox sound(base().Long(L"NumColumns", 2).Text(L"ColKey1", L"a").Text(L"ColKey2", L"b").Long(L"SortKey", 2).Bytes());
    EXPECT_HRESULT_SUCCEEDED(sound.result);
    EXPECT_EQ(sound.Columns(), 2);
    EXPECT_EQ(AsLong(Get(sound.Disp(), L"SortKey")), 2);
    EXPECT_EQ(AsLong(Get(sound.Disp(), L"MultiSelect")), -1);
}

}  // namespace
