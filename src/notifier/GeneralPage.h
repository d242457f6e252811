#pragma once
#include <windows.h>

#include "CHighlightText.h"
#include "PropertyPage.h"

namespace vel::notifier {

// The notifier's scalar properties: animation style, continuous, enabled, reverse,
// interval and tip text. Edits mark the page changed; Apply writes them to the first
// selected notifier.
class GeneralPage : public hosting::PropertyPage<GeneralPage> {
public:
    GeneralPage();

protected:
    void OnCreate(HWND window) override;
    void SelectionChanged() override;
    void ApplyChanges() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM w, LPARAM l) override;

private:
    HWND cboAnimationStyle_ = nullptr;
    HWND chkContinuous_ = nullptr;
    HWND chkEnabled_ = nullptr;
    HWND chkReverseAnimation_ = nullptr;
    HWND txtInterval_ = nullptr;
    HWND txtToolTipText_ = nullptr;
    drawing::CHighlightText highlight_;
};

}  // namespace vel::notifier
