#pragma once
#include <windows.h>
#include <ocidl.h>
#include <vector>

#include "ComObject.h"
#include "Variant.h"

namespace vel::com {

// How an enumerator hands out one element of its snapshot.
struct VariantElement {
    using Stored = Variant;
    using Out = VARIANT;
    static void Copy(const Stored& from, Out* to) { from.CopyTo(to); }
};

struct ConnectionElement {
    struct Stored {
        ComPtr<IUnknown> sink;
        DWORD cookie;
    };
    using Out = CONNECTDATA;
    static void Copy(const Stored& from, Out* to) {
        to->pUnk = from.sink.Get();
        to->pUnk->AddRef();
        to->dwCookie = from.cookie;
    }
};

struct ConnectionPointElement {
    using Stored = ComPtr<IConnectionPoint>;
    using Out = IConnectionPoint*;
    static void Copy(const Stored& from, Out* to) {
        *to = from.Get();
        (*to)->AddRef();
    }
};

// A standard enumerator over a snapshot taken when it was created, so that changes
// to the source while it is in use cannot invalidate it.
template <class IEnum, class Element>
class SnapshotEnumerator : public ComObject<SnapshotEnumerator<IEnum, Element>, IEnum> {
public:
    using Stored = typename Element::Stored;
    explicit SnapshotEnumerator(std::vector<Stored> items, size_t position = 0)
        : items_(std::move(items)), position_(position) {}

    STDMETHODIMP Next(ULONG count, typename Element::Out* out, ULONG* fetched) override {
        if (!out || (count > 1 && !fetched)) return E_POINTER;
        ULONG n = 0;
        try {
            for (; n < count && position_ < items_.size(); ++n, ++position_) Element::Copy(items_[position_], out + n);
        } catch (...) {
            if (fetched) *fetched = n;
            return E_OUTOFMEMORY;
        }
        if (fetched) *fetched = n;
        return n == count ? S_OK : S_FALSE;
    }

    STDMETHODIMP Skip(ULONG count) override {
        size_t left = items_.size() - position_;
        position_ += count < left ? count : left;
        return count <= left ? S_OK : S_FALSE;
    }

    STDMETHODIMP Reset() override {
        position_ = 0;
        return S_OK;
    }

    STDMETHODIMP Clone(IEnum** out) override {
        if (!out) return E_POINTER;
        try {
            *out = Make<SnapshotEnumerator>(items_, position_).Detach();
            return S_OK;
        } catch (...) {
            *out = nullptr;
            return E_OUTOFMEMORY;
        }
    }

private:
    std::vector<Stored> items_;
    size_t position_;
};

using VariantEnumerator = SnapshotEnumerator<IEnumVARIANT, VariantElement>;

}  // namespace vel::com
