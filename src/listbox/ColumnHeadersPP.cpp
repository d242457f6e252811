#include "ColumnHeadersPP.h"

#include "AutomationError.h"
#include "Convert.h"

namespace vel::roster {
namespace {

using hosting::LateBound;
using hosting::PageLayout;

enum FieldId { kIndex = 100, kAlignment, kText, kKey, kTag, kWidth, kVisible, kAdd, kRemove };

constexpr OLE_COLOR kButtonFace = 0x8000000F;
constexpr OLE_COLOR kWindow = 0x80000005;

// The text a field shows for a value; nothing for values without one (Null, objects).
std::wstring Shown(const com::Variant& value) {
    auto text = com::TextOf(value.Get());
    return text ? std::wstring(text->View()) : std::wstring();
}

// Whether a field's text differs from the value it was loaded from. A value that
// has no text was shown as an empty field and is kept while the field stays empty.
bool Differs(const com::Variant& value, const std::wstring& field) {
    auto text = com::TextOf(value.Get());
    return text ? text->View() != field : !field.empty();
}

bool SameObject(IUnknown* a, IUnknown* b) {
    com::ComPtr<IUnknown> first, second;
    return a && b && SUCCEEDED(a->QueryInterface(IID_PPV_ARGS(&first))) &&
           SUCCEEDED(b->QueryInterface(IID_PPV_ARGS(&second))) && first.Get() == second.Get();
}

int EntryCount(HWND list) { return static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0)); }

}  // namespace

ColumnHeadersPP::ColumnHeadersPP() : RosterPage(L"ColumnHeaders", 250, 98) {}

void ColumnHeadersPP::OnCreate(HWND window) {
    StartHighlighting();
    PageLayout& fields = Layout();
    fields.SetParent(window);
    fields.Label(L"&Index:", 7, 9, 42);
    cboIndex_ = fields.List(kIndex, 52, 7, 40, {});
    cmdAdd_ = fields.Button(kAdd, L"&Insert Column", 110, 6, 64);
    cmdRemove_ = fields.Button(kRemove, L"&Remove Column", 179, 6, 64);
    fields.Label(L"&Text:", 7, 29, 42);
    txtText_ = fields.TextBox(kText, 52, 27, 191);
    fields.Label(L"Align&ment:", 7, 47, 42);
    cboAlignment_ = fields.List(kAlignment, 52, 45, 78, {});
    FillAlignmentList();
    fields.Label(L"&Width:", 138, 47, 30);
    txtWidth_ = fields.TextBox(kWidth, 171, 45, 72);
    fields.Label(L"&Key:", 7, 65, 42);
    txtKey_ = fields.TextBox(kKey, 52, 63, 78);
    fields.Label(L"Ta&g:", 138, 65, 30);
    txtTag_ = fields.TextBox(kTag, 171, 63, 72);
    chkVisible_ = fields.CheckBox(kVisible, L"&Visible", 52, 82, 60);
}

void ColumnHeadersPP::Terminate() {
    StopHighlighting();
    shown_.Reset();
}

void ColumnHeadersPP::FillAlignmentList() {
    for (const wchar_t* item : {L"0 - velLeftJustify", L"1 - velRightJustify", L"2 - velCenter"})
        SendMessageW(cboAlignment_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
}

LateBound ColumnHeadersPP::Columns() const { return Control().GetObject(L"ColumnHeaders"); }

void ColumnHeadersPP::SelectionChanged() {
    LoadIndexList();
    if (EntryCount(cboIndex_) > 0) ShowColumn();
    SetChanged(false);
    UpdateEnabledState();
}

void ColumnHeadersPP::LoadIndexList() {
    LateBound columns = Columns();
    const long count = com::ToLong(columns.Get(L"Count").Get());
    {
        Filling filling(*this);
        SendMessageW(cboIndex_, CB_RESETCONTENT, 0, 0);
        for (long position = 1; position <= count; ++position) {
            std::wstring index = Shown(columns.GetObject(L"Item", {com::Variant::FromLong(position)}).Get(L"Index"));
            SendMessageW(cboIndex_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(index.c_str()));
        }
    }
    if (count == 0) {
        current_ = -1;
        shown_.Reset();
    } else {
        // A position from before the list had entries (or past its end) shows the first.
        SelectEntry(current_ < 0 || current_ >= count ? 0 : static_cast<int>(current_));
    }
}

void ColumnHeadersPP::SelectEntry(int position) {
    {
        Filling filling(*this);
        PageLayout::SetListIndex(cboIndex_, position);
    }
    IndexClicked();
}

// Another column was chosen: pending edits go to the column shown until now.
void ColumnHeadersPP::IndexClicked() {
    if (Changed()) ApplyColumn();
    const int position = PageLayout::ListIndex(cboIndex_);
    if (position < 0) return;
    ShowColumn();
    current_ = position;
}

void ColumnHeadersPP::ShowColumn() {
    const int position = PageLayout::ListIndex(cboIndex_);
    if (position < 0) return;
    LateBound column = Columns().GetObject(L"Item", {com::Variant::FromLong(position + 1)});
    {
        Filling filling(*this);
        PageLayout::SetListIndex(cboAlignment_, com::ToLong(column.Get(L"Alignment").Get()));
        PageLayout::SetText(txtWidth_, Shown(column.Get(L"Width")));
        PageLayout::SetText(txtTag_, Shown(column.Get(L"Tag")));
        PageLayout::SetText(txtText_, Shown(column.Get(L"Text")));
        PageLayout::SetText(txtKey_, Shown(column.Get(L"Key")));
        PageLayout::SetChecked(chkVisible_, com::ToBool(column.Get(L"Visible").Get()));
    }
    shown_ = column.Object();
    SetChanged(false);
}

long ColumnHeadersPP::ShownPosition() const {
    if (!shown_) return 0;
    try {
        long index = com::ToLong(LateBound(shown_).Get(L"Index").Get());
        LateBound columns = Columns();
        if (index < 1 || index > com::ToLong(columns.Get(L"Count").Get())) return 0;
        LateBound there = columns.GetObject(L"Item", {com::Variant::FromLong(index)});
        return SameObject(there.Object(), shown_.Get()) ? index : 0;
    } catch (const com::AutomationError&) {
        return 0;
    }
}

void ColumnHeadersPP::Report(const com::AutomationError& error) {
    ShowMessage(error.Description(), MB_OK | MB_ICONINFORMATION);
}

// Writes the fields that differ from the shown column. A refused value is
// reported and the other fields still go in; the fields then show the column as
// it is. A column that other code removed meanwhile is left alone.
void ColumnHeadersPP::ApplyColumn() {
    if (!ShownPosition()) {
        SetChanged(false);
        return;
    }
    LateBound column(shown_);
    bool failed = false;
    auto attempt = [&](auto&& write) {
        try {
            write();
        } catch (const com::AutomationError& error) {
            Report(error);
            failed = true;
        }
    };
    attempt([&] {
        // A list showing no item (an alignment the list does not offer) keeps the value.
        int alignment = PageLayout::ListIndex(cboAlignment_);
        if (alignment >= 0 && alignment != com::ToLong(column.Get(L"Alignment").Get()))
            column.Put(L"Alignment", com::Variant::FromLong(alignment));
    });
    auto writeText = [&](const wchar_t* name, HWND field) {
        attempt([&] {
            std::wstring text = PageLayout::Text(field);
            if (Differs(column.Get(name), text)) column.Put(name, com::Variant::FromString(text));
        });
    };
    writeText(L"Tag", txtTag_);
    writeText(L"Text", txtText_);
    writeText(L"Key", txtKey_);
    attempt([&] {
        bool visible = PageLayout::Checked(chkVisible_);
        if (visible != com::ToBool(column.Get(L"Visible").Get()))
            column.Put(L"Visible", com::Variant::FromBool(visible));
    });
    writeText(L"Width", txtWidth_);
    if (failed && PageLayout::ListIndex(cboIndex_) >= 0) attempt([&] { ShowColumn(); });
    SetChanged(false);
}

void ColumnHeadersPP::ApplyChanges() {
    ApplyColumn();
    Resynchronise();
}

bool ColumnHeadersPP::Resynchronise() {
    if (EntryCount(cboIndex_) == com::ToLong(Columns().Get(L"Count").Get()) && (!shown_ || ShownPosition())) return false;
    if (Changed()) ApplyColumn();
    LoadIndexList();
    UpdateEnabledState();
    return true;
}

// Inserts a column before the shown one (or appends one to an empty list) and goes
// on showing the column that was shown, at its new position.
void ColumnHeadersPP::InsertColumn() {
    if (Changed()) ApplyColumn();
    if (Resynchronise()) return;
    const long before = ShownPosition();
    LateBound columns = Columns();
    com::Variant added;
    try {
        added = before ? columns.Call(L"Add", {com::Variant::FromLong(before)}) : columns.Call(L"Add");
    } catch (const com::AutomationError& error) {
        Report(error);
        return;
    }
    if (added.Type() == VT_DISPATCH && added.Get().pdispVal) {
        if (before) current_ = before - 1;
        LoadIndexList();
        SelectEntry(static_cast<int>(before));
    }
    UpdateEnabledState();
    SetFocus(txtText_);
}

void ColumnHeadersPP::RemoveColumn() {
    if (Resynchronise()) return;
    const long position = ShownPosition();
    if (!position) return;
    try {
        Columns().Call(L"Remove", {com::Variant::FromLong(position)});
    } catch (const com::AutomationError& error) {
        Report(error);
    }
    // Edits of the removed column go with it.
    SetChanged(false);
    shown_.Reset();
    current_ = 0;
    LoadIndexList();
    UpdateEnabledState();
}

void ColumnHeadersPP::UpdateEnabledState() {
    const bool any = EntryCount(cboIndex_) > 0;
    if (!any) {
        Filling filling(*this);
        PageLayout::SetListIndex(cboAlignment_, 0);
        for (HWND text : {txtText_, txtKey_, txtTag_, txtWidth_}) PageLayout::SetText(text, L"");
        PageLayout::SetChecked(chkVisible_, false);
        shown_.Reset();
    }
    HWND focus = GetFocus();
    for (HWND field : {cboIndex_, cboAlignment_, txtText_, txtKey_, txtTag_, txtWidth_, cmdRemove_, chkVisible_}) {
        EnableWindow(field, any);
        // The keyboard focus never stays on a field that was just disabled.
        if (!any && (field == focus || IsChild(field, focus))) SetFocus(cmdAdd_);
    }
    SetFieldColours();
}

void ColumnHeadersPP::SetFieldColours() {
    const int count = EntryCount(cboIndex_);
    if (count > 1) return;
    const OLE_COLOR colour = count == 0 ? kButtonFace : kWindow;
    for (HWND field : {cboIndex_, cboAlignment_, txtText_, txtKey_, txtTag_, txtWidth_}) {
        colours_[field] = colour;
        InvalidateRect(field, nullptr, TRUE);
    }
}

// The background of a field with a colour of its own (system colours only).
std::optional<LRESULT> ColumnHeadersPP::FieldColour(WPARAM dc, LPARAM field) const {
    auto found = colours_.find(reinterpret_cast<HWND>(field));
    if (found == colours_.end()) return std::nullopt;
    const int index = static_cast<int>(found->second & 0xFF);
    SetBkColor(reinterpret_cast<HDC>(dc), GetSysColor(index));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(index));
}

std::optional<LRESULT> ColumnHeadersPP::OnMessage(UINT message, WPARAM w, LPARAM l) {
    if (ForwardToHighlight(message, w, l)) return std::nullopt;
    switch (message) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORLISTBOX: return FieldColour(w, l);
        case WM_COMMAND: break;
        default: return std::nullopt;
    }
    const int id = LOWORD(w);
    const WORD code = HIWORD(w);
    if (id == kIndex && code == CBN_SELCHANGE && IsEdit(w)) {
        if (!Resynchronise()) IndexClicked();
    } else if (id == kAdd && code == BN_CLICKED) {
        InsertColumn();
    } else if (id == kRemove && code == BN_CLICKED) {
        RemoveColumn();
    } else if (IsEdit(w)) {
        SetChanged(true);
    } else {
        return std::nullopt;
    }
    return 0;
}

}  // namespace vel::roster
