#include "IconsPage.h"

#include <olectl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "AutomationError.h"
#include "Bstr.h"
#include "Convert.h"
#include "NotifierPages.h"

namespace vel::notifier {
namespace {

enum ChildId : int { kScroll = 201, kIndex, kKey, kName, kTag, kAdd, kRemove };

constexpr RECT kStripArea{8, 8, 292, 60};

VARIANT Position(long position) {
    VARIANT index{};
    index.vt = VT_I4;
    index.lVal = position;
    return index;
}

// The picture in a file; null when the file holds none. The file is read with others'
// access allowed: the system's file dialog may still be reading it for its own icon
// when the choice comes back. Larger files than any icon are not read.
com::ComPtr<IDispatch> LoadPictureFile(const std::wstring& file) {
    constexpr std::uintmax_t kLargest = 64u << 20;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(std::filesystem::path(file), error);
    if (error || size == 0 || size > kLargest) return nullptr;
    std::ifstream in(std::filesystem::path(file), std::ios::binary);
    std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    com::ComPtr<IStream> stream;
    com::ComPtr<IDispatch> picture;
    ULONG written = 0;
    if (bytes.empty() || FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)) ||
        FAILED(stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written)) ||
        FAILED(stream->Seek(LARGE_INTEGER{}, STREAM_SEEK_SET, nullptr)))
        return nullptr;
    OleLoadPicture(stream.Get(), static_cast<LONG>(bytes.size()), FALSE, IID_IDispatch,
                   reinterpret_cast<void**>(picture.GetAddressOf()));
    return picture;
}

com::ComPtr<::VelIcon> IconAt(_VelIcons* icons, long position) {
    com::ComPtr<::VelIcon> icon;
    VARIANT index = Position(position);
    if (icons) icons->get_Item(&index, &icon);
    return icon;
}

std::wstring TextOfVariant(const VARIANT& value) {
    auto text = com::TextOf(value);
    return text ? std::wstring(text->View()) : std::wstring();
}

void ThrowIfFailed(HRESULT hr) {
    if (SUCCEEDED(hr)) return;
    com::ComPtr<IErrorInfo> info;
    com::Bstr description;
    if (GetErrorInfo(0, &info) == S_OK && info) info->GetDescription(description.Out());
    throw com::AutomationError(hr, description.Empty() ? L"The icon could not be changed." : std::wstring(description.View()));
}

}  // namespace

IconsPage::IconsPage() { SetPageInfo(L"Icons", {300, 230}); }

void IconsPage::OnCreate(HWND page) {
    strip_.emplace(static_cast<IconStrip::Events&>(*this), page, kStripArea, static_cast<int>(kScroll));
    CreateChild(page, L"BUTTON", L"Current Image", BS_GROUPBOX, 0, {8, 82, 180, 112});
    CreateChild(page, L"STATIC", L"&Index:", 0, 0, {16, 102, 50, 16});
    cboIndex_ = CreateChild(page, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kIndex,
                            {70, 100, 110, 120});
    CreateChild(page, L"STATIC", L"&Key:", 0, 0, {16, 128, 50, 16});
    txtKey_ = CreateChild(page, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kKey, {70, 126, 110, 20}, WS_EX_CLIENTEDGE);
    CreateChild(page, L"STATIC", L"&Name:", 0, 0, {16, 150, 50, 16});
    txtName_ = CreateChild(page, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kName, {70, 148, 110, 20}, WS_EX_CLIENTEDGE);
    CreateChild(page, L"STATIC", L"&Tag:", 0, 0, {16, 172, 50, 16});
    txtTag_ = CreateChild(page, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, kTag, {70, 170, 110, 20}, WS_EX_CLIENTEDGE);
    CreateChild(page, L"BUTTON", L"&Add Icon", WS_TABSTOP, kAdd, {196, 90, 96, 24});
    cmdRemove_ = CreateChild(page, L"BUTTON", L"&Remove Icon", WS_TABSTOP, kRemove, {196, 120, 96, 24});
    CreateChild(page, L"STATIC", L"Number of Images:", 0, 0, {8, 204, 100, 16});
    lblNumImages_ = CreateChild(page, L"STATIC", L"0", 0, 0, {111, 204, 60, 16});
}

com::ComPtr<_VelIcons> IconsPage::Icons() const {
    com::ComPtr<_VelNotifier> notifier;
    com::ComPtr<_VelIcons> icons;
    if (FirstSelected() && SUCCEEDED(FirstSelected()->QueryInterface(IID_PPV_ARGS(&notifier))))
        notifier->get_Icons(&icons);
    return icons;
}

long IconsPage::IconCount() const {
    long count = 0;
    if (auto icons = Icons()) icons->get_Count(&count);
    return count;
}

long IconsPage::ListIndex() const { return static_cast<long>(SendMessageW(cboIndex_, CB_GETCURSEL, 0, 0)); }

// ---- page events

void IconsPage::SelectionChanged() {
    FillIndexList();
    if (SendMessageW(cboIndex_, CB_GETCOUNT, 0, 0) > 0) LoadIconFields();
    SetChanged(false);
    RefreshLayout();
}

void IconsPage::ApplyChanges() { SaveIconFields(); }

std::optional<LRESULT> IconsPage::OnMessage(UINT message, WPARAM w, LPARAM l) {
    if (message == WM_HSCROLL && reinterpret_cast<HWND>(l) == strip_->ScrollBar()) {
        strip_->Scroll(LOWORD(w));
        return 0;
    }
    if (message == WM_PAINT) DrawStrip();
    if (message != WM_COMMAND) return std::nullopt;
    const int id = LOWORD(w), code = HIWORD(w);
    if (id == kIndex && code == CBN_SELCHANGE) IndexChosen();
    if ((id == kKey || id == kName || id == kTag) && code == EN_CHANGE && !filling_) SetChanged(true);
    if ((id == kKey || id == kName || id == kTag) && code == EN_SETFOCUS) highlight_.GotFocus(reinterpret_cast<HWND>(l));
    if (id == kAdd && code == BN_CLICKED) AddIcon();
    if (id == kRemove && code == BN_CLICKED) RemoveIcon();
    return std::nullopt;
}

// A new entry chosen: the fields of the icon shown so far are saved first.
void IconsPage::IndexChosen() {
    if (Changed()) SaveIconFields();
    LoadIconFields();
    selectedPos_ = static_cast<short>(ListIndex());
    DrawStrip();
}

void IconsPage::StripPressed(long x) {
    strip_->SetFocusState(true);
    long position = strip_->HitTest(Icons().Get(), x);
    if (position > 0) SelectEntry(position - 1);
}

void IconsPage::StripArrow(int step) {
    long next = ListIndex() + step;
    if (next >= 0 && next < SendMessageW(cboIndex_, CB_GETCOUNT, 0, 0)) SelectEntry(next);
}

void IconsPage::StripFocusChanged(bool focused) {
    if (focused && strip_->HasFocus()) return;
    strip_->SetFocusState(focused);
    DrawStrip();
}

// Selects an entry of the index list as a user's choice does.
void IconsPage::SelectEntry(long listIndex) {
    SendMessageW(cboIndex_, CB_SETCURSEL, static_cast<WPARAM>(listIndex), 0);
    IndexChosen();
}

// ---- operations

void IconsPage::FillIndexList() {
    SendMessageW(cboIndex_, CB_RESETCONTENT, 0, 0);
    auto icons = Icons();
    const long count = IconCount();
    for (long position = 1; position <= count; ++position) {
        short index = 0;
        if (auto icon = IconAt(icons.Get(), position)) icon->get_Index(&index);
        SendMessageW(cboIndex_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(std::to_wstring(index).c_str()));
    }
    if (count == 0) {
        selectedPos_ = -1;
        SendMessageW(cboIndex_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    } else if (selectedPos_ >= count || selectedPos_ < 0) {
        SendMessageW(cboIndex_, CB_SETCURSEL, 0, 0);
        selectedPos_ = 0;
    } else {
        SendMessageW(cboIndex_, CB_SETCURSEL, static_cast<WPARAM>(selectedPos_), 0);
    }
    UpdateCountLabel();
}

void IconsPage::LoadIconFields() {
    if (ListIndex() < 0) return;
    auto icon = IconAt(Icons().Get(), ListIndex() + 1);
    if (!icon) return;
    com::Variant tag, key;
    com::Bstr name;
    icon->get_Tag(tag.Out());
    icon->get_Key(key.Out());
    icon->get_Name(name.Out());
    filling_ = true;
    SetWindowTextW(txtTag_, TextOfVariant(tag.Get()).c_str());
    SetWindowTextW(txtKey_, TextOfVariant(key.Get()).c_str());
    SetWindowTextW(txtName_, name.CStr());
    filling_ = false;
    SetChanged(false);
}

// Writes the fields that differ; a refused value (a key in use) is shown, and the page
// stays changed with what was written before it.
void IconsPage::SaveIconFields() {
    auto icon = IconAt(Icons().Get(), selectedPos_ + 1);
    if (!icon) return;
    try {
        com::Variant tag, key;
        com::Bstr name;
        icon->get_Tag(tag.Out());
        icon->get_Key(key.Out());
        icon->get_Name(name.Out());
        std::wstring newTag = WindowText(txtTag_), newKey = WindowText(txtKey_), newName = WindowText(txtName_);
        if (TextOfVariant(tag.Get()) != newTag) ThrowIfFailed(icon->put_Tag(com::Variant::FromString(newTag).Get()));
        if (TextOfVariant(key.Get()) != newKey) ThrowIfFailed(icon->put_Key(com::Variant::FromString(newKey).Get()));
        if (std::wstring(name.View()) != newName) ThrowIfFailed(icon->put_Name(com::Bstr(newName).Get()));
        SetChanged(false);
    } catch (const com::AutomationError& error) {
        ShowError(error.Description());
        SetChanged(true);
    }
}

void IconsPage::DrawStrip() {
    if (strip_) strip_->Draw(Icons().Get(), ListIndex() + 1);
}

void IconsPage::UpdateCountLabel() { SetWindowTextW(lblNumImages_, std::to_wstring(IconCount()).c_str()); }

void IconsPage::UpdateFieldsEnabled() {
    const bool any = SendMessageW(cboIndex_, CB_GETCOUNT, 0, 0) > 0;
    if (!any) {
        filling_ = true;
        for (HWND box : {txtKey_, txtName_, txtTag_}) SetWindowTextW(box, L"");
        filling_ = false;
    }
    for (HWND control : {cboIndex_, txtKey_, txtName_, txtTag_, cmdRemove_}) EnableWindow(control, any);
    SetChanged(false);
}

void IconsPage::RefreshLayout() {
    strip_->UpdateScrollRange(IconCount());
    strip_->UpdateScrollEnabled(IconCount());
    UpdateFieldsEnabled();
    DrawStrip();
}

std::wstring IconsPage::GetIconFileName() {
    dialog_.Filter = std::wstring(L"Icons(*.ico)\0*.ico\0All Files(*.*)\0*.*\0\0", 39);
    dialog_.FilterIndex = 1;
    dialog_.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    dialog_.hwndOwner = Window();
    if (!dialog_.ShowOpen()) return L"";
    lastFile_ = std::wstring(com::TrimSpaces(dialog_.FileName));
    return lastFile_;
}

// The chosen file becomes an icon after the selected one (or the first icon).
void IconsPage::AddIcon() {
    std::wstring file = GetIconFileName();
    if (file.empty()) return;
    com::ComPtr<IDispatch> picture = LoadPictureFile(file);
    if (!picture) {
        ShowError(L"The file " + file + L" could not be loaded as a picture.");
        return;
    }
    auto icons = Icons();
    if (!icons) return;
    VARIANT index{}, key{}, icon{};
    index.vt = key.vt = VT_ERROR;
    index.scode = key.scode = DISP_E_PARAMNOTFOUND;
    com::Variant listText;
    if (IconCount() > 0) listText = com::Variant::FromString(WindowText(cboIndex_));
    if (IconCount() > 0) index = listText.Get();
    icon.vt = VT_DISPATCH;
    icon.pdispVal = picture.Get();
    com::ComPtr<::VelIcon> added;
    icons->Add(&index, &key, &icon, &added);
    if (added) {
        long selected = ListIndex();
        FillIndexList();
        SendMessageW(cboIndex_, CB_SETCURSEL, static_cast<WPARAM>(selected + 1), 0);
        selectedPos_ = static_cast<short>(selected + 1);
        LoadIconFields();
    }
    RefreshLayout();
}

void IconsPage::RemoveIcon() {
    auto icons = Icons();
    long selected = ListIndex();
    if (!icons || selected < 0) return;
    VARIANT index = Position(selected + 1);
    if (FAILED(icons->Remove(&index))) return;
    SendMessageW(cboIndex_, CB_DELETESTRING, static_cast<WPARAM>(selected), 0);
    UpdateCountLabel();
    strip_->UpdateScrollRange(IconCount());
    strip_->UpdateScrollEnabled(IconCount());
    UpdateFieldsEnabled();
    selectedPos_ = 0;
    if (SendMessageW(cboIndex_, CB_GETCOUNT, 0, 0) > 0) {
        SendMessageW(cboIndex_, CB_SETCURSEL, 0, 0);
        LoadIconFields();
    }
    DrawStrip();
}

// Through the host, as every page's boxes: an unattended host answers them itself.
void IconsPage::ShowError(const std::wstring& text) { ShowMessage(text, MB_OK | MB_ICONINFORMATION); }

}  // namespace vel::notifier
