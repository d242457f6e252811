#include "VelWindows.h"

#include <exception>

#include "Boundary.h"
#include "Convert.h"
#include "HookErrors.h"
#include "MCallBack.h"
#include "MemberValues.h"
#include "SnapshotEnumerator.h"
#include "WindowsListener.h"

namespace vel::msghook {

using namespace com;

namespace {

const IID& kIid = __uuidof(_VelWindows);

enum EventId : DISPID {
    kAdded = 1,
    kRemoved = 2,
    kChanged = 3,
    kMessageAdded = 4,
    kMessageRemoved = 5,
    kMessageChanged = 6,
    kCallBack = 7
};

::VelWindow* Out(const ComPtr<VelWindow>& window) {
    return static_cast<::VelWindow*>(ComPtr<VelWindow>(window).Detach());
}

Variant DispatchOf(VelWindow* window) { return Variant::FromDispatch(static_cast<::VelWindow*>(window)); }
Variant DispatchOf(VelMessage* message) { return Variant::FromDispatch(static_cast<::VelMessage*>(message)); }

}  // namespace

// Holds suppressChanged for the life of a scope; a failure on the way releases it.
class VelWindows::SuppressChanged {
public:
    explicit SuppressChanged(VelWindows& windows) : windows_(windows) { windows_.suppressChanged_ = true; }
    ~SuppressChanged() { windows_.suppressChanged_ = false; }

private:
    VelWindows& windows_;
};

VelWindows::VelWindows() : events_(*this, DIID___VelWindows) { RegisterConnectionPoint(events_); }

VelWindows::~VelWindows() {
    for (auto& window : windows_.All()) Dismiss(*window.Get());
}

// ---- automation interface

STDMETHODIMP VelWindows::get_Count(LONG* count) {
    VEL_CHECK_OUT(count);
    *count = windows_.Count();
    return S_OK;
}

STDMETHODIMP VelWindows::get_Item(VARIANT index, ::VelWindow** window) {
    VEL_CHECK_OUT(window);
    *window = nullptr;
    return Guarded(kIid, [&] { *window = Out(WindowAt(index)); });
}

STDMETHODIMP VelWindows::NewEnum(IUnknown** enumerator) {
    VEL_CHECK_OUT(enumerator);
    *enumerator = nullptr;
    return Guarded(kIid, [&] {
        std::vector<Variant> snapshot;
        snapshot.reserve(windows_.All().size());
        for (auto& window : windows_.All()) snapshot.push_back(DispatchOf(window.Get()));
        auto created = Make<VariantEnumerator>(std::move(snapshot));
        *enumerator = created->Unknown();
        (*enumerator)->AddRef();
    });
}

STDMETHODIMP VelWindows::Add(VARIANT index, VARIANT key, VARIANT name, VARIANT hwnd, ::VelWindow** window) {
    VEL_CHECK_OUT(window);
    *window = nullptr;
    return Guarded(kIid, [&] { *window = Out(AddWindow(index, key, name, hwnd)); });
}

STDMETHODIMP VelWindows::Remove(VARIANT index) {
    return Guarded(kIid, [&] { RemoveWindow(index); });
}

STDMETHODIMP VelWindows::Clear() {
    return Guarded(kIid, [&] { ClearWindows(); });
}

// ---- windows

ComPtr<VelWindow> VelWindows::WindowAt(const VARIANT& index) const {
    return windows_.Find(index, HookErrors::IndexOutOfBounds());
}

// Adding a window does not subclass it; only setting the hook's Subclass does.
ComPtr<VelWindow> VelWindows::AddWindow(const VARIANT& index, const VARIANT& key, const VARIANT& name,
                                        const VARIANT& hwnd) {
    ComPtr<VelWindow> window;
    {
        SuppressChanged suppress(*this);
        window = Make<VelWindow>();
        window->SetParent(this);
        const bool insert = !IsOmitted(index);
        const long position = insert ? windows_.ToIndex(index) : Count() + 1;
        if (!IsOmitted(key)) {
            Variant stored = KeyArgument(key);
            if (windows_.KeyExists(stored.Get())) throw HookErrors::KeyExists();
            window->StoreKey(std::move(stored));
        }
        if (!IsOmitted(hwnd)) window->StoreHandle(ToLong(hwnd));
        if (!IsOmitted(name)) window->StoreName(ToText(name));
        if (insert && !windows_.ValidPosition(position)) Raise(StandardError::SubscriptOutOfRange);
        windows_.Insert(position, window);
        windows_.Renumber();
    }
    RaiseAdded(*window.Get());
    return window;
}

void VelWindows::RemoveWindow(const VARIANT& index) {
    const long position = windows_.ToIndex(index);
    if (!windows_.ValidPosition(position)) throw HookErrors::IndexOutOfBounds();
    ComPtr<VelWindow> removed = windows_.RemoveAt(position);
    Dismiss(*removed.Get());
    windows_.Renumber();
    RaiseRemoved(removed.Get());
}

void VelWindows::ClearWindows() {
    Members former = windows_.TakeAll();
    for (auto& window : former) Dismiss(*window.Get());
    RaiseRemoved(nullptr);
}

// A window leaves the collection unsubclassed, so that its handle's subclass count
// stays balanced and no message of it is left to a registration that no longer exists.
void VelWindows::Dismiss(VelWindow& window) {
    MCallBack::UnsubclassWindow(window);
    window.SetParent(nullptr);
}

void VelWindows::NotifyChanged(VelWindow& window, const wchar_t* property) {
    if (!suppressChanged_) RaiseChanged(window, property);
}

bool VelWindows::HasWindowHandle() const {
    for (auto& window : windows_.All()) {
        if (window->HandleValue() != 0) return true;
    }
    return false;
}

MessageLookup VelWindows::FindMessage(const VelWindow& window, long message) const {
    return window.Messages().FindMessage(message);
}

// The uniqueness check comes first, so a window given its own non-blank key fails;
// an unchanged (blank) key is not reported.
void VelWindows::AssignKey(VelWindow& window, Variant key) {
    if (windows_.KeyExists(key.Get())) throw HookErrors::KeyExists();
    if (!ValueDiffers(window.KeyValue(), key.Get())) return;
    windows_.ChangeKey(&window, window.KeyValue(), key.Get());
    window.StoreKey(std::move(key));
    NotifyChanged(window, L"Key");
}

// ---- events: each holds the collection and the member it hands out

void VelWindows::RaiseAdded(VelWindow& window) {
    ComPtr<VelWindows> self(this);
    ComPtr<VelWindow> hold(&window);
    if (listener_) listener_->WindowAdded(window);
    events_.Fire(kAdded, {DispatchOf(&window)});
}

void VelWindows::RaiseRemoved(VelWindow* window) {
    ComPtr<VelWindows> self(this);
    ComPtr<VelWindow> hold(window);
    if (listener_) listener_->WindowRemoved(window);
    events_.Fire(kRemoved, {DispatchOf(window)});
}

void VelWindows::RaiseChanged(VelWindow& window, const wchar_t* property) {
    ComPtr<VelWindows> self(this);
    ComPtr<VelWindow> hold(&window);
    if (listener_) listener_->WindowChanged(window, property);
    events_.Fire(kChanged, {DispatchOf(&window), Variant::FromString(property)});
}

void VelWindows::RaiseMessageAdded(VelMessage& message) {
    ComPtr<VelWindows> self(this);
    ComPtr<VelMessage> hold(&message);
    if (listener_) listener_->MessageAdded(message);
    events_.Fire(kMessageAdded, {DispatchOf(&message)});
}

void VelWindows::RaiseMessageRemoved(VelMessage* message) {
    ComPtr<VelWindows> self(this);
    ComPtr<VelMessage> hold(message);
    if (listener_) listener_->MessageRemoved(message);
    events_.Fire(kMessageRemoved, {DispatchOf(message)});
}

void VelWindows::RaiseMessageChanged(VelMessage& message, const wchar_t* property) {
    ComPtr<VelWindows> self(this);
    ComPtr<VelMessage> hold(&message);
    if (listener_) listener_->MessageChanged(message, property);
    events_.Fire(kMessageChanged, {DispatchOf(&message), Variant::FromString(property)});
}

// The four values go out as copies: what a handler does with them is discarded. They are
// longs, as the event declares them: a window handle fits one (handles carry 32 significant
// bits in 64-bit Windows too); of a 64-bit process's wParam and lParam the event carries the
// low 32 bits, while the window's procedure and the owning control receive every bit.
void VelWindows::RaiseCallBack(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    ComPtr<VelWindows> self(this);
    try {
        if (listener_) listener_->CallBack(hwnd, message, wParam, lParam);
        if (!events_.HasSinks()) return;
        events_.Fire(kCallBack, {Variant::FromLong(static_cast<long>(reinterpret_cast<LONG_PTR>(hwnd))),
                                 Variant::FromLong(static_cast<long>(message)),
                                 Variant::FromLong(static_cast<long>(static_cast<DWORD>(wParam))),
                                 Variant::FromLong(static_cast<long>(static_cast<DWORD>(lParam)))});
    } catch (...) {
        // A window procedure has no caller to report to.
    }
}

}  // namespace vel::msghook
