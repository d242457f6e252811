// Every member with arguments of the wrong type, missing, Null, NaN, huge or very
// long: each answers with an automation error or a sound value, never crashes, and a
// failed call leaves the rows and columns as they were.
#include <cmath>
#include <sstream>

#include "RosterFixture.h"

namespace vel::test {
namespace {

Variant Array() {
    Variant v;
    SAFEARRAYBOUND bound{3, 0};
    v.Ptr()->parray = SafeArrayCreate(VT_VARIANT, 1, &bound);
    v.Ptr()->vt = VT_ARRAY | VT_VARIANT;
    return v;
}

Variant Unknown(IUnknown* object) {
    Variant v;
    v.Ptr()->vt = VT_UNKNOWN;
    v.Ptr()->punkVal = object;
    object->AddRef();
    return v;
}

Variant ByRef(VARIANT* target) {
    Variant v;
    v.Ptr()->vt = VT_BYREF | VT_VARIANT;
    v.Ptr()->pvarVal = target;
    return v;
}

class BadInput : public RosterFixture {
protected:
    void SetUp() override {
        RosterFixture::SetUp();
        AddColumns(2);
        AddRows(3);
        longText = Str(std::wstring(1 << 20, L'x').c_str());
    }

    // The visible state of both collections, as text.
    std::wstring Snapshot() {
        std::wostringstream out;
        for (auto& row : items->All()) {
            out << row->IndexValue() << L'|' << row->TextValue().View() << L'|';
            if (auto key = com::TextOf(row->KeyValue())) out << key->View();
            for (long n = 1; n <= row->SubItemCount(); ++n) out << L'|' << row->SubItemText(n).View();
            out << L'|' << row->IsSelected() << L'\n';
        }
        for (auto& column : columns->All()) {
            out << column->IndexValue() << L'|' << column->TextValue().View() << L'|' << column->GetInternalWidth()
                << L'|' << column->AlignmentValue() << L'|' << column->IsVisible() << L'\n';
        }
        return out.str();
    }

    std::vector<Variant> Values() {
        Variant nan = Dbl(std::nan(""));
        return {Missing(), Null(), nan, Dbl(1e300), Dbl(-1e300), Array(), Obj(nullptr), Obj(Row(1).Get()),
                Unknown(items->Unknown()), longText, Str(L"\x00e9\x4e2d"), Variant::FromBool(true)};
    }

    // Calls `member` of `object` with each value in argument slot `slot` of `arity`
    // arguments (the others omitted or, where required, `filler`).
    void Probe(IDispatch* object, const wchar_t* member, WORD flags, size_t arity, size_t slot, Variant filler) {
        for (auto& value : Values()) {
            std::vector<Variant> args(arity, filler);
            args[slot] = value;
            std::wstring before = Snapshot();
            auto result = Invoke(object, member, flags, args);
            if (!result.Ok()) {
                EXPECT_EQ(Snapshot(), before) << std::string(member, member + wcslen(member));
                EXPECT_TRUE(HRESULT_FACILITY(result.hr) == FACILITY_CONTROL || HRESULT_FACILITY(result.hr) == FACILITY_ITF ||
                            HRESULT_FACILITY(result.hr) == FACILITY_DISPATCH || result.hr == E_INVALIDARG ||
                            result.hr == E_POINTER)
                    << std::hex << result.hr;
            }
        }
    }

    Variant longText;
};

TEST_F(BadInput, RowCollectionMembers) {
    IDispatch* items_ = Disp(items.Get());
    Probe(items_, L"Item", DISPATCH_PROPERTYGET, 1, 0, Num(1));
    Probe(items_, L"Remove", DISPATCH_METHOD, 1, 0, Num(99));
    for (size_t slot = 0; slot < 3; ++slot) Probe(items_, L"Add", DISPATCH_METHOD, 3, slot, Missing());
    Probe(items_, L"HitTest", DISPATCH_METHOD, 2, 0, Dbl(1));
    Probe(items_, L"HitTest", DISPATCH_METHOD, 2, 1, Dbl(1));
    EXPECT_FALSE(Invoke(items_, L"Count", DISPATCH_PROPERTYPUT, {Num(3)}).Ok()) << "Count is read-only";
    EXPECT_FALSE(Invoke(items_, L"Nonexistent", DISPATCH_METHOD).Ok());
    EXPECT_FALSE(Call(items_, L"Remove").Ok()) << "a required argument left out";
}

TEST_F(BadInput, RowMembers) {
    auto row = Row(2);
    for (const wchar_t* name : {L"Text", L"Key", L"Tag", L"Selected", L"Index"})
        Probe(row.Get(), name, DISPATCH_PROPERTYPUT, 1, 0, Str(L""));
    Probe(row.Get(), L"SubItems", DISPATCH_PROPERTYGET, 1, 0, Num(1));
    Probe(row.Get(), L"SubItems", DISPATCH_PROPERTYPUT, 2, 0, Str(L"s"));
    Probe(row.Get(), L"SubItems", DISPATCH_PROPERTYPUT, 2, 1, Num(1));
    EXPECT_FALSE(Put(row.Get(), L"Top", Num(1)).Ok()) << "positions are read-only";
}

TEST_F(BadInput, ColumnMembers) {
    IDispatch* columns_ = Disp(columns.Get());
    for (size_t slot = 0; slot < 5; ++slot) Probe(columns_, L"Add", DISPATCH_METHOD, 5, slot, Missing());
    Probe(columns_, L"Item", DISPATCH_PROPERTYGET, 1, 0, Num(1));
    Probe(columns_, L"Remove", DISPATCH_METHOD, 1, 0, Num(99));
    auto column = Column(1);
    for (const wchar_t* name : {L"Text", L"Width", L"Visible", L"Alignment", L"Key", L"Tag", L"Index"})
        Probe(column.Get(), name, DISPATCH_PROPERTYPUT, 1, 0, Num(1));
}

TEST_F(BadInput, LongTextsAndUnicodeRoundTripWhole) {
    auto row = Row(1);
    ASSERT_TRUE(Put(row.Get(), L"Text", longText).Ok());
    EXPECT_EQ(AsText(Get(row.Get(), L"Text")).size(), size_t(1) << 20);
    const wchar_t unicode[] = L"\x00e9\x4e2d\xd83d\xde00 \x0000tail";
    Variant withNul;
    withNul.Ptr()->vt = VT_BSTR;
    withNul.Ptr()->bstrVal = SysAllocStringLen(unicode, 10);
    ASSERT_TRUE(Put(row.Get(), L"Key", withNul).Ok());
    auto key = Get(row.Get(), L"Key");
    EXPECT_EQ(SysStringLen(key.value.Get().bstrVal), 10u) << "embedded NUL kept";
    EXPECT_EQ(AsObject(Get(Disp(items.Get()), L"Item", {withNul})).Get(), row.Get());
}

TEST_F(BadInput, ArgumentsPassedByReferenceAreReadThrough) {
    Variant target = Str(L"k2");
    auto found = Get(Disp(items.Get()), L"Item", {ByRef(target.Ptr())});
    ASSERT_TRUE(found.Ok());
    EXPECT_EQ(AsText(Get(AsObject(found).Get(), L"Text")), L"t2");
    Variant position = Num(3);
    EXPECT_EQ(AsText(Get(AsObject(Get(Disp(items.Get()), L"Item", {ByRef(position.Ptr())})).Get(), L"Text")), L"t3");
}

TEST_F(BadInput, ObjectsAsKeysUseTheirDefaultValue) {
    auto first = Row(1);
    ASSERT_TRUE(Put(first.Get(), L"Text", Str(L"named")).Ok());
    auto added = Call(Disp(items.Get()), L"Add", {Missing(), Obj(first.Get())});
    ASSERT_TRUE(added.Ok());
    EXPECT_EQ(AsText(Get(AsObject(added).Get(), L"Key")), L"named");
    EXPECT_EQ(Get(AsObject(added).Get(), L"Key").value.Type(), VT_BSTR) << "no object is kept as a key";
    EXPECT_TRUE(Fails(Call(Disp(items.Get()), L"Add", {Missing(), Unknown(items->Unknown())}), kInvalidValue,
                      L"Invalid property value"));
}

}  // namespace
}  // namespace vel::test
