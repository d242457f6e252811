#include "PropertyFrame.h"

#include <algorithm>
#include <commctrl.h>

#include "Bstr.h"
#include "FormError.h"
#include "HeldKeys.h"
#include "HostServices_h.h"
#include "TaskMemory.h"

using vel::com::ComPtr;
using vel::com::Make;

namespace velform {
namespace {

constexpr wchar_t kWindowClass[] = L"VelPropertyFrame";
constexpr int kMargin = 7, kButtonWidth = 75, kButtonHeight = 23, kTabHeight = 24;
constexpr int kOkId = IDOK, kCancelId = IDCANCEL, kApplyId = 100, kTabsId = 101;

void RegisterFrameClass(WNDPROC procedure) {
    static bool registered = false;
    if (registered) return;
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    WNDCLASSEXW windowClass{sizeof(WNDCLASSEXW)};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
    registered = true;
}

void FreePageInfo(PROPPAGEINFO& info) {
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
}

}  // namespace

PropertyFrame::PropertyFrame(HWND owner, IUnknown* object, const std::wstring& controlName)
    : owner_(owner), object_(object) {
    LoadPages(object);
    if (pages_.empty()) return;
    CreateFrameWindow(owner, controlName);
    open_ = true;
    ShowPage(0);
}

PropertyFrame::~PropertyFrame() { Close(); }

void PropertyFrame::LoadPages(IUnknown* object) {
    ComPtr<ISpecifyPropertyPages> specify;
    CAUUID classes{};
    if (!object || FAILED(object->QueryInterface(IID_PPV_ARGS(&specify))) || FAILED(specify->GetPages(&classes))) {
        return;
    }
    vel::com::TaskMemory owned(classes.pElems);
    for (ULONG i = 0; i < classes.cElems; ++i) {
        Page page;
        if (FAILED(CoCreateInstance(classes.pElems[i], nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&page.page)))) {
            continue;
        }
        page.site = Make<PropertyPageSite>(*this);
        page.page->SetPageSite(page.site.Get());
        IUnknown* objects[] = {object};
        page.page->SetObjects(1, objects);
        PROPPAGEINFO info{sizeof(info)};
        if (SUCCEEDED(page.page->GetPageInfo(&info))) {
            page.title = info.pszTitle ? info.pszTitle : L"Page";
            page.size = info.size;
            FreePageInfo(info);
        }
        pages_.push_back(std::move(page));
    }
}

void PropertyFrame::CreateFrameWindow(HWND owner, const std::wstring& controlName) {
    RegisterFrameClass(&PropertyFrame::WindowProc);
    LONG width = 0, height = 0;
    for (auto& page : pages_) {
        width = std::max(width, page.size.cx);
        height = std::max(height, page.size.cy);
    }
    RECT client{0, 0, std::max<LONG>(width + 2 * kMargin + 8, 3 * kButtonWidth + 4 * kMargin),
                height + kTabHeight + 3 * kMargin + kButtonHeight + 8};
    DWORD style = WS_CAPTION | WS_SYSMENU | WS_POPUP | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&client, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT);
    std::wstring caption = controlName + L" Properties";
    window_.Reset(CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, kWindowClass, caption.c_str(), style,
                                  60, 60, client.right - client.left, client.bottom - client.top, owner, nullptr,
                                  GetModuleHandleW(nullptr), this));
    if (!window_) throw FormError(L"the property frame cannot be created");
    RECT area;
    GetClientRect(window_.Get(), &area);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    tabs_ = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, kMargin, kMargin,
                            area.right - 2 * kMargin, area.bottom - 3 * kMargin - kButtonHeight, window_.Get(),
                            reinterpret_cast<HMENU>(kTabsId), instance, nullptr);
    SendMessageW(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    frameChildren_.push_back(tabs_);
    for (size_t i = 0; i < pages_.size(); ++i) {
        TCITEMW item{TCIF_TEXT};
        item.pszText = pages_[i].title.data();
        SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
    struct ButtonLayout { int id; const wchar_t* text; };
    const ButtonLayout buttons[] = {{kOkId, L"OK"}, {kCancelId, L"Cancel"}, {kApplyId, L"&Apply"}};
    int x = area.right - 3 * (kButtonWidth + kMargin);
    for (auto& layout : buttons) {
        HWND button = CreateWindowExW(0, L"BUTTON", layout.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP, x,
                                      area.bottom - kMargin - kButtonHeight, kButtonWidth, kButtonHeight,
                                      window_.Get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), instance,
                                      nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (layout.id == kApplyId) applyButton_ = button;
        frameChildren_.push_back(button);
        x += kButtonWidth + kMargin;
    }
    EnableWindow(applyButton_, FALSE);
    ShowWindow(window_.Get(), SW_SHOWNORMAL);
}

RECT PropertyFrame::PageArea() const {
    RECT area;
    GetWindowRect(tabs_, &area);
    MapWindowPoints(nullptr, window_.Get(), reinterpret_cast<POINT*>(&area), 2);
    SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
    return area;
}

void PropertyFrame::ShowPage(size_t index) {
    if (index >= pages_.size()) return;
    if (pages_[current_].active) pages_[current_].page->Show(SW_HIDE);
    current_ = index;
    Page& page = pages_[index];
    RECT area = PageArea();
    if (!page.active) {
        page.active = SUCCEEDED(page.page->Activate(window_.Get(), &area, TRUE));
    }
    if (page.active) page.page->Show(SW_SHOWNORMAL);
    SendMessageW(tabs_, TCM_SETCURSEL, index, 0);
    FocusPage();
}

HWND PropertyFrame::PageWindow() const {
    for (HWND child = GetWindow(window_.Get(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        bool frameOwn = std::find(frameChildren_.begin(), frameChildren_.end(), child) != frameChildren_.end();
        if (!frameOwn && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

// The page's first field that takes the focus, else the page itself.
void PropertyFrame::FocusPage() {
    HWND page = PageWindow();
    if (!page) return;
    HWND field = GetWindow(page, GW_CHILD);
    while (field && !(IsWindowVisible(field) && IsWindowEnabled(field) &&
                      (GetWindowLongW(field, GWL_STYLE) & WS_TABSTOP))) {
        field = GetWindow(field, GW_HWNDNEXT);
    }
    SetFocus(field ? field : page);
}

HWND PropertyFrame::FocusInFrame() {
    HWND target = GetFocus();
    if (!target || !IsChild(window_.Get(), target)) {
        FocusPage();
        target = GetFocus();
    }
    if (!target || !IsChild(window_.Get(), target)) throw FormError(L"no page of the property frame takes input");
    return target;
}

void PropertyFrame::Type(std::wstring_view text) {
    HWND target = FocusInFrame();
    for (wchar_t c : text) SendMessageW(target, WM_CHAR, c, 1);
}

void PropertyFrame::Key(UINT keyCode, long shift) {
    FocusInFrame();
    HeldKeys held(shift);
    const bool alt = (shift & 4) != 0;
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(keyCode, MAPVK_VK_TO_VSC)) << 16;
    const LPARAM context = alt ? (1 << 29) : 0;
    const UINT down = alt ? WM_SYSKEYDOWN : WM_KEYDOWN, up = alt ? WM_SYSKEYUP : WM_KEYUP;
    std::vector<MSG> keys{{GetFocus(), down, keyCode, 1 | scan | context}};
    // With Alt a letter or digit comes as the system character of an access key.
    if (alt && ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9')))
        keys.push_back({nullptr, WM_SYSCHAR, keyCode <= 'Z' && keyCode >= 'A' ? keyCode - 'A' + 'a' : keyCode,
                        1 | scan | context});
    keys.push_back({nullptr, up, keyCode, 1 | scan | context | static_cast<LPARAM>(3u << 30)});
    for (MSG& message : keys) {
        if (!open_) return;
        message.hwnd = GetFocus();
        // The keys themselves go straight to the field with Alt held: only the
        // system character is the access key, and no second one is made of them.
        bool direct = alt && message.message != WM_SYSCHAR;
        if (direct || !PreTranslate(message)) DispatchMessageW(&message);
    }
    MSG waiting;
    while (open_ && PeekMessageW(&waiting, nullptr, 0, 0, PM_REMOVE)) {
        if (PreTranslate(waiting)) continue;
        TranslateMessage(&waiting);
        DispatchMessageW(&waiting);
    }
}

std::wstring PropertyFrame::FocusText() const {
    HWND focus = GetFocus();
    if (!focus || !IsChild(window_.Get(), focus)) return L"";
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(focus)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(focus, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The dialog navigation of the frame's fields (Tab, a label's access key): to the
// given field, or to the next or previous one, its text selected as dialogs do.
void PropertyFrame::MoveFocus(WPARAM target, bool isHandle) {
    HWND next = isHandle ? reinterpret_cast<HWND>(target) : GetNextDlgTabItem(window_.Get(), GetFocus(), target != 0);
    if (!next) return;
    if (SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(next, EM_SETSEL, 0, -1);
    SetFocus(next);
}

bool PropertyFrame::PreTranslate(MSG& message) {
    if (pages_.empty()) return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_TAB && GetKeyState(VK_CONTROL) < 0) {
        size_t step = GetKeyState(VK_SHIFT) < 0 ? pages_.size() - 1 : 1;
        ShowPage((current_ + step) % pages_.size());
        return true;
    }
    if (pages_.size() > current_ && pages_[current_].active &&
        pages_[current_].page->TranslateAccelerator(&message) == S_OK)
        return true;
    return window_ && IsDialogMessageW(window_.Get(), &message);
}

bool PropertyFrame::ApplyEnabled() const { return applyButton_ && IsWindowEnabled(applyButton_); }

void PropertyFrame::PageBecameDirty() {
    if (applyButton_) EnableWindow(applyButton_, TRUE);
}

bool PropertyFrame::Apply() {
    for (auto& page : pages_) {
        if (!page.active || page.page->IsPageDirty() != S_OK) continue;
        HRESULT hr = page.page->Apply();
        if (FAILED(hr)) {
            ReportFailure();
            return false;
        }
    }
    if (applyButton_) EnableWindow(applyButton_, FALSE);
    return true;
}

// A page's failure to apply is shown to the user like the controls' messages,
// through the control's site, and the frame stays open for a correction.
void PropertyFrame::ReportFailure() {
    ComPtr<IErrorInfo> info;
    vel::com::Bstr description;
    if (GetErrorInfo(0, &info) == S_OK) info->GetDescription(description.Out());
    std::wstring text = description.Empty() ? L"The changes could not be applied." : std::wstring(description.View());
    ComPtr<IOleObject> control;
    ComPtr<IOleClientSite> site;
    ComPtr<IVelHostServices> services;
    if (object_ && SUCCEEDED(object_.As(&control)) && SUCCEEDED(control->GetClientSite(&site)) && site &&
        SUCCEEDED(site.As(&services))) {
        long answer = 0;
        services->ShowMessage(vel::com::Bstr(text).Get(), nullptr, MB_OK | MB_ICONEXCLAMATION, &answer);
    } else {
        MessageBoxW(window_.Get(), text.c_str(), nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
}

void PropertyFrame::Press(Button button) {
    if (!open_) return;
    bool applied = button == Button::Cancel || Apply();
    if (button != Button::Apply && applied) Close();
}

void PropertyFrame::Close() {
    if (!open_ && pages_.empty()) return;
    open_ = false;
    for (auto& page : pages_) {
        if (page.active) page.page->Deactivate();
        page.page->SetObjects(0, nullptr);
        page.page->SetPageSite(nullptr);
        page.site->Detach();
    }
    pages_.clear();
    frameChildren_.clear();
    if (owner_) EnableWindow(owner_, TRUE);
    window_.Reset();
}

void PropertyFrame::RunModal() {
    if (!open_) return;
    if (owner_) EnableWindow(owner_, FALSE);
    MSG message;
    while (open_ && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (open_) {
        Close();
        PostQuitMessage(0);  // the loop ended on WM_QUIT: pass it on
    }
    if (owner_) SetActiveWindow(owner_);
}

LRESULT CALLBACK PropertyFrame::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto frame = reinterpret_cast<PropertyFrame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!frame || !frame->open_) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kOkId) frame->Press(Button::Ok);
            else if (LOWORD(wParam) == kCancelId) frame->Press(Button::Cancel);
            else if (LOWORD(wParam) == kApplyId) frame->Press(Button::Apply);
            return 0;
        case WM_NOTIFY:
            if (reinterpret_cast<NMHDR*>(lParam)->code == TCN_SELCHANGE) {
                frame->ShowPage(static_cast<size_t>(SendMessageW(frame->tabs_, TCM_GETCURSEL, 0, 0)));
            }
            return 0;
        case WM_CLOSE:
            frame->Press(Button::Cancel);
            return 0;
        case WM_NEXTDLGCTL:
            frame->MoveFocus(wParam, LOWORD(lParam) != 0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace velform
