#include "ColumnPersistence.h"

#include <string>

namespace vel::roster {
namespace {

constexpr long kDefaultWidth = 150;
// A column's position is a 16-bit SortKey.
constexpr long kMaxColumns = 32767;

com::Variant Missing() {
    VARIANT raw{};
    raw.vt = VT_ERROR;
    raw.scode = DISP_E_PARAMNOTFOUND;
    return com::Variant(raw);
}

}  // namespace

std::vector<ColumnPersistence::SavedColumn> ColumnPersistence::Read(hosting::PropertyBag& bag) {
    long count = bag.ReadLong(L"NumColumns", 0);
    if (count < 0 || count > kMaxColumns) com::Raise(com::StandardError::InvalidPropertyValue);
    std::vector<SavedColumn> saved;
    int64_t widths = 0;
    for (long n = 1; n <= count; ++n) {
        std::wstring suffix = std::to_wstring(n);
        SavedColumn column;
        column.alignment = bag.ReadLong(L"ColAlignment" + suffix, 0);
        column.width = bag.ReadLong(L"ColInternalWidth" + suffix, kDefaultWidth);
        column.text = com::Bstr(bag.ReadString(L"ColText" + suffix, L""));
        column.key = bag.Read(L"ColKey" + suffix, com::Variant::FromString(L""));
        column.visible = bag.ReadBool(L"ColVisible" + suffix, true);
        widths += column.width < 0 ? -int64_t{column.width} : column.width;
        if (widths > VelColumnHeaders::kMaxWidthSum) com::Raise(com::StandardError::InvalidPropertyValue);
        saved.push_back(std::move(column));
    }
    return saved;
}

void ColumnPersistence::Append(const std::vector<SavedColumn>& saved, VelColumnHeaders& columns) {
    com::Variant missing = Missing();
    for (auto& stored : saved) {
        auto column = columns.AddColumn(missing.Get(), missing.Get(), missing.Get(), missing.Get(), missing.Get());
        column->SetAlignmentValue(stored.alignment);
        column->SetInternalWidth(stored.width);
        column->SetTextValue(stored.text);
        column->SetKeyValue(stored.key.Get());
        column->SetVisibleValue(stored.visible);
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
