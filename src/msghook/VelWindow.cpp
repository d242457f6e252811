#include "VelWindow.h"

#include <string>

#include "Boundary.h"
#include "MemberValues.h"
#include "VelWindows.h"

namespace vel::msghook {

using namespace com;

namespace {
const IID& kIid = __uuidof(::VelWindow);

Bstr TextArgument(BSTR text) { return Bstr(std::wstring_view(text ? text : L"", SysStringLen(text))); }
}  // namespace

VelWindow::VelWindow() : messages_(Make<VelMessages>()) { messages_->SetListener(this); }

VelWindow::~VelWindow() { messages_->SetListener(nullptr); }

// ---- automation interface

STDMETHODIMP VelWindow::get_SubClassHwnd(LONG* hwnd) {
    VEL_CHECK_OUT(hwnd);
    *hwnd = subClassHwnd_;
    return S_OK;
}

STDMETHODIMP VelWindow::put_SubClassHwnd(LONG hwnd) {
    return Guarded(kIid, [&] { SetHandle(hwnd); });
}

STDMETHODIMP VelWindow::get_Name(BSTR* name) {
    VEL_CHECK_OUT(name);
    *name = nullptr;
    return Guarded(kIid, [&] { *name = name_.Copy(); });
}

STDMETHODIMP VelWindow::put_Name(BSTR name) {
    return Guarded(kIid, [&] { SetName(TextArgument(name)); });
}

STDMETHODIMP VelWindow::get_Messages(_VelMessages** messages) {
    VEL_CHECK_OUT(messages);
    *messages = messages_.Get();
    (*messages)->AddRef();
    return S_OK;
}

STDMETHODIMP VelWindow::get_Index(LONG* index) {
    VEL_CHECK_OUT(index);
    *index = index_;
    return S_OK;
}

STDMETHODIMP VelWindow::get_Key(VARIANT* key) {
    VEL_CHECK_OUT(key);
    VariantInit(key);
    return Guarded(kIid, [&] { key_.CopyTo(key); });
}

STDMETHODIMP VelWindow::put_Key(VARIANT key) {
    return Guarded(kIid, [&] { SetKey(key); });
}

STDMETHODIMP VelWindow::get_Tag(VARIANT* tag) {
    VEL_CHECK_OUT(tag);
    VariantInit(tag);
    return Guarded(kIid, [&] { tag_.CopyTo(tag); });
}

STDMETHODIMP VelWindow::put_Tag(VARIANT tag) {
    return Guarded(kIid, [&] { SetTag(tag); });
}

// ---- operations of the library

void VelWindow::SetIndex(long index) {
    index_ = index;
    messages_->SetWindowIndex(index);
}

// Changing the handle does not move an existing subclassing: the handle subclassed
// before is remembered and is the one given back its procedure later.
void VelWindow::SetHandle(long hwnd) {
    subClassHwnd_ = hwnd;
    Notify(L"SubClassHwnd");
}

void VelWindow::SetName(Bstr name) {
    name_ = std::move(name);
    Notify(L"Name");
}

void VelWindow::SetKey(const VARIANT& argument) {
    Variant key = KeyArgument(argument);
    if (parent_) {
        parent_->AssignKey(*this, std::move(key));
    } else if (ValueDiffers(key_.Get(), key.Get())) {
        key_ = std::move(key);
    }
}

void VelWindow::SetTag(const VARIANT& argument) {
    Variant tag = Variant::Dereferenced(argument);
    if (!ValueDiffers(tag_.Get(), tag.Get())) return;
    tag_ = std::move(tag);
    Notify(L"Tag");
}

void VelWindow::SetPrevWndProc(HWND subclassed, WNDPROC previous) {
    subclassing_ = true;
    subclassedHwnd_ = subclassed;
    prevWndProc_ = previous;
}

void VelWindow::ForgetSubclass() {
    subclassing_ = false;
    subclassedHwnd_ = nullptr;
    prevWndProc_ = nullptr;
}

void VelWindow::Notify(const wchar_t* property) {
    if (parent_) parent_->NotifyChanged(*this, property);
}

// ---- events of the window's messages

void VelWindow::MessageAdded(VelMessage& message) {
    ComPtr<VelWindow> self(this);
    if (parent_) parent_->RaiseMessageAdded(message);
}

void VelWindow::MessageRemoved(VelMessage* message) {
    ComPtr<VelWindow> self(this);
    if (parent_) parent_->RaiseMessageRemoved(message);
}

void VelWindow::MessageChanged(VelMessage& message, std::wstring_view property) {
    ComPtr<VelWindow> self(this);
    if (parent_) parent_->RaiseMessageChanged(message, std::wstring(property).c_str());
}

}  // namespace vel::msghook
