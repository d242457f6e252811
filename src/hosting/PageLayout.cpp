#include "PageLayout.h"

#include <cmath>
#include <ocidl.h>
#include <olectl.h>

#include "AmbientProperties.h"
#include "AutomationError.h"
#include "SelectedObject.h"
#include "StandardObjects.h"
#include "WindowDC.h"

namespace vel::hosting {
namespace {

ComPtr<IOleClientSite> SiteOf(IDispatch* control) {
    ComPtr<IOleObject> object;
    ComPtr<IOleClientSite> site;
    if (control && SUCCEEDED(control->QueryInterface(IID_PPV_ARGS(&object)))) object->GetClientSite(&site);
    return site;
}

HFONT CreatePageFont(const FontDescription& font, HDC screen) {
    LOGFONTW logical{};
    logical.lfHeight = -static_cast<LONG>(std::lround(font.size * GetDeviceCaps(screen, LOGPIXELSY) / 72.0));
    logical.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    logical.lfItalic = font.italic;
    logical.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(logical.lfFaceName, font.name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&logical);
}

}  // namespace

PageLayout::PageLayout(IDispatch* control) {
    AmbientProperties ambient(SiteOf(control).Get());
    drawing::WindowDC screen(nullptr);
    font_.Reset(CreatePageFont(StandardObjects::Describe(ambient.Font().Get()), screen.Get()));
    if (!font_) throw com::AutomationError(E_OUTOFMEMORY, L"The page's font could not be created.");
    drawing::SelectedObject selected(screen.Get(), font_.Get());
    TEXTMETRICW metrics{};
    SIZE extent{};
    static const wchar_t kAlphabet[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    if (GetTextMetricsW(screen.Get(), &metrics) && GetTextExtentPoint32W(screen.Get(), kAlphabet, 52, &extent)) {
        baseX_ = (extent.cx / 26 + 1) / 2;
        baseY_ = metrics.tmHeight;
    }
}

HWND PageLayout::Create(const wchar_t* windowClass, const wchar_t* text, DWORD style, DWORD exStyle, int id,
                        int left, int top, int width, int height) {
    HWND field = CreateWindowExW(exStyle, windowClass, text, WS_CHILD | WS_VISIBLE | style, X(left), Y(top), X(width),
                                 Y(height), page_,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (!field) throw com::AutomationError(HRESULT_FROM_WIN32(GetLastError()), L"A field could not be created.");
    SendMessageW(field, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return field;
}

HWND PageLayout::Label(const wchar_t* text, int left, int top, int width) {
    return Create(L"STATIC", text, SS_LEFT, 0, -1, left, top, width, kLabelHeight);
}

HWND PageLayout::List(int id, int left, int top, int width, std::initializer_list<const wchar_t*> items) {
    // The window's height is the dropped-down height; the closed list is one field high.
    HWND list = Create(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0, id,
                       left, top, width, kFieldHeight * 10);
    for (const wchar_t* item : items) SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    return list;
}

HWND PageLayout::TextBox(int id, int left, int top, int width) {
    HWND box = Create(L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, id, left, top, width, kFieldHeight);
    // No limit below the system's: a long value shown here must come back whole.
    SendMessageW(box, EM_SETLIMITTEXT, 0, 0);
    return box;
}

HWND PageLayout::CheckBox(int id, const wchar_t* text, int left, int top, int width) {
    return Create(L"BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP, 0, id, left, top, width, kFieldHeight - 2);
}

HWND PageLayout::Button(int id, const wchar_t* text, int left, int top, int width) {
    return Create(L"BUTTON", text, BS_PUSHBUTTON | WS_TABSTOP, 0, id, left, top, width, kButtonHeight);
}

std::wstring PageLayout::Text(HWND field) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
    return text;
}

void PageLayout::SetText(HWND field, std::wstring_view text) { SetWindowTextW(field, std::wstring(text).c_str()); }

int PageLayout::ListIndex(HWND list) { return static_cast<int>(SendMessageW(list, CB_GETCURSEL, 0, 0)); }

void PageLayout::SetListIndex(HWND list, int index) { SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0); }

bool PageLayout::Checked(HWND checkBox) { return SendMessageW(checkBox, BM_GETCHECK, 0, 0) == BST_CHECKED; }

void PageLayout::SetChecked(HWND checkBox, bool checked) {
    SendMessageW(checkBox, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

HWND PageLayout::ChildAt(LPARAM point) const {
    POINT at{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
    return ChildWindowFromPointEx(page_, at, CWP_SKIPINVISIBLE);
}

}  // namespace vel::hosting
