#pragma once
#include "Bstr.h"
#include "ComObject.h"
#include "DispatchImpl.h"
#include "MessagesListener.h"
#include "MsgHookTypes.h"
#include "SupportErrorInfo.h"
#include "Variant.h"
#include "VelMessages.h"

namespace vel::msghook {

class VelWindows;

// One window that a hook watches, with the message numbers wanted for it. While the
// hook subclasses it, the window also remembers which handle it subclassed and the
// procedure that handle had before. Created only by VelWindows.Add.
class VelWindow : public com::ComObject<VelWindow, com::DispatchImpl<::VelWindow>, com::SupportErrorInfo>,
                  private MessagesListener {
public:
    VelWindow();
    ~VelWindow() override;

    // Automation interface.
    STDMETHODIMP get_SubClassHwnd(LONG* hwnd) override;
    STDMETHODIMP put_SubClassHwnd(LONG hwnd) override;
    STDMETHODIMP get_Name(BSTR* name) override;
    STDMETHODIMP put_Name(BSTR name) override;
    STDMETHODIMP get_Messages(_VelMessages** messages) override;
    STDMETHODIMP get_Index(LONG* index) override;
    STDMETHODIMP get_Key(VARIANT* key) override;
    STDMETHODIMP put_Key(VARIANT key) override;
    STDMETHODIMP get_Tag(VARIANT* tag) override;
    STDMETHODIMP put_Tag(VARIANT tag) override;

    // Operations of the library.
    void SetParent(VelWindows* parent) { parent_ = parent; }
    VelWindows* Parent() const { return parent_; }
    void SetIndex(long index);
    void AssignIndex(long index) { SetIndex(index); }
    long IndexValue() const { return index_; }
    const VARIANT& KeyValue() const { return key_.Get(); }
    void StoreKey(com::Variant key) { key_ = std::move(key); }
    VelMessages& Messages() const { return *messages_.Get(); }

    long HandleValue() const { return subClassHwnd_; }
    HWND Handle() const { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(subClassHwnd_)); }
    // Store without notification (Add builds a window with these).
    void StoreHandle(long hwnd) { subClassHwnd_ = hwnd; }
    void StoreName(com::Bstr name) { name_ = std::move(name); }

    void SetHandle(long hwnd);
    void SetName(com::Bstr name);
    void SetKey(const VARIANT& argument);
    void SetTag(const VARIANT& argument);

    // The subclassing this registration holds: the handle it subclassed and the
    // procedure that handle had before.
    bool IsSubclassing() const { return subclassing_; }
    HWND SubclassedHandle() const { return subclassedHwnd_; }
    void SetPrevWndProc(HWND subclassed, WNDPROC previous);
    WNDPROC GetPrevWndProc() const { return prevWndProc_; }
    void ForgetSubclass();
    // Whether this registration is the one subclassing `hwnd` under its current handle.
    bool Claims(HWND hwnd) const { return subclassing_ && subclassedHwnd_ == hwnd && Handle() == hwnd; }

private:
    // Messages of this window travel on to the windows collection.
    void MessageAdded(VelMessage& message) override;
    void MessageRemoved(VelMessage* message) override;
    void MessageChanged(VelMessage& message, std::wstring_view property) override;
    void Notify(const wchar_t* property);

    VelWindows* parent_ = nullptr;  // the owning collection while the window belongs to it
    com::Bstr name_;
    long subClassHwnd_ = 0;
    com::Variant key_;
    com::Variant tag_;
    long index_ = 0;
    com::ComPtr<VelMessages> messages_;
    bool subclassing_ = false;
    HWND subclassedHwnd_ = nullptr;
    WNDPROC prevWndProc_ = nullptr;
};

}  // namespace vel::msghook
