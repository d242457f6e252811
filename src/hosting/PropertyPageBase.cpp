#include "PropertyPageBase.h"

#include "Boundary.h"

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
        OnCreate(window_->Handle());
        NotifySelection();
    });
}

STDMETHODIMP PropertyPageBase::Deactivate() {
    window_.reset();
    return S_OK;
}

STDMETHODIMP PropertyPageBase::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    if (info->cb < sizeof(PROPPAGEINFO)) return E_INVALIDARG;
    size_t bytes = (title_.size() + 1) * sizeof(wchar_t);
    info->pszTitle = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!info->pszTitle) return E_OUTOFMEMORY;
    memcpy(info->pszTitle, title_.c_str(), bytes);
    info->size = size_;
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
