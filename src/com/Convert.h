#pragma once
#include <windows.h>
#include <oleauto.h>
#include <optional>
#include <string_view>

#include "Bstr.h"
#include "Variant.h"

namespace vel::com {

// Conversions as OLE Automation callers know them (CStr, CLng, CDbl, IsNumeric),
// done by oleaut32. Failures raise the standard errors 6, 13 and 94.
Bstr ToText(const VARIANT& value);
long ToLong(const VARIANT& value);
short ToShort(const VARIANT& value);
double ToDouble(const VARIANT& value);
bool ToBool(const VARIANT& value);

// The text of a value, or nothing where it has none (Null, arrays, objects without a value).
std::optional<Bstr> TextOf(const VARIANT& value);
// True for a value that reads as a number (a number, or a string that reads as one).
bool IsNumeric(const VARIANT& value);
// A double rounded to a 32-bit integer, halves to even; error 6 out of range.
long RoundToLong(double value);
// Strings and Empty compare as strings; other values never equal a string.
bool IsStringLike(const VARIANT& value);

// Leading and trailing spaces removed (spaces only, as Trim does).
std::wstring_view TrimSpaces(std::wstring_view text);
// Upper-cased with the user's locale, for case-insensitive equality.
std::wstring FoldCase(std::wstring_view text);

}  // namespace vel::com
