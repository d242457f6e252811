#include "PropertyBag.h"

#include "AutomationError.h"

namespace vel::hosting {
namespace {

using com::Variant;

Variant Typed(VARTYPE vt, LONGLONG bits) {
    Variant v;
    v.Ptr()->vt = vt;
    v.Ptr()->llVal = bits;
    return v;
}

Variant Shorts(short value) { return Typed(VT_I2, static_cast<USHORT>(value)); }
Variant Byte(BYTE value) { return Typed(VT_UI1, value); }
Variant Color(OLE_COLOR value) { return Typed(VT_I4, static_cast<LONG>(value)); }

bool IsObject(VARTYPE vt) { return vt == VT_DISPATCH || vt == VT_UNKNOWN; }

IUnknown* ObjectOf(const VARIANT& v) {
    IUnknown* object = v.vt == VT_DISPATCH ? v.pdispVal : v.punkVal;
    ComPtr<IUnknown> identity;
    if (object) object->QueryInterface(IID_PPV_ARGS(&identity));
    return identity.Get();  // compared by address only
}

}  // namespace

std::optional<Variant> PropertyBag::Stored(std::wstring_view name, VARTYPE wanted) const {
    if (!bag_) return std::nullopt;
    std::wstring key(name);
    Variant value;
    value.Ptr()->vt = wanted;
    if (FAILED(bag_->Read(key.c_str(), value.Ptr(), nullptr))) return std::nullopt;
    return Variant::Dereferenced(value.Get());
}

Variant PropertyBag::ReadAs(std::wstring_view name, const Variant& fallback, VARTYPE type) const {
    auto stored = Stored(name, IsObject(type) ? type : static_cast<VARTYPE>(VT_EMPTY));
    if (!stored) return fallback;
    if (type == VT_EMPTY || stored->Type() == type) return *stored;
    if (IsObject(type)) return IsObject(stored->Type()) ? *stored : fallback;
    Variant converted;
    if (FAILED(VariantChangeType(converted.Ptr(), stored->Ptr(), 0, type))) return fallback;
    return converted;
}

void PropertyBag::RequireReadable(std::wstring_view name, VARTYPE type) const {
    auto stored = Stored(name, IsObject(type) ? type : static_cast<VARTYPE>(VT_EMPTY));
    if (!stored || stored->Type() == type) return;
    if (IsObject(type)) {
        if (IsObject(stored->Type())) return;
    } else {
        Variant converted;
        if (SUCCEEDED(VariantChangeType(converted.Ptr(), stored->Ptr(), 0, type))) return;
        if (type == VT_UI4 && SUCCEEDED(VariantChangeType(converted.Ptr(), stored->Ptr(), 0, VT_I4))) return;
    }
    com::Raise(com::StandardError::InvalidPropertyValue);
}

Variant PropertyBag::Read(std::wstring_view name, const Variant& fallback) const {
    return ReadAs(name, fallback, fallback.Type());
}

long PropertyBag::ReadLong(std::wstring_view name, long fallback) const {
    return ReadAs(name, Variant::FromLong(fallback), VT_I4).Get().lVal;
}

short PropertyBag::ReadShort(std::wstring_view name, short fallback) const {
    return ReadAs(name, Shorts(fallback), VT_I2).Get().iVal;
}

BYTE PropertyBag::ReadByte(std::wstring_view name, BYTE fallback) const {
    return ReadAs(name, Byte(fallback), VT_UI1).Get().bVal;
}

bool PropertyBag::ReadBool(std::wstring_view name, bool fallback) const {
    return ReadAs(name, Variant::FromBool(fallback), VT_BOOL).Get().boolVal != VARIANT_FALSE;
}

std::wstring PropertyBag::ReadString(std::wstring_view name, std::wstring_view fallback) const {
    Variant v = ReadAs(name, Variant::FromString(fallback), VT_BSTR);
    BSTR text = v.Get().bstrVal;
    return std::wstring(text ? text : L"", SysStringLen(text));
}

// Colours are saved signed; one saved unsigned (a system colour has the high bit set)
// reads the same.
OLE_COLOR PropertyBag::ReadColor(std::wstring_view name, OLE_COLOR fallback) const {
    auto stored = Stored(name, VT_EMPTY);
    if (!stored) return fallback;
    if (stored->Type() == VT_UI4) return stored->Get().ulVal;
    Variant converted;
    if (FAILED(VariantChangeType(converted.Ptr(), stored->Ptr(), 0, VT_I4))) return fallback;
    return static_cast<OLE_COLOR>(converted.Get().lVal);
}

ComPtr<IFontDisp> PropertyBag::ReadFont(std::wstring_view name, IFontDisp* fallback) const {
    Variant v = ReadAs(name, Variant::FromDispatch(fallback), VT_DISPATCH);
    ComPtr<IFontDisp> font;
    IUnknown* object = v.Type() == VT_DISPATCH ? v.Get().pdispVal : v.Get().punkVal;
    if (object && FAILED(object->QueryInterface(IID_PPV_ARGS(&font)))) return fallback;
    return font;
}

ComPtr<IPictureDisp> PropertyBag::ReadPicture(std::wstring_view name, IPictureDisp* fallback) const {
    Variant v = ReadAs(name, Variant::FromDispatch(fallback), VT_DISPATCH);
    ComPtr<IPictureDisp> picture;
    IUnknown* object = v.Type() == VT_DISPATCH ? v.Get().pdispVal : v.Get().punkVal;
    if (object && FAILED(object->QueryInterface(IID_PPV_ARGS(&picture)))) return fallback;
    return picture;
}

bool PropertyBag::Equal(const VARIANT& a, const VARIANT& b) {
    if (IsObject(a.vt) || IsObject(b.vt)) {
        if (!IsObject(a.vt) || !IsObject(b.vt)) return false;
        return ObjectOf(a) == ObjectOf(b);
    }
    if (a.vt == VT_BSTR && b.vt == VT_BSTR) return SysStringLen(a.bstrVal) == SysStringLen(b.bstrVal) &&
                                                   VarBstrCmp(a.bstrVal, b.bstrVal, 0, 0) == VARCMP_EQ;
    return VarCmp(const_cast<VARIANT*>(&a), const_cast<VARIANT*>(&b), LOCALE_USER_DEFAULT, 0) == VARCMP_EQ;
}

void PropertyBag::Write(std::wstring_view name, const Variant& value) {
    if (!bag_) return;
    std::wstring key(name);
    Variant copy(value);
    HRESULT hr = bag_->Write(key.c_str(), copy.Ptr());
    if (FAILED(hr)) throw com::AutomationError(hr, L"The property " + key + L" could not be saved.");
}

void PropertyBag::Write(std::wstring_view name, const Variant& value, const Variant& fallback) {
    if (!Equal(value.Get(), fallback.Get())) Write(name, value);
}

void PropertyBag::WriteLong(std::wstring_view name, long value, std::optional<long> fallback) {
    fallback ? Write(name, Variant::FromLong(value), Variant::FromLong(*fallback)) : Write(name, Variant::FromLong(value));
}

void PropertyBag::WriteShort(std::wstring_view name, short value, std::optional<short> fallback) {
    fallback ? Write(name, Shorts(value), Shorts(*fallback)) : Write(name, Shorts(value));
}

void PropertyBag::WriteByte(std::wstring_view name, BYTE value, std::optional<BYTE> fallback) {
    fallback ? Write(name, Byte(value), Byte(*fallback)) : Write(name, Byte(value));
}

void PropertyBag::WriteBool(std::wstring_view name, bool value, std::optional<bool> fallback) {
    fallback ? Write(name, Variant::FromBool(value), Variant::FromBool(*fallback))
             : Write(name, Variant::FromBool(value));
}

void PropertyBag::WriteString(std::wstring_view name, std::wstring_view value, std::optional<std::wstring_view> fallback) {
    fallback ? Write(name, Variant::FromString(value), Variant::FromString(*fallback))
             : Write(name, Variant::FromString(value));
}

void PropertyBag::WriteColor(std::wstring_view name, OLE_COLOR value, std::optional<OLE_COLOR> fallback) {
    fallback ? Write(name, Color(value), Color(*fallback)) : Write(name, Color(value));
}

void PropertyBag::WriteObject(std::wstring_view name, IDispatch* value, std::optional<IDispatch*> fallback) {
    fallback ? Write(name, Variant::FromDispatch(value), Variant::FromDispatch(*fallback))
             : Write(name, Variant::FromDispatch(value));
}

}  // namespace vel::hosting
