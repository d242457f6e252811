#pragma once
#include <windows.h>
#include <oleauto.h>
#include <string>
#include <string_view>

namespace vel::com {

// Owns one BSTR. A null BSTR is the empty string.
class Bstr {
public:
    Bstr() = default;
    explicit Bstr(std::wstring_view text);
    Bstr(const Bstr& other);
    Bstr(Bstr&& other) noexcept : value_(other.value_) { other.value_ = nullptr; }
    Bstr& operator=(Bstr other) noexcept;
    ~Bstr() { SysFreeString(value_); }

    // Takes ownership of a BSTR that someone handed over.
    static Bstr Attach(BSTR value);
    // Gives up ownership, for an [out] parameter.
    BSTR Detach();
    // A copy for an [out] parameter.
    BSTR Copy() const;

    BSTR Get() const { return value_; }
    BSTR* Out();
    size_t Length() const { return SysStringLen(value_); }
    bool Empty() const { return Length() == 0; }
    std::wstring_view View() const { return {value_ ? value_ : L"", Length()}; }
    const wchar_t* CStr() const { return value_ ? value_ : L""; }

    friend bool operator==(const Bstr& a, const Bstr& b) { return a.View() == b.View(); }

private:
    BSTR value_ = nullptr;
};

}  // namespace vel::com
