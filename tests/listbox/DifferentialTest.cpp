// Random sequences of row operations, called by name, against a plain model written
// straight from the rules with linear scans. After each step the outcome of the call
// and the events it raised must agree, and the whole visible state at random steps (in
// between, a few rows are read, so that positions are read after long runs of changes).
// A sorter keeps the rows in order while sorting is on, placing each added row as the
// list box does; the model sorts the whole list after each add instead.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>
#include <random>

#include "Convert.h"
#include "ListItemsListener.h"
#include "ListboxSorter.h"
#include "RosterFixture.h"

namespace vel::test {
namespace {

constexpr HRESULT kOk = S_OK;

// ---- the reference model

struct RefRow {
    IDispatch* real;  // the row object the control created in the same step
    std::wstring text;
    std::vector<std::wstring> subItems;
    Variant key;
    long index = 0;
    bool selected = false;
};

struct RefEvent {
    DISPID id;
    IDispatch* row;
    std::wstring property;
    bool operator==(const RefEvent&) const = default;
};

std::optional<std::wstring> KeyText(const VARIANT& v) {
    auto text = com::TextOf(v);
    if (!text) return std::nullopt;
    return std::wstring(text->View());
}

std::wstring Trim(const std::wstring& s) { return std::wstring(com::TrimSpaces(s)); }

class ReferenceRows {
public:
    std::vector<RefRow> rows;
    long columns = 0;
    std::vector<RefEvent> events;

    // A position, or the index of the first row whose string key equals v exactly.
    std::pair<HRESULT, long> ToIndex(const VARIANT& v) const {
        VARIANT number;
        VariantInit(&number);
        if (SUCCEEDED(VariantChangeType(&number, const_cast<VARIANT*>(&v), 0, VT_R8))) {
            double d = number.dblVal;
            if (std::isnan(d)) return {kOverflow, 0};
            double r = std::nearbyint(d);
            if (r < -2147483648.0 || r > 2147483647.0) return {kOverflow, 0};
            return {kOk, static_cast<long>(r)};
        }
        auto wanted = KeyText(v);
        if (!wanted) return {kOk, 0};
        for (auto& row : rows) {
            VARTYPE t = row.key.Type();
            if ((t == VT_BSTR || t == VT_EMPTY) && KeyText(row.key.Get()) == wanted) return {kOk, row.index};
        }
        return {kOk, 0};
    }

    bool KeyExists(const VARIANT& v) const {
        auto k = KeyText(v);
        if (!k || Trim(*k).empty()) return false;
        for (auto& row : rows) {
            auto other = KeyText(row.key.Get());
            if (other && lstrcmpiW(Trim(*other).c_str(), Trim(*k).c_str()) == 0) return true;
        }
        return false;
    }

    void Renumber() {
        for (size_t i = 0; i < rows.size(); ++i) rows[i].index = static_cast<long>(i + 1);
    }

    // ---- sorting: equal keys keep the arrangement read in the last sort's direction

    bool sorting = false;
    long sortColumn = 1;
    bool descending = false;
    bool arrangedDescending = false;

    const std::wstring& KeyOf(const RefRow& row) const { return sortColumn == 1 ? row.text : row.subItems[sortColumn - 2]; }

    static int Order(const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size())) - CSTR_EQUAL;
    }

    // Each row goes in after the last one whose key is not greater.
    void SortAll() {
        if (sortColumn < 1 || sortColumn > columns) return;
        std::vector<RefRow> source = rows, sorted;
        if (arrangedDescending) std::reverse(source.begin(), source.end());
        for (auto& row : source) {
            size_t at = sorted.size();
            while (at > 0 && Order(KeyOf(sorted[at - 1]), KeyOf(row)) > 0) --at;
            sorted.insert(sorted.begin() + at, row);
        }
        if (descending) std::reverse(sorted.begin(), sorted.end());
        rows = sorted;
        arrangedDescending = descending;
        Renumber();
    }
};

// Places each added row as the list box does while sorting is on.
struct SortingOwner : roster::ListItemsListener {
    roster::ListboxSorter sorter;
    ReferenceRows& ref;
    VelListItems* items = nullptr;
    explicit SortingOwner(ReferenceRows& ref) : ref(ref) {}
    void ListItemAdded(roster::VelListItem& row) override {
        if (ref.sorting) sorter.PlaceAdded(*items, row, ref.sortColumn, ref.descending);
    }
    void ListItemRemoved(roster::VelListItem*) override {}
    void ListItemChanged(roster::VelListItem&, std::wstring_view) override {}
};

// ---- the random driver

class Differential : public RosterFixture {
protected:
    std::mt19937 random{20261208};
    ReferenceRows ref;
    SortingOwner owner{ref};
    std::vector<RefEvent> realEvents;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    // Texts with many equal keys: letter case, numbers as text, empty, accents, the hyphen,
    // apostrophe and soft hyphen the system's order passes over, a ligature and a combining mark.
    std::wstring RandomText() {
        static const wchar_t* texts[] = {L"", L"a", L"A", L"b", L"B", L"ab", L"aB", L"10", L"9", L"ä", L"Ä", L"a b", L"z",
                                         L"a-b", L"a'b", L"-", L"\u00ADa", L"\u00AD", L"\u00E6", L"ae", L"a\u0308"};
        return texts[Pick(static_cast<int>(std::size(texts)))];
    }

    void SetUp() override {
        RosterFixture::SetUp();
        owner.items = items.Get();
        items->SetListener(&owner);
        RecordItemEvents().OnEvent([this](const RecordedEvent& e) {
            IDispatch* row = e.arguments[0].Type() == VT_DISPATCH ? e.arguments[0].Get().pdispVal : nullptr;
            realEvents.push_back({e.id, row, e.arguments.size() > 1 ? AsText(e.arguments[1]) : L""});
        });
    }

    Variant RandomKey() {
        static const wchar_t* texts[] = {L"a", L"A", L" a", L"b", L"B ", L"", L"  ", L"12", L"x y", L"ä", L"Ä"};
        switch (Pick(14)) {
            case 11: return Num(5);
            case 12: return Variant::FromBool(true);
            case 13: return Dbl(2.5);
            default: return Str(texts[Pick(11)]);
        }
    }

    Variant RandomLookup() {
        static const wchar_t* texts[] = {L"a", L"A", L" a", L"b", L"", L"  ", L"1", L"2", L"2.5", L"zz", L"ä", L"1e10"};
        switch (Pick(16)) {
            case 12: return Num(Pick(static_cast<int>(ref.rows.size()) + 3) - 1);
            case 13: return Dbl(Pick(8) * 0.5);
            case 14: return Dbl(3e9);
            case 15: return Missing();
            default: return Str(texts[Pick(12)]);
        }
    }

    void Expect(HRESULT expected, const CallResult& real, int step, const char* what) {
        ASSERT_EQ(real.hr, expected) << "step " << step << ": " << what;
    }

    // ---- operations: each runs on both and checks the outcome

    void TearDown() override {
        items->SetListener(nullptr);
        RosterFixture::TearDown();
    }

    void Add(int step) {
        Variant index = Pick(3) == 0 ? (Pick(2) ? Num(1) : RandomLookup()) : Missing();
        Variant key = Pick(2) == 0 ? RandomKey() : Missing();
        std::wstring text = RandomText();
        auto real = Call(Disp(items.Get()), L"Add", {index, key, Str(text.c_str())});

        HRESULT expected = kOk;
        long position = static_cast<long>(ref.rows.size()) + 1;
        if (!com::IsMissing(index.Get())) std::tie(expected, position) = ref.ToIndex(index.Get());
        if (expected == kOk && !com::IsMissing(key.Get()) && ref.KeyExists(key.Get())) expected = kItemKeyExists;
        if (expected == kOk && ref.columns == 0) expected = kSubscript;
        if (expected == kOk && (position < 1 || position > static_cast<long>(ref.rows.size()) + 1)) expected = kSubscript;
        if (expected == kOk && !com::IsMissing(index.Get()) && position == static_cast<long>(ref.rows.size()) + 1)
            expected = kSubscript;
        Expect(expected, real, step, "Add");
        if (expected != kOk) return;
        RefRow row{AsObject(real).Get(), text, std::vector<std::wstring>(ref.columns), Variant(), 0, false};
        if (!com::IsMissing(key.Get())) row.key = key;
        ref.rows.insert(ref.rows.begin() + (position - 1), row);
        ref.Renumber();
        if (ref.sorting) ref.SortAll();
        ref.events.push_back({1, row.real, L""});
    }

    // Sorting on or off, by another column or in the other direction: a full sort.
    void ChangeSort(int step) {
        ref.sorting = Pick(4) != 0;
        ref.sortColumn = 1 + Pick(ref.columns + 1);
        ref.descending = Pick(2) == 0;
        if (!ref.sorting) return;
        owner.sorter.SortAll(*items.Get(), ref.sortColumn, ref.descending);
        ref.SortAll();
    }

    void Remove(int step) {
        Variant index = Pick(3) == 0 ? Num(1) : RandomLookup();
        if (com::IsMissing(index.Get())) index = Num(1);
        auto real = Call(Disp(items.Get()), L"Remove", {index});
        auto [expected, position] = ref.ToIndex(index.Get());
        if (expected == kOk && (position < 1 || position > static_cast<long>(ref.rows.size()))) expected = kOutOfBounds;
        Expect(expected, real, step, "Remove");
        if (expected != kOk) return;
        IDispatch* removed = ref.rows[position - 1].real;
        ref.rows.erase(ref.rows.begin() + (position - 1));
        ref.Renumber();
        for (auto& row : ref.rows) ref.events.push_back({3, row.real, L"Index"});
        ref.events.push_back({2, removed, L""});
    }

    void Lookup(int step) {
        Variant index = RandomLookup();
        if (com::IsMissing(index.Get())) return;
        auto real = Get(Disp(items.Get()), L"Item", {index});
        auto [expected, position] = ref.ToIndex(index.Get());
        if (expected == kOk && (position < 1 || position > static_cast<long>(ref.rows.size()))) expected = kOutOfBounds;
        Expect(expected, real, step, "Item");
        if (expected == kOk) {
            ASSERT_EQ(AsObject(real).Get(), ref.rows[position - 1].real) << "step " << step;
        }
    }

    void SetKey(int step) {
        if (ref.rows.empty()) return;
        auto& row = ref.rows[Pick(static_cast<int>(ref.rows.size()))];
        Variant key = RandomKey();
        auto real = Put(row.real, L"Key", key);
        HRESULT expected = ref.KeyExists(key.Get()) ? kItemKeyExists : kOk;
        Expect(expected, real, step, "Key");
        if (expected == kOk) row.key = key;
    }

    void SetIndex(int step) {
        if (ref.rows.empty()) return;
        auto& row = ref.rows[Pick(static_cast<int>(ref.rows.size()))];
        bool designTime = Pick(2) == 0;
        roster::LibraryFlags::SetRunTimeMode(!designTime);
        long value = Pick(10) - 2;
        auto real = Put(row.real, L"Index", Num(value));
        roster::LibraryFlags::SetRunTimeMode(true);
        Expect(designTime ? kOk : kItemIndexReadOnly, real, step, "Index");
        if (!designTime) return;
        row.index = value;
        ref.events.push_back({3, row.real, L"Index"});
    }

    void SetSubItem(int step) {
        if (ref.rows.empty()) return;
        auto& row = ref.rows[Pick(static_cast<int>(ref.rows.size()))];
        long n = Pick(ref.columns + 3) - 1;
        std::wstring text = RandomText();
        auto real = Put(row.real, L"SubItems", Str(text.c_str()), {Num(n)});
        bool valid = n >= 1 && n <= static_cast<long>(row.subItems.size());
        Expect(valid ? kOk : kSubscript, real, step, "SubItems");
        if (!valid) return;
        row.subItems[n - 1] = text;
        ref.events.push_back({3, row.real, L"SubItems"});
    }

    void SetTextOrSelected(int step) {
        if (ref.rows.empty()) return;
        auto& row = ref.rows[Pick(static_cast<int>(ref.rows.size()))];
        if (Pick(2)) {
            row.text = RandomText();
            ASSERT_TRUE(Put(row.real, L"Text", Str(row.text.c_str())).Ok());
            ref.events.push_back({3, row.real, L"Text"});
        } else {
            row.selected = !row.selected;
            ASSERT_TRUE(Put(row.real, L"Selected", Variant::FromBool(row.selected)).Ok());
            ref.events.push_back({3, row.real, L"Selected"});
        }
    }

    void ColumnSlot(int step) {
        if (Pick(2) || ref.columns == 0) {
            items->AddColumnSlot();
            ++ref.columns;
            for (auto& row : ref.rows) row.subItems.emplace_back();
            return;
        }
        bool refused = ref.columns == 1 && !ref.rows.empty();
        bool threw = false;
        try {
            items->RemoveColumnSlot();
        } catch (const com::AutomationError&) {
            threw = true;
        }
        ASSERT_EQ(threw, refused) << "step " << step;
        if (refused) return;
        --ref.columns;
        for (auto& row : ref.rows) row.subItems.pop_back();
    }

    void Clear(int step) {
        ASSERT_TRUE(Call(Disp(items.Get()), L"Clear").Ok());
        ref.rows.clear();
        ref.events.push_back({2, nullptr, L""});
    }

    // ---- the whole visible state

    void Compare(int step) {
        ASSERT_EQ(items->Count(), static_cast<long>(ref.rows.size())) << "step " << step;
        ASSERT_EQ(items->ColumnCount(), ref.columns) << "step " << step;
        for (long p = 1; p <= items->Count(); ++p) {
            auto* real = items->At(p);
            const auto& row = ref.rows[p - 1];
            ASSERT_EQ(static_cast<IDispatch*>(static_cast<::VelListItem*>(real)), row.real) << "step " << step;
            ASSERT_EQ(real->IndexValue(), row.index) << "step " << step;
            ASSERT_EQ(real->TextValue().View(), row.text) << "step " << step;
            ASSERT_EQ(real->IsSelected(), row.selected) << "step " << step;
            ASSERT_EQ(VarCmp(const_cast<VARIANT*>(&real->KeyValue()), const_cast<VARIANT*>(&row.key.Get()),
                             LOCALE_USER_DEFAULT, 0),
                      static_cast<HRESULT>(VARCMP_EQ))
                << "step " << step;
            ASSERT_EQ(real->KeyValue().vt, row.key.Type()) << "step " << step;
            ASSERT_EQ(real->SubItemCount(), static_cast<long>(row.subItems.size())) << "step " << step;
            for (long n = 1; n <= real->SubItemCount(); ++n)
                ASSERT_EQ(real->SubItemText(n).View(), row.subItems[n - 1]) << "step " << step;
        }
        CompareEvents(step);
    }

    void CompareEvents(int step) {
        ASSERT_EQ(realEvents, ref.events) << "step " << step << ": events differ";
        realEvents.clear();
        ref.events.clear();
    }

    // The count, the events, and a few rows with their positions.
    void CompareSome(int step) {
        ASSERT_EQ(items->Count(), static_cast<long>(ref.rows.size())) << "step " << step;
        for (int i = 0; i < 3 && !ref.rows.empty(); ++i) {
            long p = 1 + Pick(static_cast<int>(ref.rows.size()));
            auto* real = items->At(p);
            ASSERT_EQ(static_cast<IDispatch*>(static_cast<::VelListItem*>(real)), ref.rows[p - 1].real) << "step " << step;
            ASSERT_EQ(AsLong(Get(ref.rows[p - 1].real, L"Index")), ref.rows[p - 1].index) << "step " << step;
        }
        CompareEvents(step);
    }
};

TEST_F(Differential, RandomRowOperationsMatchTheReferenceModel) {
    constexpr int kSteps = 100000;
    for (int step = 0; step < kSteps; ++step) {
        int op = Pick(100);
        // Rows are added a little more often than removed, so the list grows and shrinks.
        if (op < 30) Add(step);
        else if (op < 50) Remove(step);
        else if (op < 61) Lookup(step);
        else if (op < 70) SetKey(step);
        else if (op < 74) SetIndex(step);
        else if (op < 82) SetSubItem(step);
        else if (op < 90) SetTextOrSelected(step);
        else if (op < 93) ChangeSort(step);
        else if (op < 97 + (ref.rows.size() > 60 ? 2 : 0)) ColumnSlot(step);
        else if (op < 99 || ref.rows.size() > 60) Clear(step);
        else Add(step);
        if (HasFatalFailure()) return;
        if (Pick(8) == 0) Compare(step);
        else CompareSome(step);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace vel::test
