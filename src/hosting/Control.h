#pragma once
#include <windows.h>

#include "ComObject.h"
#include "ControlBase.h"
#include "DispatchImpl.h"
#include "ProvideClassInfo.h"
#include "SupportErrorInfo.h"

namespace vel::hosting {

// The base of every control: COM identity for the control class `Class` with the
// dual interface `Dual` and the event interface `*Events`, over the OLE control
// protocol of ControlBase. Create controls with CreateControl so that Initialize runs
// once the object is complete; Terminate runs when the last reference goes.
template <class Derived, class Dual, const CLSID* Class, const IID* Events>
class Control : public ControlBase,
                public com::ComObject<Derived, com::DispatchImpl<Dual>, com::SupportErrorInfo,
                                      com::ProvideClassInfo<Class, Events>> {
    using Identity = com::ComObject<Derived, com::DispatchImpl<Dual>, com::SupportErrorInfo,
                                    com::ProvideClassInfo<Class, Events>>;

public:
    // One identity for the OLE interfaces of ControlBase and the automation ones.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override { return Identity::QueryInterface(iid, out); }
    STDMETHODIMP_(ULONG) AddRef() override { return Identity::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return Identity::Release(); }

protected:
    Control() : ControlBase(*Class, __uuidof(Dual), *Events) {}

    bool QueryExtra(REFIID iid, void** out) override {
        if (iid == IID_IProvideClassInfo) {
            *out = static_cast<IProvideClassInfo2*>(this);
            return true;
        }
        return this->QueryControlInterface(iid, out);
    }

    void FinalRelease() override { this->Terminate(); }
};

// Creates and initialises a control: the ClassFactory creator of a control class.
template <class T>
com::ComPtr<T> MakeControl() {
    auto control = com::Make<T>();
    control->Initialize();
    return control;
}

template <class T>
HRESULT CreateControl(IUnknown** object) {
    try {
        *object = static_cast<IOleObject*>(MakeControl<T>().Detach());
        return S_OK;
    } catch (const com::AutomationError& error) {
        return error.Result();
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace vel::hosting
