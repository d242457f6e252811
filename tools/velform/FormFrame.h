#pragma once
#include <ocidl.h>

#include "ComObject.h"

namespace velform {

// The in-place frame and document window of a form: the form's window, with no
// menus, toolbars or status bar to share with the controls.
class FormFrame : public vel::com::ComObject<FormFrame, IOleInPlaceFrame> {
public:
    explicit FormFrame(HWND window) : window_(window) {}

    STDMETHODIMP GetWindow(HWND* window) override;
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override;
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // The UI-active control, which gets the first look at keystrokes.
    IOleInPlaceActiveObject* ActiveObject() const { return active_.Get(); }

private:
    HWND window_;
    vel::com::ComPtr<IOleInPlaceActiveObject> active_;
};

}  // namespace velform
