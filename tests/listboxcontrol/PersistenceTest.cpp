// The control's property bag and stream: what is written, when, and what reads back.
#include "ListboxHost.h"
#include "LoadedListbox.h"
#include "StandardObjects.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

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

// A form saved by one width is loaded by the other. Both widths' test programs run in one
// Wine prefix, one after the other, so each leaves the stream it saved in the prefix's
// temporary folder and loads the one the other width left there: the same bytes as this
// width saves, and every property as it was set. (Where the other width has not run yet,
// its own stream stands in.)
#ifdef _WIN64
constexpr const wchar_t* kOwnStream = L"vel-listbox-x64.stream";
constexpr const wchar_t* kOtherStream = L"vel-listbox-x86.stream";
#else
constexpr const wchar_t* kOwnStream = L"vel-listbox-x86.stream";
constexpr const wchar_t* kOtherStream = L"vel-listbox-x64.stream";
#endif

std::filesystem::path InTemporaryFolder(const wchar_t* name) {
    wchar_t folder[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH + 1, folder);
    return std::filesystem::path(folder) / name;
}

TEST_F(ListboxPersistence, AStreamSavedByTheOtherWidthHasTheSameBytesAndLoadsWhole) {
    std::vector<BYTE> ours;
    {
        ListboxHost designer(false);
        auto columns = designer.Columns();
        Call(columns.Get(), L"Add", {Missing(), Str(L"name"), Str(L"Name"), Num(77), Num(1)});
        auto second = AsObject(Call(columns.Get(), L"Add", {Missing(), Str(L"size"), Str(L"Size"), Num(40), Num(2)}));
        Put(second.Get(), L"Visible", Variant::FromBool(false));
        for (auto [name, value] : {std::pair{L"BackColor", 0x00336699L}, {L"ForeColor", 0x00112233L},
                                   {L"ColumnHeaderForeColor", 0x0044AA00L}, {L"SelectionType", 1L},
                                   {L"SortOrder", 1L}, {L"SortKey", 2L}, {L"MousePointer", 2L},
                                   {L"Appearance", 0L}, {L"BorderStyle", 0L}})
            Put(designer.Disp(), name, Num(value));
        for (auto name : {L"MultiSelect", L"Sorted"}) Put(designer.Disp(), name, Variant::FromBool(true));
        Put(designer.Disp(), L"ShowColumnHeaders", Variant::FromBool(false));
        auto rows = hosting::StandardObjects::CreateFont({L"Arial", 12.0, true});
        auto header = hosting::StandardObjects::CreateFont({L"Arial", 9.75, false, true});
        ASSERT_TRUE(Invoke(designer.Disp(), L"Font", DISPATCH_PROPERTYPUTREF, {Obj(rows.Get())}).Ok());
        ASSERT_TRUE(Invoke(designer.Disp(), L"ColumnHeaderFont", DISPATCH_PROPERTYPUTREF, {Obj(header.Get())}).Ok());
        ours = SavedStream(designer.control->Unknown());
    }
    ASSERT_FALSE(ours.empty());
    std::ofstream(InTemporaryFolder(kOwnStream), std::ios::binary).write(reinterpret_cast<const char*>(ours.data()),
                                                                        static_cast<std::streamsize>(ours.size()));
    std::ifstream file(InTemporaryFolder(kOtherStream), std::ios::binary);
    std::vector<BYTE> saved{std::istreambuf_iterator<char>(file), {}};
    if (saved.empty()) {
        std::printf("no stream of the other width in the temporary folder yet: this width's own is loaded\n");
        saved = ours;
    }
    EXPECT_EQ(saved, ours) << "both widths save the same bytes";
    LoadedListbox loaded(saved);
    ASSERT_HRESULT_SUCCEEDED(loaded.result);
    for (auto [name, value] : {std::pair{L"BackColor", 0x00336699L}, {L"ForeColor", 0x00112233L},
                               {L"ColumnHeaderForeColor", 0x0044AA00L}, {L"SelectionType", 1L}, {L"SortOrder", 1L},
                               {L"SortKey", 2L}, {L"MousePointer", 2L}, {L"Appearance", 0L}, {L"BorderStyle", 0L},
                               {L"MultiSelect", -1L}, {L"Sorted", -1L}, {L"ShowColumnHeaders", 0L}})
        EXPECT_EQ(AsLong(Get(loaded.Disp(), name)), value) << std::string(name, name + wcslen(name));
    auto rows = AsObject(Get(loaded.Disp(), L"Font"));
    auto header = AsObject(Get(loaded.Disp(), L"ColumnHeaderFont"));
    EXPECT_EQ(AsLong(Get(rows.Get(), L"Bold")), -1);
    EXPECT_EQ(AsLong(Get(rows.Get(), L"Size")), 12);
    EXPECT_EQ(AsLong(Get(header.Get(), L"Italic")), -1);
    ASSERT_EQ(loaded.Columns(), 2);
    auto columns = AsObject(Get(loaded.Disp(), L"ColumnHeaders"));
    auto first = AsObject(Get(columns.Get(), L"Item", {Num(1)}));
    auto second = AsObject(Get(columns.Get(), L"Item", {Num(2)}));
    EXPECT_EQ(AsText(Get(first.Get(), L"Key")), L"name");
    EXPECT_EQ(AsText(Get(first.Get(), L"Text")), L"Name");
    EXPECT_EQ(AsLong(Get(first.Get(), L"Width")), 77);
    EXPECT_EQ(AsLong(Get(first.Get(), L"Alignment")), 1);
    EXPECT_EQ(AsText(Get(second.Get(), L"Key")), L"size");
    EXPECT_EQ(AsLong(Get(second.Get(), L"Width")), 40);
    EXPECT_EQ(AsLong(Get(second.Get(), L"Visible")), 0);
}

}  // namespace
