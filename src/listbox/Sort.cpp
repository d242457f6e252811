#include "Sort.h"

#include "AutomationError.h"
#include "Convert.h"

namespace vel::roster {
namespace {

using hosting::PageLayout;

enum FieldId { kSortKey = 100, kSorted, kSortOrder };

}  // namespace

Sort::Sort() : RosterPage(L"Sorting", 250, 60) {}

void Sort::OnCreate(HWND window) {
    StartHighlighting();
    PageLayout& fields = Layout();
    fields.SetParent(window);
    fields.Label(L"Sort&Key:", 7, 9, 42);
    txtSortKey_ = fields.TextBox(kSortKey, 52, 7, 50);
    chkSorted_ = fields.CheckBox(kSorted, L"&Sorted", 52, 25, 60);
    fields.Label(L"Sort&Order:", 7, 43, 42);
    cboSortOrder_ = fields.List(kSortOrder, 52, 41, 90, {L"0 - velAscending", L"1 - velDescending"});
}

void Sort::Terminate() { StopHighlighting(); }

void Sort::SelectionChanged() {
    hosting::LateBound control = Control();
    {
        Filling filling(*this);
        PageLayout::SetText(txtSortKey_, com::ToText(control.Get(L"SortKey").Get()).View());
        PageLayout::SetChecked(chkSorted_, com::ToBool(control.Get(L"Sorted").Get()));
        PageLayout::SetListIndex(cboSortOrder_, com::ToLong(control.Get(L"SortOrder").Get()));
    }
    SetChanged(false);
}

// An error stops the sequence and reaches the frame, which reports it; the page
// stays changed so that the user can correct the field.
void Sort::ApplyChanges() {
    hosting::LateBound control = Control();
    // The key is checked here against the columns the control has, so that an
    // out-of-range key fails the apply instead of leaving the field and the
    // control disagreeing behind a success.
    short key = com::ToShort(com::Variant::FromString(PageLayout::Text(txtSortKey_)).Get());
    long columns = com::ToLong(control.GetObject(L"ColumnHeaders").Get(L"Count").Get());
    if (key < 0 || key > columns)
        throw com::AutomationError(com::RuntimeErrorResult(380),
                                   L"SortKey value must be between 0 and the number of ColumnHeaders.");
    control.Put(L"SortKey", com::Variant::FromLong(key));
    control.Put(L"Sorted", com::Variant::FromBool(PageLayout::Checked(chkSorted_)));
    int order = PageLayout::ListIndex(cboSortOrder_);
    if (order >= 0) control.Put(L"SortOrder", com::Variant::FromLong(order));
    SetChanged(false);
}

std::optional<LRESULT> Sort::OnMessage(UINT message, WPARAM w, LPARAM l) {
    if (ForwardToHighlight(message, w, l)) return std::nullopt;
    if (message != WM_COMMAND || !IsEdit(w)) return std::nullopt;
    SetChanged(true);
    return 0;
}

}  // namespace vel::roster
