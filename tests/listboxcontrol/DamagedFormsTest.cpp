// A corpus of damaged saved forms: a valid stream cut short, changed in a few bytes,
// replaced by noise, and property bags holding values of every wrong type. Every case
// loads within its time limit; a load that succeeds leaves a control that paints, saves
// and loads again with the same columns; a load that fails leaves a usable control.
#include <cmath>
#include <random>

#include "CaseTimeLimit.h"
#include "LoadedListbox.h"
#include "SavedFormBytes.h"
#include "StandardObjects.h"

namespace {

using namespace vel;
using namespace vel::test;

class DamagedForms : public ListboxTest {};

constexpr DWORD kSecondsPerCase = 20;

// What a designer saves of a list box with three columns.
std::vector<BYTE> ValidForm() {
    ListboxHost designer(false);
    auto columns = designer.Columns();
    Call(columns.Get(), L"Add", {Missing(), Str(L"name"), Str(L"Name"), Num(77), Num(1)});
    Call(columns.Get(), L"Add", {Missing(), Str(L"size"), Str(L"Size"), Num(40), Num(2)});
    Call(columns.Get(), L"Add", {Missing(), Missing(), Str(L"Date"), Num(60)});
    Put(designer.Disp(), L"SortKey", Num(2));
    Put(designer.Disp(), L"MultiSelect", Variant::FromBool(true));
    return SavedStream(designer.control->Unknown());
}

// Loads one case and checks what must hold after it.
void LoadCase(const std::vector<BYTE>& bytes, const std::string& what) {
    CaseTimeLimit limit(kSecondsPerCase, what);
    LoadedListbox loaded(bytes);
    if (SUCCEEDED(loaded.result)) {
        long columns = loaded.Columns();
        LoadedListbox again(loaded.Saved());
        EXPECT_HRESULT_SUCCEEDED(again.result) << what << ": what it loaded saves and loads again";
        EXPECT_EQ(again.Columns(), columns) << what;
    } else {
        EXPECT_TRUE(Call(AsObject(Get(loaded.Disp(), L"ColumnHeaders")).Get(), L"Add").Ok()) << what;
    }
}

TEST_F(DamagedForms, TruncatedMutatedAndRandomStreamsLoadSafely) {
    const auto valid = ValidForm();
    ASSERT_GT(valid.size(), 200u);
    LoadCase(valid, "the valid form");
    for (size_t length = 0; length < valid.size(); length += length < 64 ? 1 : 13)
        LoadCase(std::vector<BYTE>(valid.begin(), valid.begin() + length), "cut to " + std::to_string(length));

    std::mt19937 random(20261208);
    for (int i = 0; i < 300; ++i) {
        auto mutated = valid;
        int changes = 1 + static_cast<int>(random() % 3);
        std::string what = "mutation " + std::to_string(i) + ":";
        for (int c = 0; c < changes; ++c) {
            size_t at = random() % mutated.size();
            mutated[at] = static_cast<BYTE>(random());
            what += " @" + std::to_string(at);
        }
        LoadCase(mutated, what);
    }
    for (int i = 0; i < 60; ++i) {
        std::vector<BYTE> noise(random() % 600);
        for (auto& b : noise) b = static_cast<BYTE>(random());
        if (i % 2 == 0 && noise.size() >= 8) std::copy(valid.begin(), valid.begin() + 8, noise.begin());
        LoadCase(noise, "noise " + std::to_string(i));
    }
}

// Every key the control reads, holding each kind of value it does not expect.
TEST_F(DamagedForms, BagsWithValuesOfEveryWrongTypeLoadSafely) {
    const wchar_t* keys[] = {L"BackColor", L"ForeColor", L"ColumnHeaderForeColor", L"Appearance", L"BorderStyle",
                             L"MultiSelect", L"SortOrder", L"SortKey", L"Sorted", L"ShowColumnHeaders",
                             L"MousePointer", L"MouseIcon", L"ColumnHeaderFont", L"Font", L"SelectionType",
                             L"NumColumns", L"ColAlignment1", L"ColInternalWidth1", L"ColText1", L"ColKey1",
                             L"ColVisible1"};
    auto font = hosting::StandardObjects::CreateFont({std::wstring(40, L'F'), 8.0});
    std::vector<std::pair<const char*, Variant>> values{
        {"Null", Null()},
        {"NaN", Dbl(std::nan(""))},
        {"1E308", Dbl(1e308)},
        {"-2147483648", Num(INT32_MIN)},
        {"2147483647", Num(INT32_MAX)},
        {"text", Str(L"abc")},
        {"1 MB of text", Variant::FromString(std::wstring(1 << 20, L'x'))},
        {"a font with a long name", Obj(font.Get())},
        {"Nothing", Obj(nullptr)},
    };
    for (auto key : keys) {
        for (auto& [name, value] : values) {
            std::string what = "bag " + std::string(key, key + wcslen(key)) + " = " + name;
            auto bag = com::Make<hosting::MemoryPropertyBag>();
            Variant columns = Num(1);
            bag->Write(L"NumColumns", columns.Ptr());
            Variant copy = value;
            bag->Write(key, copy.Ptr());
            CaseTimeLimit limit(kSecondsPerCase, what);
            LoadedListbox loaded(bag.Get());
            EXPECT_TRUE(Call(AsObject(Get(loaded.Disp(), L"ColumnHeaders")).Get(), L"Add").Ok()) << what;
            loaded.control->PaintControl(roster::PaintPart::All);
        }
    }
}

}  // namespace
