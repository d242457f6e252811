#include "DragDataCore.h"

#include <optional>
#include <string>

#include "AutomationError.h"
#include "ComObject.h"
#include "SnapshotEnumerator.h"

namespace vel::hosting {
namespace {

constexpr short kRichTextNumber = -16639;
// Data read from a stream stops here; no drop needs more.
constexpr size_t kLargestStream = 64u << 20;

com::AutomationError FormatMismatch() {
    return com::MakePlainError(461, L"Specified format doesn't match format of data");
}

com::AutomationError NotWritable() {
    return com::MakePlainError(
        672, L"DataObject formats list may not be cleared or expanded outside of the OLEStartDrag event");
}

bool IsTextFormat(CLIPFORMAT format) {
    return format == CF_TEXT || format == CF_OEMTEXT || format == CF_UNICODETEXT ||
           format == DragDataCore::ClipboardFormat(kRichTextNumber);
}

struct FormatElement {
    using Stored = FORMATETC;
    using Out = FORMATETC;
    static void Copy(const Stored& from, Out* to) { *to = from; }
};

FORMATETC Describe(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool IsBytes(const VARIANT& value) { return value.vt == (VT_ARRAY | VT_UI1) && value.parray; }

// A global memory block owned until it is handed over.
class GlobalBlock {
public:
    explicit GlobalBlock(size_t size) : block_(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size ? size : 1)) {
        if (!block_) throw std::bad_alloc();
    }
    GlobalBlock(const GlobalBlock&) = delete;
    GlobalBlock& operator=(const GlobalBlock&) = delete;
    ~GlobalBlock() {
        if (block_) GlobalFree(block_);
    }
    void Fill(const void* bytes, size_t size) {
        void* target = GlobalLock(block_);
        if (!target) throw std::bad_alloc();
        memcpy(target, bytes, size);
        GlobalUnlock(block_);
    }
    HGLOBAL Release() { return std::exchange(block_, nullptr); }

private:
    HGLOBAL block_;
};

std::vector<BYTE> BytesOf(const VARIANT& value, CLIPFORMAT format) {
    if (IsBytes(value)) {
        SAFEARRAY* array = value.parray;
        ULONG size = array->rgsabound[0].cElements;
        std::vector<BYTE> bytes(size);
        void* data = nullptr;
        if (size && SUCCEEDED(SafeArrayAccessData(array, &data))) {
            memcpy(bytes.data(), data, size);
            SafeArrayUnaccessData(array);
        }
        return bytes;
    }
    com::Variant text;
    if (FAILED(VariantChangeType(text.Ptr(), const_cast<VARIANT*>(&value), 0, VT_BSTR)))
        throw com::AutomationError(DV_E_FORMATETC, L"The value cannot be offered in this format.");
    const BSTR chars = text.Get().bstrVal;
    const int length = static_cast<int>(SysStringLen(chars));
    if (format == CF_UNICODETEXT) {
        const BYTE* begin = reinterpret_cast<const BYTE*>(chars);
        std::vector<BYTE> bytes(begin, begin + length * sizeof(wchar_t));
        bytes.insert(bytes.end(), sizeof(wchar_t), 0);
        return bytes;
    }
    UINT page = format == CF_OEMTEXT ? CP_OEMCP : CP_ACP;
    int size = WideCharToMultiByte(page, 0, chars, length, nullptr, 0, nullptr, nullptr);
    std::vector<BYTE> bytes(static_cast<size_t>(size) + 1, 0);
    if (size) WideCharToMultiByte(page, 0, chars, length, reinterpret_cast<char*>(bytes.data()), size, nullptr, nullptr);
    return bytes;
}

// Releases a storage medium when it goes.
class MediumScope {
public:
    MediumScope() = default;
    MediumScope(const MediumScope&) = delete;
    MediumScope& operator=(const MediumScope&) = delete;
    ~MediumScope() { ReleaseStgMedium(&medium); }
    STGMEDIUM medium{};
};

std::optional<std::vector<BYTE>> ReadBytes(IDataObject* data, CLIPFORMAT format) {
    FORMATETC wanted{format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_ISTREAM};
    MediumScope scope;
    if (FAILED(data->GetData(&wanted, &scope.medium))) return std::nullopt;
    std::vector<BYTE> bytes;
    if (scope.medium.tymed == TYMED_HGLOBAL && scope.medium.hGlobal) {
        size_t size = GlobalSize(scope.medium.hGlobal);
        // An empty block is empty data: the system gives no address for a block of no bytes.
        if (size == 0) return bytes;
        const BYTE* source = static_cast<const BYTE*>(GlobalLock(scope.medium.hGlobal));
        if (!source) return std::nullopt;
        bytes.assign(source, source + size);
        GlobalUnlock(scope.medium.hGlobal);
    } else if (scope.medium.tymed == TYMED_ISTREAM && scope.medium.pstm) {
        BYTE chunk[4096];
        ULONG read = 0;
        while (bytes.size() < kLargestStream && SUCCEEDED(scope.medium.pstm->Read(chunk, sizeof(chunk), &read)) &&
               read > 0)
            bytes.insert(bytes.end(), chunk, chunk + read);
    } else {
        return std::nullopt;
    }
    return bytes;
}

// Text up to its terminator, or to the end of the block when it has none.
com::Variant TextOf(const std::vector<BYTE>& bytes, CLIPFORMAT format) {
    std::wstring text;
    if (format == CF_UNICODETEXT) {
        size_t count = bytes.size() / sizeof(wchar_t);
        text.assign(reinterpret_cast<const wchar_t*>(bytes.data()), count);
    } else {
        size_t length = 0;
        while (length < bytes.size() && bytes[length]) ++length;
        UINT page = format == CF_OEMTEXT ? CP_OEMCP : CP_ACP;
        const char* chars = reinterpret_cast<const char*>(bytes.data());
        int size = MultiByteToWideChar(page, 0, chars, static_cast<int>(length), nullptr, 0);
        text.resize(static_cast<size_t>(size));
        if (size) MultiByteToWideChar(page, 0, chars, static_cast<int>(length), text.data(), size);
    }
    if (auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    return com::Variant::FromString(text);
}

com::Variant ByteArray(const std::vector<BYTE>& bytes) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size()));
    if (!array) throw std::bad_alloc();
    void* data = nullptr;
    if (!bytes.empty() && SUCCEEDED(SafeArrayAccessData(array, &data))) {
        memcpy(data, bytes.data(), bytes.size());
        SafeArrayUnaccessData(array);
    }
    VARIANT raw{};
    raw.vt = VT_ARRAY | VT_UI1;
    raw.parray = array;
    com::Variant value(raw);
    SafeArrayDestroy(array);
    return value;
}

}  // namespace

CLIPFORMAT DragDataCore::ClipboardFormat(short format) {
    if (format == kRichTextNumber) return static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Rich Text Format"));
    return static_cast<CLIPFORMAT>(static_cast<unsigned short>(format));
}

DragDataCore::Entry* DragDataCore::Find(CLIPFORMAT format) {
    for (auto& entry : entries_)
        if (ClipboardFormat(entry.format) == format) return &entry;
    // Text stored as plain text is offered as Unicode text too.
    if (format == CF_UNICODETEXT) return Find(CF_TEXT);
    return nullptr;
}

// The entry of `format` with its value, asking the supplier once when it has none.
DragDataCore::Entry* DragDataCore::Supplied(CLIPFORMAT format) {
    Entry* entry = Find(format);
    if (entry && !entry->supplied && supplier_ && !supplying_) {
        short number = entry->format;
        supplying_ = true;
        try {
            supplier_(number);
        } catch (...) {
            supplying_ = false;
            throw;
        }
        supplying_ = false;
        entry = Find(format);
    }
    return entry && entry->supplied ? entry : nullptr;
}

void DragDataCore::RequireWritable() const {
    if (carried_) throw NotWritable();
}

void DragDataCore::Clear() {
    RequireWritable();
    entries_.clear();
}

void DragDataCore::SetData(const VARIANT& given, const VARIANT& givenFormat) {
    RequireWritable();
    com::Variant value = com::Variant::Dereferenced(given), formatValue = com::Variant::Dereferenced(givenFormat);
    const bool hasValue = !com::IsMissing(value.Get()), hasFormat = !com::IsMissing(formatValue.Get());
    if (!hasValue && !hasFormat) throw com::MakePlainError(673, L"Expected at least one argument");
    short format = CF_TEXT;  // a value without a format is text
    if (hasFormat) {
        com::Variant number;
        if (FAILED(VariantChangeType(number.Ptr(), formatValue.Ptr(), 0, VT_I2)) || number.Get().iVal == 0)
            throw com::MakePlainError(460, L"Invalid Clipboard format");
        format = number.Get().iVal;
    }
    Entry* entry = nullptr;
    for (auto& e : entries_)
        if (e.format == format) entry = &e;
    if (!entry) entry = &entries_.emplace_back(Entry{format, com::Variant(), false});
    if (hasValue) {
        entry->value = std::move(value);
        entry->supplied = true;
    }
}

com::Variant DragDataCore::GetData(short format) {
    CLIPFORMAT clip = ClipboardFormat(format);
    if (!carried_) {
        if (Entry* entry = Supplied(clip)) return entry->value;
        throw FormatMismatch();
    }
    // Text is read as Unicode where the source offers it, so no character is lost.
    if (clip == CF_TEXT)
        if (auto bytes = ReadBytes(carried_.Get(), CF_UNICODETEXT)) return TextOf(*bytes, CF_UNICODETEXT);
    auto bytes = ReadBytes(carried_.Get(), clip);
    if (!bytes) throw FormatMismatch();
    return IsTextFormat(clip) ? TextOf(*bytes, clip) : ByteArray(*bytes);
}

bool DragDataCore::GetFormat(short format) {
    CLIPFORMAT clip = ClipboardFormat(format);
    if (!carried_) return Find(clip) != nullptr;
    for (CLIPFORMAT candidate : {clip, clip == CF_TEXT ? CLIPFORMAT(CF_UNICODETEXT) : clip}) {
        FORMATETC wanted{candidate, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL | TYMED_ISTREAM};
        if (carried_->QueryGetData(&wanted) == S_OK) return true;
    }
    return false;
}

HRESULT DragDataCore::QueryFormat(const FORMATETC* wanted) {
    if (!wanted) return E_INVALIDARG;
    if (carried_) return carried_->QueryGetData(const_cast<FORMATETC*>(wanted));
    if (wanted->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!(wanted->tymed & TYMED_HGLOBAL)) return DV_E_TYMED;
    return Find(wanted->cfFormat) ? S_OK : DV_E_FORMATETC;
}

HRESULT DragDataCore::GetMedium(const FORMATETC* wanted, STGMEDIUM* medium) {
    if (!wanted || !medium) return E_INVALIDARG;
    if (carried_) return carried_->GetData(const_cast<FORMATETC*>(wanted), medium);
    HRESULT hr = QueryFormat(wanted);
    if (hr != S_OK) return hr;
    Entry* entry = Supplied(wanted->cfFormat);
    if (!entry) return DV_E_FORMATETC;
    std::vector<BYTE> bytes = BytesOf(entry->value.Get(), wanted->cfFormat);
    GlobalBlock block(bytes.size());
    block.Fill(bytes.data(), bytes.size());
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = block.Release();
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

HRESULT DragDataCore::EnumFormats(DWORD direction, IEnumFORMATETC** formats) {
    if (!formats) return E_POINTER;
    *formats = nullptr;
    if (carried_) return carried_->EnumFormatEtc(direction, formats);
    if (direction != DATADIR_GET) return E_NOTIMPL;
    std::vector<FORMATETC> list;
    bool text = false, unicode = false;
    for (auto& entry : entries_) {
        CLIPFORMAT clip = ClipboardFormat(entry.format);
        text |= clip == CF_TEXT;
        unicode |= clip == CF_UNICODETEXT;
        list.push_back(Describe(clip));
    }
    if (text && !unicode) list.push_back(Describe(CF_UNICODETEXT));
    *formats = com::Make<com::SnapshotEnumerator<IEnumFORMATETC, FormatElement>>(std::move(list)).Detach();
    return S_OK;
}

}  // namespace vel::hosting
