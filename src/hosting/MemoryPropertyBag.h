#pragma once
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <vector>

#include "ComObject.h"
#include "Variant.h"

namespace vel::hosting {

// A property bag kept in memory, and its stream form. Objects are stored whole:
// a written object is saved at once through IPersistStream and every read loads a
// new object from that copy, so later changes to the written object do not reach
// what was saved. Only fonts and pictures load back: a stream holding an object of any
// other class is refused whole. Names are matched case-insensitively.
class MemoryPropertyBag : public com::ComObject<MemoryPropertyBag, IPropertyBag> {
public:
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    // Stream form: the bag's values, and nothing after them, from the current position.
    HRESULT Save(IStream* stream) const;
    // Replaces the contents only when the whole stored form reads back intact.
    HRESULT Load(IStream* stream);
    ULONG SizeInStream() const;

    size_t Count() const { return entries_.size(); }
    bool Contains(const wchar_t* name) const { return Find(name) != nullptr; }

private:
    struct Entry {
        std::wstring name;
        com::Variant value;        // simple values; VT_UNKNOWN marks a saved object
        std::vector<BYTE> object;  // the saved object (empty for Nothing)
    };

    const Entry* Find(const wchar_t* name) const;
    Entry& FindOrAdd(const wchar_t* name);
    static HRESULT StoreValue(Entry& entry, const VARIANT& value);
    static HRESULT ReadEntry(IStream* stream, Entry& entry);
    static HRESULT WriteEntry(IStream* stream, const Entry& entry);

    std::vector<Entry> entries_;
};

}  // namespace vel::hosting
