#pragma once
#include <windows.h>
#include <ocidl.h>
#include <optional>
#include <string>
#include <string_view>
#include <vector>
#include <wrl/client.h>

#include "ControlWindow.h"

namespace vel::hosting {

using Microsoft::WRL::ComPtr;

// A property page: IPropertyPage2 over the page's own window. The page sees the
// selected controls (the first is the one it reads and writes), keeps a Changed flag
// that tells the frame to enable Apply, and is told SelectionChanged and
// ApplyChanges. A page derives from PropertyPage<Derived> (PropertyPage.h).
class PropertyPageBase : public IPropertyPage2, private ControlWindow::Listener {
public:
    using Interface = IPropertyPage2;

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT position, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT position) override;
    STDMETHODIMP IsPageDirty() override { return changed_ ? S_OK : S_FALSE; }
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR) override { return E_NOTIMPL; }
    STDMETHODIMP TranslateAccelerator(MSG*) override { return S_FALSE; }
    STDMETHODIMP EditProperty(DISPID) override { return E_NOTIMPL; }

protected:
    PropertyPageBase() = default;
    virtual ~PropertyPageBase();

    // The title and size (pixels) the frame shows; set by the page's constructor.
    void SetPageInfo(std::wstring title, SIZE size);
    // The size the frame makes room for; a page that measures its fields answers its own.
    virtual SIZE PageSize() { return size_; }

    // The page window was created: make the page's child controls here.
    virtual void OnCreate(HWND) {}
    // The selection changed (or the page opened with one): read the first control.
    virtual void SelectionChanged() {}
    // Write the page's values to the first control, then set Changed false.
    virtual void ApplyChanges() {}
    virtual void OnPaint(HDC) {}
    // The page window is about to go: release what the page made in OnCreate.
    virtual void Terminate() {}
    // Other messages of the page window (commands of its child controls).
    virtual std::optional<LRESULT> OnMessage(UINT, WPARAM, LPARAM) { return std::nullopt; }

    const std::vector<ComPtr<IDispatch>>& SelectedControls() const { return selected_; }
    IDispatch* FirstSelected() const { return selected_.empty() ? nullptr : selected_.front().Get(); }
    bool Changed() const { return changed_; }
    void SetChanged(bool changed);
    HWND Window() const;
    // The host's message box (the container of the first selected control shows it).
    int ShowMessage(std::wstring_view text, UINT style);

private:
    std::optional<LRESULT> OnWindowMessage(HWND window, UINT message, WPARAM w, LPARAM l) override;
    void NotifySelection();

    std::wstring title_;
    SIZE size_{300, 200};
    ComPtr<IPropertyPageSite> site_;
    std::vector<ComPtr<IDispatch>> selected_;
    std::optional<ControlWindow> window_;
    bool changed_ = false;
};

}  // namespace vel::hosting
