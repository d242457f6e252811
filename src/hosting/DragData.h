#pragma once
#include <windows.h>
#include <objidl.h>

#include "Boundary.h"
#include "ComObject.h"
#include "DispatchImpl.h"
#include "DragDataCore.h"
#include "SupportErrorInfo.h"

namespace vel::hosting {

// The data object of an OLE drag as form code and drop targets see it: the
// automation interface `Dual` (Clear, GetData, GetFormat, SetData, declared in the
// control library's type library) and IDataObject, both over one DragDataCore.
template <class Dual>
class DragData : public com::ComObject<DragData<Dual>, com::DispatchImpl<Dual>, com::SupportErrorInfo, IDataObject> {
public:
    DragData() = default;
    // A read-only view of the data a drop brings.
    explicit DragData(IDataObject* carried) : core_(carried) {}

    DragDataCore& Core() { return core_; }

    // Automation interface.
    STDMETHODIMP Clear() override {
        return com::Guarded(__uuidof(Dual), [&] { core_.Clear(); });
    }
    STDMETHODIMP GetData(short format, VARIANT* data) override {
        if (!data) return E_POINTER;
        VariantInit(data);
        return com::Guarded(__uuidof(Dual), [&] { core_.GetData(format).CopyTo(data); });
    }
    STDMETHODIMP GetFormat(short format, VARIANT_BOOL* present) override {
        if (!present) return E_POINTER;
        *present = VARIANT_FALSE;
        return com::Guarded(__uuidof(Dual), [&] { *present = core_.GetFormat(format) ? VARIANT_TRUE : VARIANT_FALSE; });
    }
    STDMETHODIMP SetData(VARIANT value, VARIANT format) override {
        return com::Guarded(__uuidof(Dual), [&] { core_.SetData(value, format); });
    }

    // IDataObject
    STDMETHODIMP GetData(FORMATETC* wanted, STGMEDIUM* medium) override {
        return Contained([&] { return core_.GetMedium(wanted, medium); });
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* wanted) override {
        return Contained([&] { return core_.QueryFormat(wanted); });
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        return Contained([&] { return core_.EnumFormats(direction, formats); });
    }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    // A failure on the way to a drop target (a supplier's error, no memory) is the
    // format being unavailable, never an exception across the interface.
    template <class Body>
    static HRESULT Contained(Body body) noexcept {
        try {
            return body();
        } catch (const com::AutomationError&) {
            return DV_E_FORMATETC;
        } catch (...) {
            return E_OUTOFMEMORY;
        }
    }

    DragDataCore core_;
};

}  // namespace vel::hosting
