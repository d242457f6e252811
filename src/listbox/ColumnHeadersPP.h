#pragma once
#include <map>

#include "AutomationError.h"
#include "RosterPage.h"

namespace vel::roster {

// The list box's "ColumnHeaders" property page: the columns of the first selected
// list box, one at a time. It works on the live collection: Insert Column and
// Remove Column change it at once, field edits are written when the page applies
// or another column is chosen.
//
// The fields belong to the column they were loaded from (held by identity), so
// that columns added or removed by other code while the page is open never
// receive another column's values.
class ColumnHeadersPP : public RosterPage<ColumnHeadersPP> {
public:
    ColumnHeadersPP();

protected:
    void OnCreate(HWND window) override;
    void Terminate() override;
    void SelectionChanged() override;
    void ApplyChanges() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;

private:
    hosting::LateBound Columns() const;
    void FillAlignmentList();
    void LoadIndexList();
    void SelectEntry(int position);
    void IndexClicked();
    void ShowColumn();
    void ApplyColumn();
    void InsertColumn();
    void RemoveColumn();
    void UpdateEnabledState();
    void SetFieldColours();
    // The shown column's position in the collection, 0 when it is no longer there.
    long ShownPosition() const;
    // Reloads the list when other code added or removed columns; true if it did.
    bool Resynchronise();
    void Report(const com::AutomationError& error);
    std::optional<LRESULT> FieldColour(WPARAM dc, LPARAM field) const;

    HWND cboIndex_ = nullptr;
    HWND cboAlignment_ = nullptr;
    HWND txtText_ = nullptr;
    HWND txtKey_ = nullptr;
    HWND txtTag_ = nullptr;
    HWND txtWidth_ = nullptr;
    HWND chkVisible_ = nullptr;
    HWND cmdAdd_ = nullptr;
    HWND cmdRemove_ = nullptr;
    // The list position of the column whose values the fields hold; -1 for none.
    long current_ = -1;
    com::ComPtr<IDispatch> shown_;
    std::map<HWND, OLE_COLOR> colours_;
};

}  // namespace vel::roster
