#include "GeneralPage.h"

#include <string>

#include "AutomationError.h"
#include "Bstr.h"
#include "VelLatchPanel_h.h"

namespace vel::checkframe {
namespace {

constexpr int kUseMaskColorId = 101;
constexpr int kEnabledId = 102;
constexpr int kCaptionId = 103;
constexpr int kFirstListId = 110;
constexpr long kCustomPointer = 99;
constexpr long kCustomPointerEntry = 16;

hosting::ComPtr<_VelCheckFrame> AsFrame(IDispatch* control) {
    hosting::ComPtr<_VelCheckFrame> frame;
    if (control) control->QueryInterface(IID_PPV_ARGS(&frame));
    return frame;
}

// A failed read or write of the frame goes to the host with the frame's own error text.
void Check(HRESULT hr) {
    if (SUCCEEDED(hr)) return;
    std::wstring text = L"The property could not be set.";
    hosting::ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, &info) == S_OK && info) {
        com::Bstr description;
        if (SUCCEEDED(info->GetDescription(description.Out())) && description.Length()) text = description.CStr();
    }
    throw com::AutomationError(hr, text);
}

}  // namespace

GeneralPage::GeneralPage() { SetPageInfo(L"General", {380, 210}); }

HWND GeneralPage::AddChild(HWND parent, const wchar_t* type, const wchar_t* text, DWORD style, int id, RECT place) {
    HWND child = CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

// The caption box comes first, so that it has the focus when the page opens.
void GeneralPage::OnCreate(HWND window) {
    AddChild(window, L"STATIC", L"Caption:", 0, -1, {8, 10, 100, 26});
    txtCaption_ = AddChild(window, L"EDIT", L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kCaptionId, {104, 8, 372, 30});
    chkUseMaskColor_ = AddChild(window, L"BUTTON", L"UseMaskColor", WS_TABSTOP | BS_AUTOCHECKBOX, kUseMaskColorId,
                                {8, 36, 180, 56});
    chkEnabled_ = AddChild(window, L"BUTTON", L"Enabled", WS_TABSTOP | BS_AUTOCHECKBOX, kEnabledId, {190, 36, 372, 56});
    static const wchar_t* const labels[kListCount] = {L"Alignment:", L"Value:", L"Appearance:", L"BorderStyle:",
                                                      L"MousePointer:", L"OLEDropMode:"};
    for (int i = 0; i < kListCount; ++i) {
        int column = i % 2, row = i / 2, left = 8 + column * 186, top = 64 + row * 48;
        AddChild(window, L"STATIC", labels[i], 0, -1, {left, top, left + 178, top + 16});
        lists_[i] = AddChild(window, L"COMBOBOX", L"", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, kFirstListId + i,
                             {left, top + 18, left + 178, top + 218});
    }
    FillList(cboDropMode, {L"0 - velNone", L"1 - velManual"});
    FillList(cboAppearance, {L"0 - velFlat", L"1- vel3D"});
    FillList(cboBorderStyle, {L"0 - velNone", L"1 - velFixed Single"});
    FillList(cboMousePointer,
             {L"0 - vbDefault", L"1 - vbArrow", L"2 - vbCrossHair", L"3 - vbIbeam", L"4 - vbIconPointer",
              L"5 - vbSizePointer", L"6 - vbSizeNESW", L"7 - vbSizeNS", L"8 - vbSizeNWSE", L"9 - vbSizeWE",
              L"10 - vbUpArrow", L"11 - vbHourglass", L"12 - vbNoDrop", L"13 - vbArrowHourglass",
              L"14 - vbArrowQuestion", L"15 - vbSizeAll", L"99 - vbCustom"});
    FillList(cboAlignment, {L"0 - velLeftJustify", L"1 - velRightJustify", L"2 - velRightCaptionJustify"});
    FillList(cboValue, {L"0 - velUnchecked", L"1 - velChecked", L"2 - velGreyed"});
}

void GeneralPage::FillList(List list, std::initializer_list<const wchar_t*> entries) {
    for (const wchar_t* entry : entries) SendMessageW(lists_[list], CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
}

long GeneralPage::ListValue(List list) const {
    long index = static_cast<long>(SendMessageW(lists_[list], CB_GETCURSEL, 0, 0));
    if (list == cboMousePointer && index == kCustomPointerEntry) return kCustomPointer;
    return index < 0 ? 0 : index;
}

void GeneralPage::SelectListValue(List list, long value) {
    if (list == cboMousePointer && value == kCustomPointer) value = kCustomPointerEntry;
    SendMessageW(lists_[list], CB_SETCURSEL, static_cast<WPARAM>(value), 0);
}

void GeneralPage::SelectionChanged() {
    auto frame = AsFrame(FirstSelected());
    if (!frame) return;
    VARIANT_BOOL flag = VARIANT_FALSE;
    Check(frame->get_UseMaskColor(&flag));
    SendMessageW(chkUseMaskColor_, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
    Check(frame->get_Enabled(&flag));
    SendMessageW(chkEnabled_, BM_SETCHECK, flag ? BST_CHECKED : BST_UNCHECKED, 0);
    com::Bstr caption;
    Check(frame->get_Caption(caption.Out()));
    SetWindowTextW(txtCaption_, caption.CStr());
    VelCheckFrameAlignmentConstants alignment{};
    Check(frame->get_Alignment(&alignment));
    SelectListValue(cboAlignment, alignment);
    VelCheckboxConstants value{};
    Check(frame->get_Value(&value));
    SelectListValue(cboValue, value);
    VelAppearanceConstants appearance{};
    Check(frame->get_Appearance(&appearance));
    SelectListValue(cboAppearance, appearance);
    VelBorderStyleConstants border{};
    Check(frame->get_BorderStyle(&border));
    SelectListValue(cboBorderStyle, border);
    short pointer = 0;
    Check(frame->get_MousePointer(&pointer));
    SelectListValue(cboMousePointer, pointer);
    VelOLEDropConstants drop{};
    Check(frame->get_OLEDropMode(&drop));
    SelectListValue(cboDropMode, drop);
    SetChanged(false);
}

void GeneralPage::ApplyChanges() {
    auto frame = AsFrame(FirstSelected());
    if (!frame) return;
    auto checked = [](HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? VARIANT_TRUE : VARIANT_FALSE; };
    Check(frame->put_UseMaskColor(checked(chkUseMaskColor_)));
    Check(frame->put_Enabled(checked(chkEnabled_)));
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(txtCaption_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(txtCaption_, text.data(), static_cast<int>(text.size()))));
    Check(frame->put_Caption(com::Bstr(text).Get()));
    Check(frame->put_Alignment(static_cast<VelCheckFrameAlignmentConstants>(ListValue(cboAlignment))));
    Check(frame->put_Value(static_cast<VelCheckboxConstants>(ListValue(cboValue))));
    // Writing Appearance resets BackColor, so an unchanged one is not written again.
    VelAppearanceConstants appearance{};
    Check(frame->get_Appearance(&appearance));
    if (ListValue(cboAppearance) != appearance)
        Check(frame->put_Appearance(static_cast<VelAppearanceConstants>(ListValue(cboAppearance))));
    Check(frame->put_BorderStyle(static_cast<VelBorderStyleConstants>(ListValue(cboBorderStyle))));
    Check(frame->put_MousePointer(static_cast<short>(ListValue(cboMousePointer))));
    Check(frame->put_OLEDropMode(static_cast<VelOLEDropConstants>(ListValue(cboDropMode))));
    SetChanged(false);
}

std::optional<LRESULT> GeneralPage::OnMessage(UINT message, WPARAM w, LPARAM) {
    if (message != WM_COMMAND) return std::nullopt;
    const int id = LOWORD(w), code = HIWORD(w);
    if (id == kCaptionId && code == EN_SETFOCUS) {
        // A click into the box places the caret; only the keyboard selects all.
        if (GetKeyState(VK_LBUTTON) < 0) highlight_.SetMouseDown(true);
        highlight_.GotFocus(txtCaption_);
    } else if ((id == kCaptionId && code == EN_CHANGE) || (id >= kFirstListId && code == CBN_SELCHANGE) ||
               ((id == kUseMaskColorId || id == kEnabledId) && code == BN_CLICKED)) {
        SetChanged(true);
    } else {
        return std::nullopt;
    }
    return 0;
}

}  // namespace vel::checkframe
