#include "AboutBox.h"

#include <algorithm>
#include <utility>

#include "Centring.h"
#include "ModuleVersion.h"

namespace vel::about {

namespace {

constexpr DWORD kBoxStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
// Text lines show titles containing '&' as they are and cut what does not fit.
constexpr DWORD kLineStyle = SS_CENTER | SS_NOPREFIX | SS_ENDELLIPSIS;
constexpr DWORD kOkStyle = BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP;

constexpr short kMargin = 10;
constexpr short kLineHeight = 10;
constexpr short kTitleTop = 12;
constexpr short kVersionTop = 26;
constexpr short kButtonTop = 46;
constexpr short kButtonWidth = 50;
constexpr short kButtonHeight = 14;
constexpr short kBoxHeight = kButtonTop + kButtonHeight + 8;
// Generous for an average character of the dialog font (4 dialog units), so a
// title of ordinary length is never cut.
constexpr short kUnitsPerCharacter = 6;
constexpr short kMinimumWidth = 180;
constexpr short kMaximumWidth = 400;

}  // namespace

AboutBox::AboutBox(HINSTANCE module, std::wstring title, std::wstring versionText)
    : module_(module), title_(std::move(title)), versionText_(std::move(versionText)) {}

AboutBox AboutBox::WithModuleVersion(HINSTANCE module, std::wstring title) {
    const auto version = ModuleVersion::Of(module);
    return AboutBox(module, std::move(title), version ? version->Text() : std::wstring());
}

bool AboutBox::Show(HWND owner) const {
    const DialogTemplate dialog = BuildTemplate();
    HWND topLevelOwner = TopLevelOf(owner);
    ShowState state{topLevelOwner, topLevelOwner && IsWindowEnabled(topLevelOwner)};
    // The dialog manager runs the modal loop: it makes the owner's top-level window
    // the box's owner and disables it for as long as the box is shown.
    const INT_PTR result = DialogBoxIndirectParamW(module_, dialog.Get(), owner, DialogProcedure,
                                                   reinterpret_cast<LPARAM>(&state));
    return result > 0;
}

HWND AboutBox::TopLevelOf(HWND window) {
    return window ? GetAncestor(window, GA_ROOT) : nullptr;
}

std::wstring AboutBox::Caption() const { return L"About " + title_; }

DialogTemplate AboutBox::BuildTemplate() const {
    const short width = WidthInDialogUnits();
    const short lineWidth = width - 2 * kMargin;
    DialogTemplate dialog(kBoxStyle, Caption(), {0, 0, width, kBoxHeight}, L"MS Shell Dlg", 8);
    dialog.AddControl(kTitleId, DialogTemplate::kStaticClass, kLineStyle, title_,
                      {kMargin, kTitleTop, lineWidth, kLineHeight});
    dialog.AddControl(kVersionId, DialogTemplate::kStaticClass, kLineStyle, versionText_,
                      {kMargin, kVersionTop, lineWidth, kLineHeight});
    dialog.AddControl(kOkId, DialogTemplate::kButtonClass, kOkStyle, L"OK",
                      {static_cast<short>((width - kButtonWidth) / 2), kButtonTop, kButtonWidth, kButtonHeight});
    return dialog;
}

short AboutBox::WidthInDialogUnits() const {
    const size_t longest = std::max({Caption().size(), title_.size(), versionText_.size()});
    const size_t wanted = longest * kUnitsPerCharacter + 2 * kMargin;
    return static_cast<short>(std::clamp<size_t>(wanted, kMinimumWidth, kMaximumWidth));
}

INT_PTR CALLBACK AboutBox::DialogProcedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrW(box, DWLP_USER, lParam);
        // The dialog manager has made the owner's top-level window the box's owner.
        Centring::PlaceOver(box, GetWindow(box, GW_OWNER));
        return TRUE;  // focus to the OK button
    case WM_COMMAND:
        return OnCommand(box, LOWORD(wParam));
    default:
        return FALSE;
    }
}

bool AboutBox::OnCommand(HWND box, WORD id) {
    // Enter arrives as IDOK; Escape and the close box as IDCANCEL.
    if (id != IDOK && id != IDCANCEL) return false;
    Close(box, id);
    return true;
}

void AboutBox::Close(HWND box, WORD id) {
    const auto* state = reinterpret_cast<const ShowState*>(GetWindowLongPtrW(box, DWLP_USER));
    // Some dialog managers enable the owner in EndDialog even when it was disabled
    // before the box came (shown from another modal window over the same form);
    // that window's modality must survive the box.
    EndDialog(box, id);
    if (state && state->topLevelOwner && !state->ownerWasEnabled) EnableWindow(state->topLevelOwner, FALSE);
}

}  // namespace vel::about
