// The control's property bag: what is written, when, and what reads back.
#include "ListboxHost.h"

namespace {

using namespace vel;
using namespace vel::test;

class ListboxPersistence : public ListboxTest {};

ComPtr<hosting::MemoryPropertyBag> Save(ListboxHost& host) {
    auto bag = com::Make<hosting::MemoryPropertyBag>();
    ComPtr<IPersistPropertyBag> persist;
    host.control.As(&persist);
    EXPECT_HRESULT_SUCCEEDED(persist->Save(bag.Get(), TRUE, FALSE));
    return bag;
}

TEST_F(ListboxPersistence, ANewControlWritesOnlyItsFontsAndNoColumnsAtRunTime) {
    ListboxHost host(true);
    host.AddColumns(2, 50);
    auto bag = Save(host);
    EXPECT_TRUE(bag->Contains(L"Font"));
    EXPECT_TRUE(bag->Contains(L"ColumnHeaderFont"));
    for (auto key : {L"BackColor", L"ForeColor", L"ColumnHeaderForeColor", L"SelectionType", L"MultiSelect",
                     L"SortOrder", L"SortKey", L"Sorted", L"MousePointer", L"MouseIcon", L"Appearance",
                     L"BorderStyle", L"ShowColumnHeaders", L"NumColumns", L"ColText1"})
        EXPECT_FALSE(bag->Contains(key)) << key;
}

TEST_F(ListboxPersistence, ColumnsWrittenAtDesignTimeReadBackIdentical) {
    auto bag = com::Make<hosting::MemoryPropertyBag>();
    {
        ListboxHost designer(false);
        auto columns = designer.Columns();
        Call(columns.Get(), L"Add", {Missing(), Str(L"name"), Str(L"Name"), Num(77), Num(1)});
        auto second = AsObject(Call(columns.Get(), L"Add", {Missing(), Str(L"size"), Str(L"Size"), Num(40), Num(2)}));
        Put(second.Get(), L"Visible", Variant::FromBool(false));
        Call(columns.Get(), L"Add", {Missing(), Missing(), Str(L""), Num(150), Num(0)});  // every default
        Put(designer.Disp(), L"MultiSelect", Variant::FromBool(true));
        Put(designer.Disp(), L"BorderStyle", Num(0));
        ComPtr<IPersistPropertyBag> persist;
        designer.control.As(&persist);
        ASSERT_HRESULT_SUCCEEDED(persist->Save(bag.Get(), TRUE, FALSE));
    }
    EXPECT_TRUE(bag->Contains(L"NumColumns"));
    EXPECT_FALSE(bag->Contains(L"ColAlignment0"));
    for (auto key : {L"ColAlignment3", L"ColInternalWidth3", L"ColText3", L"ColKey3", L"ColVisible3"})
        EXPECT_FALSE(bag->Contains(key)) << key << ": a default is not written";
    ListboxHost restored(true, bag.Get());
    auto columns = restored.Columns();
    ASSERT_EQ(AsLong(Get(columns.Get(), L"Count")), 3);
    EXPECT_EQ(AsLong(Get(AsObject(Get(columns.Get(), L"Item", {Num(3)})).Get(), L"Width")), 150);
    auto first = AsObject(Get(columns.Get(), L"Item", {Num(1)}));
    auto second = AsObject(Get(columns.Get(), L"Item", {Num(2)}));
    EXPECT_EQ(AsText(Get(first.Get(), L"Text")), L"Name");
    EXPECT_EQ(AsText(Get(first.Get(), L"Key")), L"name");
    EXPECT_EQ(AsLong(Get(first.Get(), L"Width")), 77);
    EXPECT_EQ(AsLong(Get(first.Get(), L"Alignment")), 1);
    EXPECT_EQ(AsLong(Get(first.Get(), L"Visible")), -1);
    EXPECT_EQ(AsText(Get(second.Get(), L"Key")), L"size");
    EXPECT_EQ(AsLong(Get(second.Get(), L"Width")), 40);
    EXPECT_EQ(AsLong(Get(second.Get(), L"Alignment")), 2);
    EXPECT_EQ(AsLong(Get(second.Get(), L"Visible")), 0);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"MultiSelect")), -1);
    EXPECT_EQ(AsLong(Get(restored.Disp(), L"BorderStyle")), 0);
    EXPECT_EQ(restored.control->BorderWidth(), 0);
}

TEST_F(ListboxPersistence, AnEmptyBagGivesTheAmbientForeColourWhereANewControlGetsButtonText) {
    auto empty = com::Make<hosting::MemoryPropertyBag>();
    ListboxHost fresh(true);
    EXPECT_EQ(AsColor(Get(fresh.Disp(), L"ForeColor")), 0x80000012u);
    EXPECT_EQ(AsColor(Get(fresh.Disp(), L"ColumnHeaderForeColor")), 0x80000012u);

    auto site = com::Make<TestContainer>();
    site->ambients[DISPID_AMBIENT_FORECOLOR] = Variant::FromLong(0x0000FF);
    auto control = hosting::MakeControl<roster::VelListbox>();
    ComPtr<IOleObject> object;
    control.As(&object);
    object->SetClientSite(site.Get());
    ComPtr<IPersistPropertyBag> persist;
    control.As(&persist);
    ASSERT_HRESULT_SUCCEEDED(persist->Load(empty.Get(), nullptr));
    IDispatch* disp = static_cast<_VelListbox*>(control.Get());
    EXPECT_EQ(AsColor(Get(disp, L"ForeColor")), 0x0000FFu);
    EXPECT_EQ(AsColor(Get(disp, L"ColumnHeaderForeColor")), 0x0000FFu);
    EXPECT_EQ(AsColor(Get(disp, L"BackColor")), 0x80000005u);
    EXPECT_EQ(AsLong(Get(disp, L"BorderStyle")), 1);
    EXPECT_EQ(AsLong(Get(disp, L"ShowColumnHeaders")), -1);
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
}

TEST_F(ListboxPersistence, ABackColourEqualToTheAmbientOneSurvivesSaveAndReload) {
    auto bag = com::Make<hosting::MemoryPropertyBag>();
    {
        ListboxHost designer(false);
        designer.site->ambients[DISPID_AMBIENT_BACKCOLOR] = ColorArg(0x8000000F);
        Put(designer.Disp(), L"BackColor", ColorArg(0x8000000F));
        ComPtr<IPersistPropertyBag> persist;
        designer.control.As(&persist);
        ASSERT_HRESULT_SUCCEEDED(persist->Save(bag.Get(), TRUE, FALSE));
    }
    ListboxHost restored(true, bag.Get());
    EXPECT_EQ(AsColor(Get(restored.Disp(), L"BackColor")), 0x8000000Fu);
}

}  // namespace
