#include "Convert.h"

#include <cmath>
#include <string>

#include "AutomationError.h"

namespace vel::com {
namespace {

VARIANT ChangeType(const VARIANT& value, VARTYPE type, USHORT flags = 0) {
    VARIANT result;
    VariantInit(&result);
    HRESULT hr = VariantChangeType(&result, const_cast<VARIANT*>(&value), flags, type);
    if (SUCCEEDED(hr)) return result;
    if (hr == DISP_E_OVERFLOW) Raise(StandardError::Overflow);
    if (hr == E_OUTOFMEMORY) Raise(StandardError::OutOfMemory);
    Variant plain = Variant::Dereferenced(value);
    if (plain.Type() == VT_NULL) Raise(StandardError::InvalidUseOfNull);
    Raise(StandardError::TypeMismatch);
}

}  // namespace

Bstr ToText(const VARIANT& value) {
    VARIANT text = ChangeType(value, VT_BSTR, VARIANT_ALPHABOOL);
    return Bstr::Attach(text.bstrVal);
}

long ToLong(const VARIANT& value) {
    double number = ToDouble(value);
    return RoundToLong(number);
}

short ToShort(const VARIANT& value) {
    long number = ToLong(value);
    if (number < -32768 || number > 32767) Raise(StandardError::Overflow);
    return static_cast<short>(number);
}

double ToDouble(const VARIANT& value) {
    return ChangeType(value, VT_R8).dblVal;
}

bool ToBool(const VARIANT& value) { return ChangeType(value, VT_BOOL).boolVal != VARIANT_FALSE; }

std::optional<Bstr> TextOf(const VARIANT& value) {
    VARIANT text;
    VariantInit(&text);
    if (FAILED(VariantChangeType(&text, const_cast<VARIANT*>(&value), VARIANT_ALPHABOOL, VT_BSTR))) return std::nullopt;
    return Bstr::Attach(text.bstrVal);
}

bool IsNumeric(const VARIANT& value) {
    VARIANT number;
    VariantInit(&number);
    return SUCCEEDED(VariantChangeType(&number, const_cast<VARIANT*>(&value), 0, VT_R8));
}

long RoundToLong(double value) {
    if (std::isnan(value) || value < -2147483648.5 || value >= 2147483647.5) Raise(StandardError::Overflow);
    double rounded = std::nearbyint(value);  // the default rounding mode rounds halves to even
    if (rounded < -2147483648.0 || rounded > 2147483647.0) Raise(StandardError::Overflow);
    return static_cast<long>(rounded);
}

bool IsStringLike(const VARIANT& value) {
    VARTYPE type = value.vt & ~VT_BYREF;
    return type == VT_BSTR || type == VT_EMPTY;
}

std::wstring_view TrimSpaces(std::wstring_view text) {
    size_t first = text.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) return {};
    size_t last = text.find_last_not_of(L' ');
    return text.substr(first, last - first + 1);
}

std::wstring FoldCase(std::wstring_view text) {
    std::wstring folded(text);
    if (folded.empty()) return folded;
    int n = LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_UPPERCASE, text.data(), static_cast<int>(text.size()),
                         folded.data(), static_cast<int>(folded.size()));
    if (n <= 0) CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
    return folded;
}

}  // namespace vel::com
