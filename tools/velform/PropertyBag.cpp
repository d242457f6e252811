#include "PropertyBag.h"

#include "ObjectStream.h"

namespace velform {
namespace {

bool SameName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()),
                                TRUE) == CSTR_EQUAL;
}

bool IsObject(const VARIANT& value) {
    return (value.vt == VT_UNKNOWN || value.vt == VT_DISPATCH) && value.punkVal != nullptr;
}

HRESULT ReadObject(const StoredValue& stored, VARIANT* value) {
    VARTYPE wanted = value->vt == VT_UNKNOWN ? VT_UNKNOWN : VT_DISPATCH;
    vel::com::ComPtr<IUnknown> object;
    HRESULT hr = ObjectStream::Restore(stored.objectClass, stored.objectData, &object);
    if (FAILED(hr)) return hr;
    VariantClear(value);
    if (wanted == VT_DISPATCH) {
        hr = object.CopyTo(&value->pdispVal);
        if (FAILED(hr)) return hr;
    } else {
        value->punkVal = object.Detach();
    }
    value->vt = wanted;
    return S_OK;
}

}  // namespace

const StoredValue* PropertyBag::Find(std::wstring_view name) const {
    for (auto& entry : entries_) {
        if (SameName(entry.name, name)) return &entry.stored;
    }
    return nullptr;
}

void PropertyBag::Put(NamedValue entry) {
    for (auto& existing : entries_) {
        if (SameName(existing.name, entry.name)) {
            existing.stored = std::move(entry.stored);
            return;
        }
    }
    entries_.push_back(std::move(entry));
}

STDMETHODIMP PropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    const StoredValue* stored = Find(name);
    if (!stored) return E_INVALIDARG;
    if (stored->isObject) return ReadObject(*stored, value);
    VARTYPE wanted = value->vt;
    VariantClear(value);
    HRESULT hr = VariantCopy(value, const_cast<VARIANT*>(&stored->value.Get()));
    if (SUCCEEDED(hr) && wanted != VT_EMPTY && wanted != value->vt) {
        hr = VariantChangeTypeEx(value, value, LOCALE_INVARIANT, 0, wanted);
    }
    return hr;
}

STDMETHODIMP PropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    try {
        NamedValue entry{name, {}};
        auto plain = vel::com::Variant::Dereferenced(*value);
        if (IsObject(plain.Get())) {
            HRESULT hr = ObjectStream::Capture(plain.Get().punkVal, &entry.stored.objectClass,
                                               &entry.stored.objectData);
            if (FAILED(hr)) return hr;
            entry.stored.isObject = true;
        } else {
            entry.stored.value = std::move(plain);
        }
        Put(std::move(entry));
        return S_OK;
    } catch (...) {
        return E_FAIL;
    }
}

}  // namespace velform
