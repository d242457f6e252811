#include "ColumnPersistence.h"

#include <string>

namespace vel::roster {
namespace {

constexpr long kDefaultWidth = 150;

com::Variant Missing() {
    VARIANT raw{};
    raw.vt = VT_ERROR;
    raw.scode = DISP_E_PARAMNOTFOUND;
    return com::Variant(raw);
}

}  // namespace

void ColumnPersistence::Read(hosting::PropertyBag& bag, VelColumnHeaders& columns) {
    long count = bag.ReadLong(L"NumColumns", 0);
    com::Variant missing = Missing();
    for (long n = 1; n <= count; ++n) {
        std::wstring suffix = std::to_wstring(n);
        auto column = columns.AddColumn(missing.Get(), missing.Get(), missing.Get(), missing.Get(), missing.Get());
        column->SetAlignmentValue(bag.ReadLong(L"ColAlignment" + suffix, 0));
        column->SetInternalWidth(bag.ReadLong(L"ColInternalWidth" + suffix, kDefaultWidth));
        column->SetTextValue(com::Bstr(bag.ReadString(L"ColText" + suffix, L"")));
        column->SetKeyValue(bag.Read(L"ColKey" + suffix, com::Variant::FromString(L"")).Get());
        column->SetVisibleValue(bag.ReadBool(L"ColVisible" + suffix, true));
    }
}

void ColumnPersistence::Write(hosting::PropertyBag& bag, const VelColumnHeaders& columns) {
    bag.WriteLong(L"NumColumns", columns.Count(), 0);
    for (auto& column : columns.All()) {
        std::wstring suffix = std::to_wstring(column->IndexValue());
        bag.WriteLong(L"ColAlignment" + suffix, column->AlignmentValue(), 0);
        bag.WriteLong(L"ColInternalWidth" + suffix, column->GetInternalWidth(), kDefaultWidth);
        bag.WriteString(L"ColText" + suffix, column->TextValue().View(), L"");
        bag.Write(L"ColKey" + suffix, com::Variant(column->KeyValue()), com::Variant::FromString(L""));
        bag.WriteBool(L"ColVisible" + suffix, column->IsVisible(), true);
    }
}

}  // namespace vel::roster
