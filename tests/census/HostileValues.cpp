#include "HostileValues.h"

#include <cmath>
#include <limits>

namespace vel::census {
namespace {

using com::Variant;

Variant Typed(VARTYPE type, auto assign) {
    VARIANT raw{};
    raw.vt = type;
    assign(raw);
    return Variant(raw);
}

Variant Double(double value) { return Typed(VT_R8, [&](VARIANT& v) { v.dblVal = value; }); }

Variant Array() {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 3);
    for (LONG i = 0; i < 3; ++i) {
        Variant element = Variant::FromLong(i);
        SafeArrayPutElement(array, &i, element.Ptr());
    }
    VARIANT raw{};
    raw.vt = VT_ARRAY | VT_VARIANT;
    raw.parray = array;
    Variant owned(raw);  // copies
    SafeArrayDestroy(array);
    return owned;
}

}  // namespace

HostileValues::HostileValues(IDispatch* foreign, IDispatch* font) {
    Add("Empty", Variant());
    Add("Null", Typed(VT_NULL, [](VARIANT&) {}));
    Add("Missing", Typed(VT_ERROR, [](VARIANT& v) { v.scode = DISP_E_PARAMNOTFOUND; }));
    Add("True", Variant::FromBool(true));
    Add("False", Variant::FromBool(false));
    Add("Integer -32768", Typed(VT_I2, [](VARIANT& v) { v.iVal = -32768; }));
    Add("Integer 32767", Typed(VT_I2, [](VARIANT& v) { v.iVal = 32767; }));
    Add("Long -2147483648", Variant::FromLong(INT32_MIN));
    Add("Long 2147483647", Variant::FromLong(INT32_MAX));
    Add("Long 0", Variant::FromLong(0));
    Add("Long -1", Variant::FromLong(-1));
    Add("Long 3", Variant::FromLong(3));
    Add("Double NaN", Double(std::numeric_limits<double>::quiet_NaN()));
    Add("Double +Infinity", Double(std::numeric_limits<double>::infinity()));
    Add("Double -Infinity", Double(-std::numeric_limits<double>::infinity()));
    Add("Double 1E308", Double(1e308));
    Add("Double -0.5", Double(-0.5));
    Add("Currency max", Typed(VT_CY, [](VARIANT& v) { v.cyVal.int64 = INT64_MAX; }));
    Add("Date", Typed(VT_DATE, [](VARIANT& v) { v.date = 45000.75; }));
    Add("String \"12\"", Variant::FromString(L"12"));
    Add("String \"abc\"", Variant::FromString(L"abc"));
    Add("String \"\"", Variant::FromString(L""));
    Add("String null", Typed(VT_BSTR, [](VARIANT& v) { v.bstrVal = nullptr; }));
    Add("Object Nothing", Variant::FromDispatch(nullptr));
    Add("Object foreign", Variant::FromDispatch(foreign));
    Add("Unknown foreign", Typed(VT_UNKNOWN, [&](VARIANT& v) { v.punkVal = foreign; }));
    Add("Font with a long name", Variant::FromDispatch(font));
    Add("Array", Array());
    Add("ByRef Long", Typed(VT_BYREF | VT_I4, [&](VARIANT& v) { v.plVal = &byReferenceLong_; }));
    byReferenceVariant_.vt = VT_I2;
    byReferenceVariant_.iVal = 2;
    Add("ByRef Variant", Typed(VT_BYREF | VT_VARIANT, [&](VARIANT& v) { v.pvarVal = &byReferenceVariant_; }));
    Add("String 1 MB", Variant::FromString(std::wstring(1 << 20, L'M')));
}

std::vector<HostileValue> HostileValues::Sample() const {
    static const char* const kinds[] = {"Empty", "Missing", "Long 2147483647", "Double NaN", "String \"abc\"",
                                        "String 1 MB", "Object foreign", "Unknown foreign", "Font with a long name",
                                        "Array", "ByRef Variant"};
    std::vector<HostileValue> sample;
    for (auto& value : values_)
        for (const char* kind : kinds)
            if (value.name == kind) sample.push_back(value);
    return sample;
}

Variant HostileValues::Filler() { return Variant::FromLong(1); }

}  // namespace vel::census
