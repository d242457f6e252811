#pragma once
#include <ocidl.h>
#include <string_view>
#include <vector>

#include "ComObject.h"
#include "StoredValue.h"

namespace velform {

// The property bag of one control: names (case-insensitive) and values in the
// order they were first written. Objects are stored by having them save
// themselves through IPersistStream and are rebuilt the same way on reading.
class PropertyBag : public vel::com::ComObject<PropertyBag, IPropertyBag> {
public:
    STDMETHODIMP Read(LPCOLESTR name, VARIANT* value, IErrorLog* log) override;
    STDMETHODIMP Write(LPCOLESTR name, VARIANT* value) override;

    const std::vector<NamedValue>& Entries() const { return entries_; }
    const StoredValue* Find(std::wstring_view name) const;
    void Put(NamedValue entry);

private:
    std::vector<NamedValue> entries_;
};

}  // namespace velform
