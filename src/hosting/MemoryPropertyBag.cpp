#include "MemoryPropertyBag.h"

#include <olectl.h>

#include <cstring>

#include "AutomationError.h"

namespace vel::hosting {
namespace {

using com::ComPtr;
using com::Variant;

constexpr DWORD kMagic = 0x31425056;  // "VPB1"
constexpr ULONG kMaxName = 1024;
constexpr ULONG kMaxBlock = 64u << 20;

// Byte size of a fixed-size value type in the stream form; 0 for others.
ULONG FixedSize(VARTYPE vt) {
    switch (vt) {
    case VT_UI1: case VT_I1: return 1;
    case VT_I2: case VT_UI2: case VT_BOOL: return 2;
    case VT_I4: case VT_UI4: case VT_R4: case VT_ERROR: case VT_INT: case VT_UINT: return 4;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8: return 8;
    default: return 0;
    }
}

HRESULT WriteBytes(IStream* stream, const void* data, ULONG size) {
    ULONG written = 0;
    HRESULT hr = stream->Write(data, size, &written);
    return FAILED(hr) ? hr : (written == size ? S_OK : STG_E_MEDIUMFULL);
}

HRESULT ReadBytes(IStream* stream, void* data, ULONG size) {
    ULONG read = 0;
    HRESULT hr = stream->Read(data, size, &read);
    return FAILED(hr) ? hr : (read == size ? S_OK : STG_E_READFAULT);
}

template <class T>
HRESULT WriteValue(IStream* stream, const T& value) { return WriteBytes(stream, &value, sizeof(T)); }
template <class T>
HRESULT ReadValue(IStream* stream, T& value) { return ReadBytes(stream, &value, sizeof(T)); }

HRESULT WriteText(IStream* stream, const wchar_t* text, ULONG length) {
    HRESULT hr = WriteValue(stream, length);
    return FAILED(hr) ? hr : WriteBytes(stream, text, length * sizeof(wchar_t));
}

HRESULT ReadText(IStream* stream, std::wstring& text, ULONG maxLength) {
    ULONG length = 0;
    HRESULT hr = ReadValue(stream, length);
    if (FAILED(hr)) return hr;
    if (length > maxLength) return STG_E_DOCFILECORRUPT;
    text.resize(length);
    return ReadBytes(stream, text.data(), length * sizeof(wchar_t));
}

// Locks a memory stream's global memory while its bytes are copied.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(GlobalLock(memory)) {}
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    ~GlobalLockScope() {
        if (data_) GlobalUnlock(memory_);
    }
    const BYTE* Data() const { return static_cast<const BYTE*>(data_); }

private:
    HGLOBAL memory_;
    void* data_;
};

HRESULT SaveObject(IUnknown* object, std::vector<BYTE>& bytes) {
    ComPtr<IPersistStream> persist;
    HRESULT hr = object->QueryInterface(IID_PPV_ARGS(&persist));
    if (FAILED(hr)) return E_INVALIDARG;
    ComPtr<IStream> stream;
    hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr)) hr = OleSaveToStream(persist.Get(), stream.Get());
    HGLOBAL memory = nullptr;
    if (SUCCEEDED(hr)) hr = GetHGlobalFromStream(stream.Get(), &memory);
    if (FAILED(hr)) return hr;
    ULARGE_INTEGER size{};
    stream->Seek({}, STREAM_SEEK_CUR, &size);
    GlobalLockScope lock(memory);
    if (!lock.Data()) return E_OUTOFMEMORY;
    bytes.assign(lock.Data(), lock.Data() + size.QuadPart);
    return S_OK;
}

// Saved objects are properties' fonts and pictures; a saved object of any other class
// (a control, say, whose own properties could again hold objects) is never created.
bool LoadableClass(const std::vector<BYTE>& bytes) {
    if (bytes.size() < sizeof(CLSID)) return false;
    CLSID objectClass;
    std::memcpy(&objectClass, bytes.data(), sizeof(CLSID));
    return IsEqualCLSID(objectClass, CLSID_StdFont) || IsEqualCLSID(objectClass, CLSID_StdPicture);
}

// Loads within loads stop here, whatever the classes do.
constexpr int kMaxObjectDepth = 4;
thread_local int objectDepth = 0;

class ObjectDepth {
public:
    ObjectDepth() { ++objectDepth; }
    ObjectDepth(const ObjectDepth&) = delete;
    ObjectDepth& operator=(const ObjectDepth&) = delete;
    ~ObjectDepth() { --objectDepth; }
    bool TooDeep() const { return objectDepth > kMaxObjectDepth; }
};

HRESULT LoadObject(const std::vector<BYTE>& bytes, VARIANT* value) {
    ObjectDepth depth;
    if (depth.TooDeep() || !LoadableClass(bytes)) return CLASS_E_CLASSNOTAVAILABLE;
    ComPtr<IStream> stream;
    HRESULT hr = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(hr)) hr = WriteBytes(stream.Get(), bytes.data(), static_cast<ULONG>(bytes.size()));
    if (SUCCEEDED(hr)) hr = stream->Seek({}, STREAM_SEEK_SET, nullptr);
    ComPtr<IUnknown> object;
    if (SUCCEEDED(hr)) hr = OleLoadFromStream(stream.Get(), IID_IUnknown, reinterpret_cast<void**>(object.GetAddressOf()));
    if (FAILED(hr)) return hr;
    ComPtr<IDispatch> dispatch;
    if (SUCCEEDED(object.As(&dispatch))) {
        value->vt = VT_DISPATCH;
        value->pdispVal = dispatch.Detach();
    } else {
        value->vt = VT_UNKNOWN;
        value->punkVal = object.Detach();
    }
    return S_OK;
}

bool IsObject(VARTYPE vt) { return vt == VT_DISPATCH || vt == VT_UNKNOWN; }

}  // namespace

const MemoryPropertyBag::Entry* MemoryPropertyBag::Find(const wchar_t* name) const {
    for (auto& entry : entries_)
        if (CompareStringOrdinal(entry.name.c_str(), -1, name, -1, TRUE) == CSTR_EQUAL) return &entry;
    return nullptr;
}

MemoryPropertyBag::Entry& MemoryPropertyBag::FindOrAdd(const wchar_t* name) {
    if (auto* found = Find(name)) return const_cast<Entry&>(*found);
    entries_.push_back({name, {}, {}});
    return entries_.back();
}

HRESULT MemoryPropertyBag::StoreValue(Entry& entry, const VARIANT& value) {
    Variant plain = Variant::Dereferenced(value);
    VARTYPE vt = plain.Type();
    if (IsObject(vt)) {
        std::vector<BYTE> bytes;
        IUnknown* object = vt == VT_DISPATCH ? plain.Get().pdispVal : plain.Get().punkVal;
        if (object) {
            HRESULT hr = SaveObject(object, bytes);
            if (FAILED(hr)) return hr;
        }
        entry.object = std::move(bytes);
        entry.value = Variant();
        entry.value.Ptr()->vt = VT_UNKNOWN;
        entry.value.Ptr()->punkVal = nullptr;
        return S_OK;
    }
    if (vt != VT_EMPTY && vt != VT_NULL && vt != VT_BSTR && FixedSize(vt) == 0) return E_INVALIDARG;
    entry.object.clear();
    entry.value = std::move(plain);
    return S_OK;
}

STDMETHODIMP MemoryPropertyBag::Read(LPCOLESTR name, VARIANT* value, IErrorLog*) {
    if (!name || !value) return E_POINTER;
    const Entry* entry = Find(name);
    if (!entry) return E_INVALIDARG;
    VARTYPE wanted = value->vt;
    VariantInit(value);
    if (entry->value.Type() == VT_UNKNOWN) {
        if (entry->object.empty()) {
            value->vt = VT_DISPATCH;
            value->pdispVal = nullptr;
            return S_OK;
        }
        return LoadObject(entry->object, value);
    }
    entry->value.CopyTo(value);
    if (wanted == VT_EMPTY || wanted == value->vt || IsObject(wanted)) return S_OK;
    HRESULT hr = VariantChangeType(value, value, 0, wanted);
    if (FAILED(hr)) VariantClear(value);
    return hr;
}

STDMETHODIMP MemoryPropertyBag::Write(LPCOLESTR name, VARIANT* value) {
    if (!name || !value) return E_POINTER;
    if (wcslen(name) > kMaxName) return E_INVALIDARG;
    try {
        Entry candidate{name, {}, {}};
        HRESULT hr = StoreValue(candidate, *value);
        if (FAILED(hr)) return hr;
        Entry& entry = FindOrAdd(name);
        entry.value = std::move(candidate.value);
        entry.object = std::move(candidate.object);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT MemoryPropertyBag::WriteEntry(IStream* stream, const Entry& entry) {
    HRESULT hr = WriteText(stream, entry.name.c_str(), static_cast<ULONG>(entry.name.size()));
    VARTYPE vt = entry.value.Type();
    if (SUCCEEDED(hr)) hr = WriteValue(stream, vt);
    if (FAILED(hr)) return hr;
    const VARIANT& v = entry.value.Get();
    if (vt == VT_UNKNOWN) {
        hr = WriteValue(stream, static_cast<ULONG>(entry.object.size()));
        return FAILED(hr) ? hr : WriteBytes(stream, entry.object.data(), static_cast<ULONG>(entry.object.size()));
    }
    if (vt == VT_BSTR) return WriteText(stream, v.bstrVal, SysStringLen(v.bstrVal));
    return WriteBytes(stream, &v.llVal, FixedSize(vt));
}

HRESULT MemoryPropertyBag::ReadEntry(IStream* stream, Entry& entry) {
    HRESULT hr = ReadText(stream, entry.name, kMaxName);
    VARTYPE vt = VT_EMPTY;
    if (SUCCEEDED(hr)) hr = ReadValue(stream, vt);
    if (FAILED(hr)) return hr;
    VARIANT* v = entry.value.Ptr();
    if (vt == VT_UNKNOWN) {
        ULONG size = 0;
        hr = ReadValue(stream, size);
        if (FAILED(hr)) return hr;
        if (size > kMaxBlock) return STG_E_DOCFILECORRUPT;
        entry.object.resize(size);
        hr = ReadBytes(stream, entry.object.data(), size);
        v->vt = VT_UNKNOWN;
        v->punkVal = nullptr;
        if (SUCCEEDED(hr) && size > 0 && !LoadableClass(entry.object))
            throw com::AutomationError(CLASS_E_CLASSNOTAVAILABLE, L"The saved property " + entry.name +
                                                                      L" holds an object that is neither a font nor a picture.");
        return hr;
    }
    if (vt == VT_BSTR) {
        std::wstring text;
        hr = ReadText(stream, text, kMaxBlock / sizeof(wchar_t));
        if (SUCCEEDED(hr)) entry.value = Variant::FromString(text);
        return hr;
    }
    if (vt != VT_EMPTY && vt != VT_NULL && FixedSize(vt) == 0) return STG_E_DOCFILECORRUPT;
    hr = ReadBytes(stream, &v->llVal, FixedSize(vt));
    if (SUCCEEDED(hr)) v->vt = vt;
    return hr;
}

HRESULT MemoryPropertyBag::Save(IStream* stream) const {
    if (!stream) return E_POINTER;
    HRESULT hr = WriteValue(stream, kMagic);
    if (SUCCEEDED(hr)) hr = WriteValue(stream, static_cast<ULONG>(entries_.size()));
    for (auto& entry : entries_)
        if (SUCCEEDED(hr)) hr = WriteEntry(stream, entry);
    return hr;
}

HRESULT MemoryPropertyBag::Load(IStream* stream) {
    if (!stream) return E_POINTER;
    try {
        DWORD magic = 0;
        ULONG count = 0;
        HRESULT hr = ReadValue(stream, magic);
        if (SUCCEEDED(hr) && magic != kMagic) hr = STG_E_DOCFILECORRUPT;
        if (SUCCEEDED(hr)) hr = ReadValue(stream, count);
        std::vector<Entry> loaded;
        for (ULONG i = 0; SUCCEEDED(hr) && i < count; ++i) {
            Entry entry;
            hr = ReadEntry(stream, entry);
            if (SUCCEEDED(hr)) loaded.push_back(std::move(entry));
        }
        if (SUCCEEDED(hr)) entries_ = std::move(loaded);
        return hr;
    } catch (const com::AutomationError& error) {
        return error.Report(IID_IPersistStreamInit);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

ULONG MemoryPropertyBag::SizeInStream() const {
    ULONG size = 2 * sizeof(ULONG);
    for (auto& entry : entries_) {
        size += sizeof(ULONG) + static_cast<ULONG>(entry.name.size() * sizeof(wchar_t)) + sizeof(VARTYPE);
        VARTYPE vt = entry.value.Type();
        if (vt == VT_UNKNOWN) size += sizeof(ULONG) + static_cast<ULONG>(entry.object.size());
        else if (vt == VT_BSTR) size += sizeof(ULONG) + SysStringLen(entry.value.Get().bstrVal) * sizeof(wchar_t);
        else size += FixedSize(vt);
    }
    return size;
}

}  // namespace vel::hosting
