#pragma once
#include "RosterPage.h"

namespace vel::roster {

// The list box's "Sorting" property page: SortKey, Sorted and SortOrder of the
// first selected list box.
class Sort : public RosterPage<Sort> {
public:
    Sort();

protected:
    void OnCreate(HWND window) override;
    void Terminate() override;
    void SelectionChanged() override;
    void ApplyChanges() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;

private:
    HWND txtSortKey_ = nullptr;
    HWND chkSorted_ = nullptr;
    HWND cboSortOrder_ = nullptr;
};

}  // namespace vel::roster
