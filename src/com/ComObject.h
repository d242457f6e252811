#pragma once
#include <windows.h>
#include <oaidl.h>
#include <new>
#include <tuple>
#include <type_traits>
#include <utility>
#include <wrl/client.h>

#include "Module.h"

namespace vel::com {

using Microsoft::WRL::ComPtr;

namespace detail {

template <class T, class = void>
struct InterfaceOf {
    using type = T;
};
// Mixins that implement an interface name it as `Interface`.
template <class T>
struct InterfaceOf<T, std::void_t<typename T::Interface>> {
    using type = typename T::Interface;
};

}  // namespace detail

// Reference counting and QueryInterface for a class implementing `Interfaces...`
// (interfaces, or mixins that name their interface as `Interface`). IDispatch is
// answered by the first interface that derives from it. Every live object counts
// towards the module's object count.
template <class Derived, class... Interfaces>
class ComObject : public Interfaces... {
public:
    ComObject() { Module::ObjectCreated(); }
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;
    virtual ~ComObject() { Module::ObjectDestroyed(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown) {
            *out = static_cast<IUnknown*>(static_cast<First*>(this));
        } else if (iid == IID_IDispatch) {
            *out = DispatchPointer<Interfaces...>();
        } else {
            (TryInterface<Interfaces>(iid, out) || ...);
        }
        if (!*out && !QueryExtra(iid, out)) return E_NOINTERFACE;
        static_cast<IUnknown*>(*out)->AddRef();
        return S_OK;
    }

    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&references_); }

    STDMETHODIMP_(ULONG) Release() override {
        LONG left = InterlockedDecrement(&references_);
        if (left == 0) {
            // Held at one while FinalRelease runs, so that it may hand out and
            // release references to the object without deleting it twice.
            references_ = 1;
            FinalRelease();
            delete static_cast<Derived*>(this);
        }
        return left;
    }

    IUnknown* Unknown() { return static_cast<IUnknown*>(static_cast<First*>(this)); }

protected:
    // Further interfaces (tear-offs, sub-objects); set *out without AddRef.
    virtual bool QueryExtra(REFIID, void**) { return false; }
    // Runs once when the last reference goes, while the object is still whole.
    virtual void FinalRelease() {}

private:
    using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;

    template <class I>
    bool TryInterface(REFIID iid, void** out) {
        using Itf = typename detail::InterfaceOf<I>::type;
        if (iid != __uuidof(Itf)) return false;
        *out = static_cast<Itf*>(static_cast<I*>(this));
        return true;
    }

    template <class I, class... Rest>
    void* DispatchPointer() {
        using Itf = typename detail::InterfaceOf<I>::type;
        if constexpr (std::is_base_of_v<IDispatch, Itf>) {
            return static_cast<IDispatch*>(static_cast<Itf*>(static_cast<I*>(this)));
        } else if constexpr (sizeof...(Rest) > 0) {
            return DispatchPointer<Rest...>();
        } else {
            return nullptr;
        }
    }

    LONG references_ = 0;
};

// Creates a COM object of the runtime; the returned pointer holds the only reference.
template <class T, class... Args>
ComPtr<T> Make(Args&&... args) {
    // The constructor takes the first reference (MinGW's ComPtr::Attach adds one too,
    // unlike Microsoft's, so Attach is not used here).
    ComPtr<T> object(new T(std::forward<Args>(args)...));
    return object;
}

}  // namespace vel::com
