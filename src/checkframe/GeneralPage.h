#pragma once
#include <windows.h>

#include <array>

#include "CHighlightText.h"
#include "PropertyPage.h"

namespace vel::checkframe {

// The check frame's General property page: two check boxes, the caption text box
// and six drop-down lists for the frame's settings. It reads the first selected
// frame when the selection changes and writes the same nine properties back to it,
// in the same order, when the frame applies; other selected frames are left alone.
class GeneralPage : public hosting::PropertyPage<GeneralPage> {
public:
    GeneralPage();

protected:
    void OnCreate(HWND window) override;
    void SelectionChanged() override;
    void ApplyChanges() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;

private:
    enum List { cboAlignment, cboValue, cboAppearance, cboBorderStyle, cboMousePointer, cboDropMode, kListCount };

    HWND AddChild(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, int id, RECT place);
    void FillList(List list, std::initializer_list<const wchar_t*> entries);
    long ListValue(List list) const;
    void SelectListValue(List list, long value);

    HWND chkUseMaskColor_ = nullptr;
    HWND chkEnabled_ = nullptr;
    HWND txtCaption_ = nullptr;
    std::array<HWND, kListCount> lists_{};
    drawing::CHighlightText highlight_;
};

}  // namespace vel::checkframe
