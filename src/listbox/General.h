#pragma once
#include "RosterPage.h"

namespace vel::roster {

// The list box's "General" property page: appearance, border, OLE drop mode,
// selection highlight style, mouse pointer, Enabled and MultiSelect of the first
// selected list box.
class General : public RosterPage<General> {
public:
    General();

protected:
    void OnCreate(HWND window) override;
    void SelectionChanged() override;
    void ApplyChanges() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;

private:
    HWND cboAppearance_ = nullptr;
    HWND cboBorderStyle_ = nullptr;
    HWND cboDropMode_ = nullptr;
    HWND cboSelectionType_ = nullptr;
    HWND cboMousePointer_ = nullptr;
    HWND chkEnabled_ = nullptr;
    HWND chkMultiSelect_ = nullptr;
};

}  // namespace vel::roster
