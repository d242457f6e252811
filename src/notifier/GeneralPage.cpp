#include "GeneralPage.h"

#include "AutomationError.h"
#include "Bstr.h"
#include "Convert.h"
#include "NotifierPages.h"
#include "VelNotifier_h.h"

namespace vel::notifier {
namespace {

enum ChildId : int { kStyle = 101, kContinuous, kEnabled, kReverse, kInterval, kToolTip };

hosting::ComPtr<_VelNotifier> AsNotifier(IDispatch* control) {
    hosting::ComPtr<_VelNotifier> notifier;
    if (control) control->QueryInterface(IID_PPV_ARGS(&notifier));
    return notifier;
}

void Check(HWND box, bool on) { SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
VARIANT_BOOL Checked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? VARIANT_TRUE : VARIANT_FALSE;
}

void ThrowIfFailed(HRESULT hr) {
    if (FAILED(hr)) throw com::AutomationError(hr, L"The property could not be applied.");
}

}  // namespace

GeneralPage::GeneralPage() { SetPageInfo(L"General", {300, 190}); }

void GeneralPage::OnCreate(HWND page) {
    CreateChild(page, L"STATIC", L"Animation&Style:", 0, 0, {8, 10, 90, 16});
    cboAnimationStyle_ = CreateChild(page, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kStyle,
                                     {100, 8, 150, 100});
    SendMessageW(cboAnimationStyle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"0 - velCycle"));
    SendMessageW(cboAnimationStyle_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"1 - velPingPong"));
    chkContinuous_ = CreateChild(page, L"BUTTON", L"&Continuous", BS_AUTOCHECKBOX | WS_TABSTOP, kContinuous,
                                 {8, 36, 150, 18});
    chkEnabled_ = CreateChild(page, L"BUTTON", L"&Enabled", BS_AUTOCHECKBOX | WS_TABSTOP, kEnabled, {8, 58, 150, 18});
    chkReverseAnimation_ = CreateChild(page, L"BUTTON", L"&ReverseAnimation", BS_AUTOCHECKBOX | WS_TABSTOP, kReverse,
                                       {8, 80, 150, 18});
    CreateChild(page, L"STATIC", L"&Interval:", 0, 0, {8, 108, 90, 16});
    // The interval box takes digits only: letters and minus signs typed into it are dropped.
    txtInterval_ = CreateChild(page, L"EDIT", L"", ES_AUTOHSCROLL | ES_NUMBER | WS_TABSTOP, kInterval,
                               {100, 106, 80, 20}, WS_EX_CLIENTEDGE);
    CreateChild(page, L"STATIC", L"&ToolTipText:", 0, 0, {8, 136, 90, 16});
    txtToolTipText_ = CreateChild(page, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kToolTip, {100, 134, 190, 20},
                                  WS_EX_CLIENTEDGE);
}

// Reading the control changes the boxes as a user would, so the page is changed afterwards.
void GeneralPage::SelectionChanged() {
    auto notifier = AsNotifier(FirstSelected());
    if (!notifier) return;
    VelAnimationStyleConstants style = velCycle;
    VARIANT_BOOL continuous = VARIANT_FALSE, enabled = VARIANT_FALSE, reverse = VARIANT_FALSE;
    short interval = 0;
    com::Bstr tip;
    notifier->get_AnimationStyle(&style);
    notifier->get_Continuous(&continuous);
    notifier->get_Enabled(&enabled);
    notifier->get_Interval(&interval);
    notifier->get_ReverseAnimation(&reverse);
    notifier->get_ToolTipText(tip.Out());
    SendMessageW(cboAnimationStyle_, CB_SETCURSEL, static_cast<WPARAM>(style), 0);
    auto changedBy = [&](HWND box, bool on) {
        if ((SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED) == on) return;
        Check(box, on);
        SetChanged(true);
    };
    changedBy(chkContinuous_, continuous != VARIANT_FALSE);
    changedBy(chkEnabled_, enabled != VARIANT_FALSE);
    SetWindowTextW(txtInterval_, std::to_wstring(interval).c_str());
    changedBy(chkReverseAnimation_, reverse != VARIANT_FALSE);
    SetWindowTextW(txtToolTipText_, tip.CStr());
}

void GeneralPage::ApplyChanges() {
    auto notifier = AsNotifier(FirstSelected());
    if (!notifier) return;
    auto style = SendMessageW(cboAnimationStyle_, CB_GETCURSEL, 0, 0);
    ThrowIfFailed(notifier->put_AnimationStyle(static_cast<VelAnimationStyleConstants>(style < 0 ? 0 : style)));
    ThrowIfFailed(notifier->put_Continuous(Checked(chkContinuous_)));
    ThrowIfFailed(notifier->put_Enabled(Checked(chkEnabled_)));
    com::Variant interval = com::Variant::FromString(WindowText(txtInterval_));
    ThrowIfFailed(notifier->put_Interval(com::ToShort(interval.Get())));
    ThrowIfFailed(notifier->put_ReverseAnimation(Checked(chkReverseAnimation_)));
    ThrowIfFailed(notifier->put_ToolTipText(com::Bstr(WindowText(txtToolTipText_)).Get()));
    SetChanged(false);
}

std::optional<LRESULT> GeneralPage::OnMessage(UINT message, WPARAM w, LPARAM l) {
    if (message != WM_COMMAND) return std::nullopt;
    const int id = LOWORD(w), code = HIWORD(w);
    auto box = reinterpret_cast<HWND>(l);
    if ((id == kContinuous || id == kEnabled || id == kReverse) && code == BN_CLICKED) SetChanged(true);
    if ((id == kInterval || id == kToolTip) && code == EN_CHANGE) SetChanged(true);
    if ((id == kInterval || id == kToolTip) && code == EN_SETFOCUS) highlight_.GotFocus(box);
    return std::nullopt;
}

}  // namespace vel::notifier
