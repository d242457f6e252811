#pragma once
#include "ComObject.h"
#include "ConnectionPoint.h"
#include "DispatchImpl.h"
#include "KeyedSequence.h"
#include "MsgHookTypes.h"
#include "ProvideClassInfo.h"
#include "SupportErrorInfo.h"
#include "VelWindow.h"

namespace vel::msghook {

class WindowsListener;

// The keyed windows a hook watches. It also carries the hook's subclass flag, answers
// the window procedure how a message is to be processed, and raises the event through
// which a message reaches the hook.
class VelWindows
    : public com::ComObject<VelWindows, com::DispatchImpl<_VelWindows>, com::SupportErrorInfo,
                            com::ConnectionPointContainerImpl,
                            com::ProvideClassInfo<&CLSID_VelWindows, &DIID___VelWindows>> {
public:
    using Members = com::KeyedSequence<VelWindow>::Members;

    VelWindows();
    ~VelWindows() override;

    // Automation interface.
    STDMETHODIMP get_Count(LONG* count) override;
    STDMETHODIMP get_Item(VARIANT index, ::VelWindow** window) override;
    STDMETHODIMP NewEnum(IUnknown** enumerator) override;
    STDMETHODIMP Add(VARIANT index, VARIANT key, VARIANT name, VARIANT hwnd, ::VelWindow** window) override;
    STDMETHODIMP Remove(VARIANT index) override;
    STDMETHODIMP Clear() override;

    // The owning hook hears every event first; it clears the listener before it goes.
    void SetListener(WindowsListener* listener) { listener_ = listener; }

    // Operations of the library (C++ callers).
    com::ComPtr<VelWindow> AddWindow(const VARIANT& index, const VARIANT& key, const VARIANT& name,
                                     const VARIANT& hwnd);
    void RemoveWindow(const VARIANT& index);
    void ClearWindows();
    com::ComPtr<VelWindow> WindowAt(const VARIANT& index) const;
    long Count() const { return windows_.Count(); }
    const Members& All() const { return windows_.All(); }

    long ToIndex(const VARIANT& value) const { return windows_.ToIndex(value); }
    long IndexOfKey(const VARIANT& key) const { return windows_.IndexOfKey(key); }
    bool KeyExists(const VARIANT& key) const { return windows_.KeyExists(key); }
    void Renumber() { windows_.Renumber(); }
    void NotifyChanged(VelWindow& window, const wchar_t* property);
    void SetSubclass(bool subclass) { subclassFlag_ = subclass; }
    bool GetSubclass() const { return subclassFlag_; }
    bool HasWindowHandle() const;
    MessageLookup FindMessage(const VelWindow& window, long message) const;
    // Raises CallBack; the listener's failures stay inside (it runs from a window procedure).
    void RaiseCallBack(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void RaiseMessageAdded(VelMessage& message);
    void RaiseMessageRemoved(VelMessage* message);
    void RaiseMessageChanged(VelMessage& message, const wchar_t* property);

    // Called by a window of this collection.
    void AssignKey(VelWindow& window, com::Variant key);

private:
    class SuppressChanged;
    void Dismiss(VelWindow& window);
    void RaiseAdded(VelWindow& window);
    void RaiseRemoved(VelWindow* window);
    void RaiseChanged(VelWindow& window, const wchar_t* property);

    com::KeyedSequence<VelWindow> windows_;
    com::ConnectionPoint events_;
    WindowsListener* listener_ = nullptr;
    bool suppressChanged_ = false;
    bool subclassFlag_ = false;
};

}  // namespace vel::msghook
