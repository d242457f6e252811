#include "PropertyPageBase.h"

#include "Boundary.h"
#include "HostMessage.h"

namespace vel::hosting {

PropertyPageBase::~PropertyPageBase() = default;

void PropertyPageBase::SetPageInfo(std::wstring title, SIZE size) {
    title_ = std::move(title);
    size_ = size;
}

HWND PropertyPageBase::Window() const { return window_ ? window_->Handle() : nullptr; }

STDMETHODIMP PropertyPageBase::SetPageSite(IPropertyPageSite* site) {
    site_ = site;
    return S_OK;
}

STDMETHODIMP PropertyPageBase::Activate(HWND parent, LPCRECT position, BOOL) {
    if (!position) return E_POINTER;
    if (window_) return E_UNEXPECTED;
    return com::Guarded(IID_IPropertyPage, [&] {
        window_.emplace(static_cast<ControlWindow::Listener&>(*this));
        window_->Attach(parent, *position);
        // The frame's dialog navigation (Tab, access keys) reaches into the page's fields.
        HWND page = window_->Handle();
        SetWindowLongPtrW(page, GWL_EXSTYLE, GetWindowLongPtrW(page, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
        OnCreate(page);
        NotifySelection();
    });
}

STDMETHODIMP PropertyPageBase::Deactivate() {
    if (window_) com::Guarded(IID_IPropertyPage, [&] { Terminate(); });
    window_.reset();
    return S_OK;
}

STDMETHODIMP PropertyPageBase::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    SIZE size{};
    HRESULT hr = com::Guarded(IID_IPropertyPage, [&] { size = PageSize(); });
    if (FAILED(hr)) return hr;
    size_t bytes = (title_.size() + 1) * sizeof(wchar_t);
    info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!info->pszTitle) return E_OUTOFMEMORY;
    memcpy(info->pszTitle, title_.c_str(), bytes);
    // The whole record is the page's to fill, its size too: the system's property frame
    // passes it with the size unset.
    info->cb = sizeof(PROPPAGEINFO);
    info->size = size;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

STDMETHODIMP PropertyPageBase::SetObjects(ULONG count, IUnknown** objects) {
    if (count && !objects) return E_POINTER;
    std::vector<ComPtr<IDispatch>> selected;
    for (ULONG i = 0; i < count; ++i) {
        ComPtr<IDispatch> control;
        if (objects[i] && SUCCEEDED(objects[i]->QueryInterface(IID_PPV_ARGS(&control)))) selected.push_back(control);
    }
    selected_ = std::move(selected);
    if (window_) NotifySelection();
    return S_OK;
}

void PropertyPageBase::NotifySelection() {
    if (!selected_.empty()) com::Guarded(IID_IPropertyPage, [&] { SelectionChanged(); });
}

STDMETHODIMP PropertyPageBase::Show(UINT command) {
    if (!window_) return E_UNEXPECTED;
    ShowWindow(window_->Handle(), command);
    return S_OK;
}

STDMETHODIMP PropertyPageBase::Move(LPCRECT position) {
    if (!position) return E_POINTER;
    if (!window_) return E_UNEXPECTED;
    window_->Attach(GetParent(window_->Handle()), *position);
    return S_OK;
}

STDMETHODIMP PropertyPageBase::Apply() {
    if (selected_.empty()) return S_OK;
    return com::Guarded(IID_IPropertyPage, [&] { ApplyChanges(); });
}

int PropertyPageBase::ShowMessage(std::wstring_view text, UINT style) {
    ComPtr<IOleObject> control;
    ComPtr<IOleClientSite> site;
    if (FirstSelected() && SUCCEEDED(FirstSelected()->QueryInterface(IID_PPV_ARGS(&control))))
        control->GetClientSite(&site);
    HWND owner = Window() ? GetAncestor(Window(), GA_ROOT) : nullptr;
    return HostMessage::Show(site.Get(), owner, text, style);
}

void PropertyPageBase::SetChanged(bool changed) {
    changed_ = changed;
    if (changed && site_) site_->OnStatusChange(PROPPAGESTATUS_DIRTY | PROPPAGESTATUS_VALIDATE);
}

std::optional<LRESULT> PropertyPageBase::OnWindowMessage(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_PAINT) {
        PAINTSTRUCT paint{};
        HDC dc = BeginPaint(window, &paint);
        com::Guarded(IID_IPropertyPage, [&] { OnPaint(dc); });
        EndPaint(window, &paint);
        return 0;
    }
    if (message == WM_ERASEBKGND) {
        RECT r{};
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(w), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    std::optional<LRESULT> answer;
    com::Guarded(IID_IPropertyPage, [&] { answer = OnMessage(message, w, l); });
    return answer;
}

}  // namespace vel::hosting
