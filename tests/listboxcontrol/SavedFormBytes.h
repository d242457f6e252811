#pragma once
// The stream form of the control's properties, written byte by byte, so that tests can
// craft what no control would save: nested objects of any class, huge counts, repeats.
#include <windows.h>
#include <objbase.h>
#include <string>
#include <vector>

namespace vel::test {

class SavedFormBytes {
public:
    SavedFormBytes& Long(const std::wstring& name, LONG value) { return Fixed(name, VT_I4, &value, sizeof value); }
    SavedFormBytes& Double(const std::wstring& name, double value) { return Fixed(name, VT_R8, &value, sizeof value); }
    SavedFormBytes& Text(const std::wstring& name, const std::wstring& value) {
        Name(name, VT_BSTR);
        Append(static_cast<ULONG>(value.size()));
        Raw(value.data(), value.size() * sizeof(wchar_t));
        ++count_;
        return *this;
    }
    // An object entry: its class, then what the object saved of itself.
    SavedFormBytes& Object(const std::wstring& name, const CLSID& objectClass, const std::vector<BYTE>& saved) {
        Name(name, VT_UNKNOWN);
        Append(static_cast<ULONG>(sizeof(CLSID) + saved.size()));
        Raw(&objectClass, sizeof(CLSID));
        Raw(saved.data(), saved.size());
        ++count_;
        return *this;
    }

    std::vector<BYTE> Bytes() const {
        std::vector<BYTE> all;
        const DWORD magic = 0x31425056;
        all.insert(all.end(), reinterpret_cast<const BYTE*>(&magic), reinterpret_cast<const BYTE*>(&magic) + 4);
        all.insert(all.end(), reinterpret_cast<const BYTE*>(&count_), reinterpret_cast<const BYTE*>(&count_) + 4);
        all.insert(all.end(), body_.begin(), body_.end());
        return all;
    }

    // A saved object of `objectClass` whose "Font" is again such an object, `depth` deep.
    static std::vector<BYTE> Nested(const CLSID& objectClass, int depth) {
        std::vector<BYTE> saved = SavedFormBytes().Bytes();
        for (int i = 0; i < depth; ++i) saved = SavedFormBytes().Object(L"Font", objectClass, saved).Bytes();
        return saved;
    }

private:
    template <class T>
    void Append(const T& value) { Raw(&value, sizeof value); }
    void Raw(const void* data, size_t size) {
        body_.insert(body_.end(), static_cast<const BYTE*>(data), static_cast<const BYTE*>(data) + size);
    }
    void Name(const std::wstring& name, VARTYPE type) {
        Append(static_cast<ULONG>(name.size()));
        Raw(name.data(), name.size() * sizeof(wchar_t));
        Append(type);
    }
    SavedFormBytes& Fixed(const std::wstring& name, VARTYPE type, const void* data, size_t size) {
        Name(name, type);
        Raw(data, size);
        ++count_;
        return *this;
    }

    std::vector<BYTE> body_;
    ULONG count_ = 0;
};

}  // namespace vel::test
