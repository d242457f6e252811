#pragma once
#include <windows.h>
#include <objidl.h>
#include <functional>
#include <vector>
#include <wrl/client.h>

#include "Variant.h"

namespace vel::hosting {

// The formats and values an OLE drag carries, as form code sees them through a data
// object's Clear, GetData, GetFormat and SetData, and as drop targets see them through
// IDataObject. Formats are clipboard format numbers (1 text, 13 Unicode text, and so
// on; -16639 is rich text). A drag source's own data is writable; the data a drop
// target receives is a read-only view of whatever object the drag carries.
//
// Strings are served as text (ANSI, or UTF-16 for Unicode text); byte arrays as their
// bytes. Read back from another source, text formats come as strings and every other
// format as a byte array.
class DragDataCore {
public:
    // Asked for the value of a format that was declared without one, when a drop
    // target wants it; it stores the value with SetData.
    using Supplier = std::function<void(short format)>;

    DragDataCore() = default;
    explicit DragDataCore(IDataObject* carried) : carried_(carried) {}

    void Clear();
    com::Variant GetData(short format);
    bool GetFormat(short format);
    void SetData(const VARIANT& value, const VARIANT& format);
    void SetSupplier(Supplier supplier) { supplier_ = std::move(supplier); }
    // Nothing to carry: no format was declared.
    bool Empty() const { return !carried_ && entries_.empty(); }

    // IDataObject, for drop targets.
    HRESULT GetMedium(const FORMATETC* wanted, STGMEDIUM* medium);
    HRESULT QueryFormat(const FORMATETC* wanted);
    HRESULT EnumFormats(DWORD direction, IEnumFORMATETC** formats);

    static CLIPFORMAT ClipboardFormat(short format);

private:
    struct Entry {
        short format;
        com::Variant value;
        bool supplied;
    };
    Entry* Find(CLIPFORMAT format);
    Entry* Supplied(CLIPFORMAT format);
    void RequireWritable() const;

    std::vector<Entry> entries_;
    Microsoft::WRL::ComPtr<IDataObject> carried_;
    Supplier supplier_;
    bool supplying_ = false;
};

}  // namespace vel::hosting
