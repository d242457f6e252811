#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "CCommonDialog.h"
#include "CHighlightText.h"
#include "IconStrip.h"
#include "PropertyPage.h"
#include "VelNotifier_h.h"

namespace vel::notifier {

// The notifier's icons: a strip of the pictures, the selected icon's key, name and
// tag, and buttons that add an icon from a file (after the selected one) or remove
// the selected one. Adding and removing change the collection at once; the text
// fields are written on Apply or when another icon is chosen.
class IconsPage : public hosting::PropertyPage<IconsPage>, private IconStrip::Events {
public:
    IconsPage();

    // The file dialog, for tests that drive it.
    CCommonDialog& Dialog() { return dialog_; }

protected:
    void OnCreate(HWND window) override;
    void SelectionChanged() override;
    void ApplyChanges() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;

private:
    // The strip.
    void StripPressed(long x) override;
    void StripArrow(int step) override;
    void StripFocusChanged(bool focused) override;

    com::ComPtr<_VelIcons> Icons() const;
    long IconCount() const;
    long ListIndex() const;
    void SelectEntry(long listIndex);
    void FillIndexList();
    void LoadIconFields();
    void SaveIconFields();
    void DrawStrip();
    void UpdateCountLabel();
    void UpdateFieldsEnabled();
    void RefreshLayout();
    std::wstring GetIconFileName();
    void IndexChosen();
    void AddIcon();
    void RemoveIcon();
    void ShowError(const std::wstring& text);

    std::optional<IconStrip> strip_;
    HWND cboIndex_ = nullptr;
    HWND txtKey_ = nullptr;
    HWND txtName_ = nullptr;
    HWND txtTag_ = nullptr;
    HWND cmdRemove_ = nullptr;
    HWND lblNumImages_ = nullptr;
    CCommonDialog dialog_;
    drawing::CHighlightText highlight_;
    short selectedPos_ = -1;
    std::wstring lastFile_;
    bool filling_ = false;
};

}  // namespace vel::notifier
