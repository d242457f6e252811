#include "General.h"

#include "AutomationError.h"
#include "Convert.h"

namespace vel::roster {
namespace {

using hosting::PageLayout;

enum FieldId { kAppearance = 100, kBorderStyle, kDropMode, kSelectionType, kMousePointer, kEnabled, kMultiSelect };

// The custom pointer is the last item of the list and has the value 99.
constexpr long kCustomPointer = 99;
constexpr int kCustomPointerItem = 16;

long LongOf(const com::Variant& value) { return com::ToLong(value.Get()); }

}  // namespace

General::General() : RosterPage(L"General", 250, 95) {}

void General::OnCreate(HWND window) {
    PageLayout& fields = Layout();
    fields.SetParent(window);
    fields.Label(L"A&ppearance:", 7, 7, 112);
    cboAppearance_ = fields.List(kAppearance, 7, 17, 112, {L"0 - velFlat", L"1- vel3D"});
    fields.Label(L"&BorderStyle:", 7, 33, 112);
    cboBorderStyle_ = fields.List(kBorderStyle, 7, 43, 112, {L"0 - velNone", L"1 - velFixed Single"});
    fields.Label(L"OLE&DropMode:", 7, 59, 112);
    cboDropMode_ = fields.List(kDropMode, 7, 69, 112, {L"0 - velNone", L"1 - velManual"});
    fields.Label(L"Selection&Type:", 131, 7, 112);
    cboSelectionType_ = fields.List(kSelectionType, 131, 17, 112, {L"0 - velListBox", L"1 - velListView"});
    fields.Label(L"&MousePointer:", 131, 33, 112);
    cboMousePointer_ = fields.List(
        kMousePointer, 131, 43, 112,
        {L"0 - vbDefault", L"1 - vbArrow", L"2 - vbCrossHair", L"3 - vbIbeam", L"4 - vbIconPointer",
         L"5 - vbSizePointer", L"6 - vbSizeNESW", L"7 - vbSizeNS", L"8 - vbSizeNWSE", L"9 - vbSizeWE",
         L"10 - vbUpArrow", L"11 - vbHourglass", L"12 - vbNoDrop", L"13 - vbArrowHourglass",
         L"14 - vbArrowQuestion", L"15 - vbSizeAll", L"99 - vbCustom"});
    chkEnabled_ = fields.CheckBox(kEnabled, L"&Enabled", 131, 62, 112);
    chkMultiSelect_ = fields.CheckBox(kMultiSelect, L"Multi&Select", 131, 76, 112);
}

void General::SelectionChanged() {
    hosting::LateBound control = Control();
    Filling filling(*this);
    PageLayout::SetListIndex(cboDropMode_, LongOf(control.Get(L"OLEDropMode")));
    PageLayout::SetChecked(chkEnabled_, com::ToBool(control.Get(L"Enabled").Get()));
    PageLayout::SetChecked(chkMultiSelect_, com::ToBool(control.Get(L"MultiSelect").Get()));
    PageLayout::SetListIndex(cboBorderStyle_, LongOf(control.Get(L"BorderStyle")));
    PageLayout::SetListIndex(cboAppearance_, LongOf(control.Get(L"Appearance")));
    PageLayout::SetListIndex(cboSelectionType_, LongOf(control.Get(L"SelectionType")));
    long pointer = LongOf(control.Get(L"MousePointer"));
    PageLayout::SetListIndex(cboMousePointer_, pointer == kCustomPointer ? kCustomPointerItem : pointer);
}

// Writes in a fixed order and stops quietly at the first property the control
// refuses; the page then stays changed. A list showing no item (the control held
// a value the list does not offer) leaves its property alone.
void General::ApplyChanges() {
    hosting::LateBound control = Control();
    auto putPosition = [&](const wchar_t* name, HWND list) {
        int position = PageLayout::ListIndex(list);
        if (position >= 0) control.Put(name, com::Variant::FromLong(position));
    };
    try {
        putPosition(L"OLEDropMode", cboDropMode_);
        control.Put(L"Enabled", com::Variant::FromBool(PageLayout::Checked(chkEnabled_)));
        control.Put(L"MultiSelect", com::Variant::FromBool(PageLayout::Checked(chkMultiSelect_)));
        putPosition(L"Appearance", cboAppearance_);
        putPosition(L"BorderStyle", cboBorderStyle_);
        putPosition(L"SelectionType", cboSelectionType_);
        int pointer = PageLayout::ListIndex(cboMousePointer_);
        if (pointer >= 0)
            control.Put(L"MousePointer",
                        com::Variant::FromLong(pointer == kCustomPointerItem ? kCustomPointer : pointer));
    } catch (const com::AutomationError&) {
        return;
    }
    SetChanged(false);
}

std::optional<LRESULT> General::OnMessage(UINT message, WPARAM w, LPARAM) {
    if (message != WM_COMMAND || !IsEdit(w)) return std::nullopt;
    SetChanged(true);
    return 0;
}

}  // namespace vel::roster
