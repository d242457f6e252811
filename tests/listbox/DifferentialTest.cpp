// Random sequences of row operations, called by name, against a plain model written
// straight from the rules with linear scans. After every step the whole visible
// state, the outcome of the call and the events it raised must agree.
#include <cmath>
#include <optional>
#include <random>

#include "Convert.h"
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
};

// ---- the random driver

class Differential : public RosterFixture {
protected:
    std::mt19937 random{20261208};
    ReferenceRows ref;
    std::vector<RefEvent> realEvents;

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }

    void SetUp() override {
        RosterFixture::SetUp();
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

    void Add(int step) {
        Variant index = Pick(3) == 0 ? RandomLookup() : Missing();
        Variant key = Pick(2) == 0 ? RandomKey() : Missing();
        std::wstring text = L"t" + std::to_wstring(step);
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
        ref.events.push_back({1, row.real, L""});
    }

    void Remove(int step) {
        Variant index = RandomLookup();
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
        std::wstring text = L"s" + std::to_wstring(step);
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
            row.text = L"x" + std::to_wstring(step);
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
        ASSERT_EQ(realEvents, ref.events) << "step " << step << ": events differ";
        realEvents.clear();
        ref.events.clear();
    }
};

TEST_F(Differential, RandomRowOperationsMatchTheReferenceModel) {
    constexpr int kSteps = 100000;
    for (int step = 0; step < kSteps; ++step) {
        int op = Pick(100);
        // Rows are added a little more often than removed, so the list grows and shrinks.
        if (op < 30) Add(step);
        else if (op < 50) Remove(step);
        else if (op < 62) Lookup(step);
        else if (op < 72) SetKey(step);
        else if (op < 77) SetIndex(step);
        else if (op < 85) SetSubItem(step);
        else if (op < 93) SetTextOrSelected(step);
        else if (op < 97 + (ref.rows.size() > 60 ? 2 : 0)) ColumnSlot(step);
        else if (op < 99 || ref.rows.size() > 60) Clear(step);
        else Add(step);
        if (HasFatalFailure()) return;
        Compare(step);
        if (HasFatalFailure()) return;
    }
}

}  // namespace
}  // namespace vel::test
